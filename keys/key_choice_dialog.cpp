// The key choice dialog.
#include "keys/key_choice_dialog.h"
#include "widgets/qt_widget_helpers.h"

#include "language/key_names.h"
#include "platform/user_dialogs.h"
#include "widgets/qt_list_boxes.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

const QSize kDialogSize(300, 330);

} // namespace

KeyChoiceDialog::KeyChoiceDialog(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"binds"_s);
    setWindowTitle(u"Выбор клавиши"_s);
    setWindowFlags(kFixedDialogFlags);
    setModal(true);
}

void KeyChoiceDialog::buildContents() {
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(u"ListBox1"_s);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    showInTwoColumns(ListBox1);
    layout->addWidget(ListBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button2 = new QPushButton(u"Отмена"_s, this);
    Button2->setObjectName(u"Button2"_s);
    Button2->setAutoDefault(false);
    Button1 = new QPushButton(u"OK"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true);
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    layout->addLayout(buttons);
    setFixedSize(kDialogSize);
    connect(Button1, &QPushButton::clicked, this, &KeyChoiceDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &KeyChoiceDialog::Button2Click);
}

QString KeyChoiceDialog::chosenKey() const {
    ensureBuilt();
    return selectedText(ListBox1);
}

void KeyChoiceDialog::chooseKey(const KeyRequest& request) {
    m_request = request;
    m_accepted.clear();
    ensureBuilt(); // its size is set there, and it is centred by it
    // Made with the main window as its parent.
    if (QWidget* main = parentWidget())
        centreFrameOn(this, main->frameGeometry(), main);
    const bool ok = exec() == QDialog::Accepted;
    const KeyRequest answered = std::exchange(m_request, KeyRequest{});
    if (ok && !m_accepted.isEmpty())
        emit keyChosen(answered, m_accepted);
}

void KeyChoiceDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Not when the dialog comes back from being minimized: the choice made stays.
    if (!e->spontaneous())
        FormShow();
}

void KeyChoiceDialog::FormShow() {
    ensureBuilt();
    // A fresh list at every opening: no choice survives from the last one.
    ListBox1->clear();
    ListBox1->addItems(keyNames());
    dropSelection(ListBox1);
    ListBox1->setFocus();
}

void KeyChoiceDialog::Button1Click() {
    const QString key = chosenKey();
    if (key.isEmpty()) {
        m_ctx.dialogs.message(u"Для продолжения выберите клавишу!"_s);
        return;
    }
    if (m_request.accepts && !m_request.accepts(key)) {
        // No to the asker's question: the user may choose another key.
        ListBox1->setFocus();
        return;
    }
    m_accepted = key;
    accept();
}

void KeyChoiceDialog::Button2Click() {
    reject();
}

void KeyChoiceDialog::reject() {
    m_accepted.clear();
    QDialog::reject();
}
