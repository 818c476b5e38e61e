// The main window's find dialog: modeless, offering only "Найти далее". Each find next runs
// the find primitive on the main editor with the text typed here.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class SearchTarget;
struct FindState;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(FindState& find, SearchTarget& target, QWidget* parent);

    // The find command: an empty find text, the dialog shown and brought forward.
    void start();

public slots:
    void FindNextClick();

private:
    void findTextEdited(const QString& text);

    FindState& m_find;
    SearchTarget& m_target;
    QLineEdit* FindEdit = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
