// LibrarySetupWindow, the library set-up window: installs value libraries (".dlz", with their
// ".pro" explanations) and MetaBinds (".mtb") by copying them into the program's tree, and removes
// them. It also runs the library listing that keeps the reference window's library page current.
#pragma once

#include "reference/library_set.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class LibrarySetupWindow : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit LibrarySetupWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The library listing: lists the ".dlz" files not listed yet here and on the reference
    // window's library page, then opens this window modally unless RefreshOnly is set.
    void runLibraryListing();
    // The same listing without opening the window (the reference window's library page).
    void refreshLibraryListing();

    const LibrarySet& librarySet() const { return m_set; }

signals:
    // Libraries this listing found, for the reference window's library page.
    void librariesAdded(const QStringList& names);
    // The installed libraries as the window closes.
    void librariesChanged(const QStringList& names);

public slots:
    void FormShow();
    void FormClose();
    void ListBox1Click();
    void ListBox2Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void showEvent(QShowEvent* e) override;
    void buildContents() override;

private:
    void showLists();

    AppContext& m_ctx;
    LibrarySet m_set;
    // The open dialog remembers its file type and folder between uses.
    int m_filterIndex = int(LibraryKind::Library);
    QString m_lastFolder;

    // Controls, named as the program names them.
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
};
