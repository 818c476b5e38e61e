// The new-config dialog.
#include "shell/new_config_dialog.h"

#include "widgets/qt_widget_helpers.h"

#include "platform/text_file.h"
#include "platform/user_dialogs.h"
#include "shell/new_config.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

NewConfigDialog::NewConfigDialog(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"sozdat"_s);
    setWindowTitle(u"Создать новый конфиг"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
}

void NewConfigDialog::buildContents() {
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(u"Введите имя конфига (без расширения)"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Button1 = new QPushButton(u"ОК"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true);
    Button2 = new QPushButton(u"Отмена"_s, this);
    Button2->setObjectName(u"Button2"_s);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    adjustSize();
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    connect(Button1, &QPushButton::clicked, this, &NewConfigDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &NewConfigDialog::Button2Click);
}

void NewConfigDialog::runModal(const QString& folder) {
    m_folder = folder;
    ensureBuilt();
    if (QWidget* main = parentWidget())
        centreFrameOn(this, main->frameGeometry(), main);
    Edit1->setFocus();
    exec();
}

void NewConfigDialog::Button1Click() {
    const NewConfigResult r = createEmptyConfig(
        m_folder.isEmpty() ? m_ctx.state.games.wizardFolder : m_folder, Edit1->text());
    switch (r.kind) {
    case NewConfigResult::EmptyName:
        m_ctx.dialogs.message(u"Файл не создан!"_s);
        break;
    case NewConfigResult::Exists:
        m_ctx.dialogs.message(u"Такой файл уже существует!"_s);
        break;
    case NewConfigResult::Failed:
        // Said rather than passed over: the user would otherwise look for a file that is not there.
        m_ctx.dialogs.error(u"Файл не создан!\n"_s + textfile::describeFailure(r.path, r.reason));
        break;
    case NewConfigResult::Created:
        accept();
        break;
    }
    Edit1->clear();
    Edit1->setFocus();
}

void NewConfigDialog::Button2Click() {
    reject();
}
