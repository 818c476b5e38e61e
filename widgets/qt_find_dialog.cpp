// The find dialog.
#include "widgets/qt_find_dialog.h"

#include "state/shared_state.h"
#include "widgets/find_primitive.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

FindDialog::FindDialog(FindState& find, SearchTarget& target, QWidget* parent)
    : QDialog(parent), m_find(find), m_target(target) {
    setObjectName(u"FindDialog1"_s);
    setWindowTitle(u"Найти"_s);
    setModal(false);

    auto* label = new QLabel(u"&Что:"_s, this);
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(u"FindEdit"_s);
    FindEdit->setMinimumWidth(220);
    label->setBuddy(FindEdit);
    FindNextButton = new QPushButton(u"&Найти далее"_s, this);
    FindNextButton->setObjectName(u"FindNextButton"_s);
    FindNextButton->setDefault(true);
    // Room around the caption, as the dialog's other button has.
    FindNextButton->setMinimumWidth(
        FindNextButton->fontMetrics().horizontalAdvance(u"Найти далее"_s) + 32);
    FindNextButton->setEnabled(false);
    CancelButton = new QPushButton(u"Отмена"_s, this);
    CancelButton->setObjectName(u"CancelButton"_s);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(FindEdit, 0, 1);
    grid->addWidget(FindNextButton, 0, 2);
    grid->addWidget(CancelButton, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(FindEdit, &QLineEdit::textChanged, this, &FindDialog::findTextEdited);
    connect(FindNextButton, &QPushButton::clicked, this, &FindDialog::FindNextClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void FindDialog::start() {
    m_find.findText.clear();
    FindEdit->clear();
    show();
    raise();
    activateWindow();
    FindEdit->setFocus();
}

void FindDialog::findTextEdited(const QString& text) {
    m_find.findText = text;
    FindNextButton->setEnabled(!text.isEmpty());
}

void FindDialog::FindNextClick() {
    // Always the editor this dialog belongs to: another window may have pointed the shared
    // target at its own box for a search of its own since the dialog was opened.
    m_find.searchTarget = &m_target;
    m_find.findText = FindEdit->text();
    findNext(m_find);
}
