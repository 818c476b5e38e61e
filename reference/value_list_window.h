// TPani1, the value list window: the entries of the category or library chosen in the reference
// window. A click on an entry explains it (or shows its picture) in the explanation pop-up; a
// double click or "Добавить" inserts it into the config at the caret. DblClick1 also writes the
// lines the insert dialog prepares.
#pragma once

#include "app/app_context.h"
#include "shell/qt_tool_window.h"

#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

class TPani1 : public ToolWindow {
    Q_OBJECT
public:
    enum class Caller {
        ValueList, // a double click or "Добавить": the entry, in the form of the last category
        InsertDialog, // InsertMode was set by the insert dialog
    };

    explicit TPani1(AppContext& ctx, QWidget* parent = nullptr);

    // The selected entry, or empty.
    QString selectedEntry() const;

public slots:
    void ListBox1Click();
    // The insertion into the editor at the caret, replacing the selection.
    void DblClick1(TPani1::Caller caller = Caller::InsertDialog);
    void FormResize();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void showEntries();
    void showEntryPicture(const QString& entry);
    void showEntryExplanation(const QString& entry);
    // The caret column the insertion lands at: that of the selection's start.
    int insertionColumn() const;

    // Controls, named as the program names them.
    QFrame* Panel1 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* Button1 = nullptr;
};
