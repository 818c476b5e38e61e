// The key choice dialog.
#include "keys/key_choice_dialog.h"
#include "shell/qt_widget_helpers.h"

#include "keys/key_assignment.h"
#include "platform/user_dialogs.h"
#include "reference/key_list.h"
#include "reference/qt_list_boxes.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

QString reassignmentQuestion(const QString& key, const QString& holder) {
    const QString question = u"Вы действительно хотите переназначить выбранную клавишу?"_s;
    if (holder.isEmpty())
        return u"Клавиша "_s + key + u" уже занята.\n"_s + question;
    return u"Клавиша "_s + key + u" сейчас назначена на «"_s + holder + u"».\n"_s + question;
}

namespace {

const QSize kDialogSize(300, 330);

// The question goes through the program's dialogs; the document work through the wizard.
class ReassignThroughWizard final : public KeyReassignment {
public:
    ReassignThroughWizard(UserDialogs& dialogs, KeyChoiceClient& client, const QString& key)
        : m_dialogs(dialogs), m_client(client), m_key(key) {}
    bool confirmReassignment() override {
        return m_dialogs.confirmDestructive(reassignmentQuestion(
                   m_key, m_client.actionHoldingKey(m_key))) == UserDialogs::Answer::Yes;
    }
    void onDocuments(const std::function<void()>& work) override { m_client.runOnDocuments(work); }

private:
    UserDialogs& m_dialogs;
    KeyChoiceClient& m_client;
    QString m_key;
};

} // namespace

Tbinds::Tbinds(AppContext& ctx, QWidget* parent) : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"binds"_s);
    setWindowTitle(u"Выбор клавиши"_s);
    setWindowFlags(kFixedDialogFlags);
    setModal(true);
}

void Tbinds::buildContents() {
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
    connect(Button1, &QPushButton::clicked, this, &Tbinds::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tbinds::Button2Click);
}

QString Tbinds::chosenKey() const {
    ensureBuilt();
    return selectedText(ListBox1);
}

void Tbinds::chooseKey() {
    ensureBuilt(); // its size is set there, and it is centred by it
    // Made with the main window as its parent.
    if (QWidget* main = parentWidget())
        centreFrameOn(this, main->frameGeometry(), main);
    exec();
}

void Tbinds::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Not when the dialog comes back from being minimized: the choice made stays.
    if (!e->spontaneous())
        FormShow();
}

void Tbinds::FormShow() {
    ensureBuilt();
    // A fresh list at every opening: no choice survives from the last one.
    ListBox1->clear();
    ListBox1->addItems(keyNames());
    dropSelection(ListBox1);
    ListBox1->setFocus();
}

void Tbinds::Button1Click() {
    const QString key = chosenKey();
    if (key.isEmpty()) {
        m_ctx.dialogs.message(u"Для продолжения выберите клавишу!"_s);
        return;
    }
    SharedState& state = m_ctx.state;
    if (state.keySlot >= 1) {
        const int slot = state.keySlot;
        state.keySlot = 0;
        emit metaBindSlotChosen(slot, key);
        accept();
        return;
    }
    acceptForWizard(key);
}

void Tbinds::acceptForWizard(const QString& key) {
    SharedState& state = m_ctx.state;
    if (!m_client) {
        state.keyChosen = 1;
        accept();
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(state.actionButton);
    const QString caption = button ? button->text() : QString();
    ReassignThroughWizard wizard(m_ctx.dialogs, *m_client, key);
    const KeyChoiceResult result =
        keyChoiceOk(m_client->workingSet(), key, caption, state.actionCommand, wizard);
    if (result.outcome != KeyChoice::Accepted) {
        // No to the question: the user may choose another key.
        state.keyChosen = 0;
        ListBox1->setFocus();
        return;
    }
    if (result.reassigned) {
        m_client->showActionCaptions();
        if (button) {
            button->setText(result.caption);
            button->setToolTip(result.caption);
        }
    }
    state.keyChosen = 1;
    accept();
}

void Tbinds::Button2Click() {
    reject();
}

void Tbinds::reject() {
    m_ctx.state.keyChosen = 0;
    m_ctx.state.keySlot = 0;
    QDialog::reject();
}
