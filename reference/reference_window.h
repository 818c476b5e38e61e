// ReferenceWindow, the reference window: a small tool window beside the editor with the command
// (CMD), variable (CVAR) and value library (DLZ) pages. A click on a category loads its entries
// into the value list; the three buttons at its foot ask for the insert dialog.
#pragma once

#include "reference/category_choice.h"
#include "reference/reference_tables.h"
#include "state/app_context.h"
#include "widgets/qt_tool_window.h"

#include <QWidget>

class QFrame;
class QListWidget;
class QPushButton;
class QTabWidget;

class ReferenceWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit ReferenceWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The library listing adds names here; closing the library set-up window replaces the whole
    // list with its own.
    void addLibraries(const QStringList& names);
    void setLibraries(const QStringList& names);
    QStringList libraries() const;
    // The library selected on the DLZ page, or empty.
    QString selectedLibrary() const;
    ReferencePage activePage() const;

    // The insert dialog the foot buttons asked for last: its caption and page (0 setinfo,
    // 1 bind, 2 alias).
    QString insertDialogCaption() const { return m_insertCaption; }
    int insertDialogPage() const { return m_insertPage; }

signals:
    // A category or library was chosen: its status line, the value list's caption, then the list
    // file to load (Dogy loads it and hands the entries to the value list).
    void statusLineRequested(const QString& text);
    void valueListCaptionChanged(const QString& caption);
    void valueListRequested(const QString& listFilePath);
    // The records of the reference's state changed (LastRefPage, WeaponPictures, whether the
    // DLZ page is the active one): the windows that act on them take them from here.
    void pageStateChanged(int lastRefPage, bool weaponPictures, bool dlzPageActive);
    // The library page was shown: the library set-up lists the installed libraries again.
    void libraryListingRequested();
    // A foot button was clicked: the insert dialog should open, not modal, with this caption
    // on this page.
    void insertDialogRequested(const QString& caption, int page);

public slots:
    void FormShow();
    void ListBox1Click();
    void ListBox2Click();
    void ListBox3Click();
    void PC1Change();
    void TabSheet3Show();
    void TabSheet1Exit();
    void TabSheet2Exit();
    void TabSheet3Exit();
    void Panel1Resize();
    void SBut10Click();
    void SBut7Click();
    void SBut8Click();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void emitPageState();
    void buildPages();
    void buildButtons();
    void chooseCategory(ReferencePage page, QListWidget* list);
    void showChoice(const CategoryChoice& choice);
    void requestInsertDialog(QStringView buttonName);

    QString m_insertCaption;
    int m_insertPage = -1;

    // Controls, named as the program names them.
    QTabWidget* PC1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* SBut10 = nullptr;
    QPushButton* SBut7 = nullptr;
    QPushButton* SBut8 = nullptr;
};
