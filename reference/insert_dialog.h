// InsertDialog, the insert dialog: prepares one "setinfo", "bind" or "alias" line and has the value
// list insert it at the editor's caret. It is opened, not modal, by the reference window's three
// buttons, each on its own page; its pages have no tabs.
#pragma once

#include "reference/insertion.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

class InsertDialog : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    explicit InsertDialog(AppContext& ctx, QWidget* parent = nullptr);

    // The key, parameter, value and alias name as the dialog holds them now.
    InsertionPieces insertionPieces() const;

signals:
    // The value list inserts the line the confirmed page prepared in `insertMode` (with
    // insertionPieces and its selected entry).
    void insertRequested(int insertMode);
    // EndEnter in the editor after the setinfo page's line.
    void lineBreakRequested();

public slots:
    // Shows the dialog, not modal, with `caption` on page `page` (0 setinfo, 1 bind, 2 alias).
    void openPage(const QString& caption, int page);
    void FormShow();
    void Button10Click(); // "ОК" of the setinfo page (Button1)
    void Button3Click();  // "ОК" of the bind page
    void Button5Click();  // "ОК" of the alias page

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void buildContents() override;

private:
    QWidget* buildSetinfoPage();
    QWidget* buildBindPage();
    QWidget* buildAliasPage();
    // A page's fields beside its column of "ОК" and "Отмена".
    QWidget* buildPage(int index, QWidget* fields);
    void insertPage(int index);
    // Warns, naming the field, when the fields cannot be inserted in `insertMode`.
    bool refused(int insertMode);
    void remember(QComboBox* history);
    void fitKeyColumns();

    AppContext& m_ctx;

    // Controls, named as the program names them.
    QStackedWidget* pg2 = nullptr;
    QWidget* tb1 = nullptr;
    QWidget* tb2 = nullptr;
    QWidget* tb3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QLineEdit* Edi1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QComboBox* ComboBox4 = nullptr;
};
