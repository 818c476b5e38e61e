// The about box.
#include "shell/about_dialog.h"

#include "widgets/qt_widget_helpers.h"

#include "widgets/qt_tool_icons.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

QString AboutDialog::versionLine() {
    return u"Версия 2.5 ( 17 октября 2002 г.)"_s;
}

QString AboutDialog::licenceLine() {
    return u"Свободная программа: её можно распространять и изменять на условиях GNU GPL "
           u"версии 3 или (по вашему выбору) любой более поздней версии."_s;
}

AboutDialog::AboutDialog(AppContext& ctx, QWidget* parent) : BuiltOnFirstShow(parent) {
    Q_UNUSED(ctx);
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"О программе 'Tessera for Counter Strike'"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
}

void AboutDialog::buildContents() {
    build();
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        centreFrameOn(this, screen->availableGeometry(), parentWidget());
}

void AboutDialog::build() {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(u"ProgramIcon"_s);
    picture->setPixmap(applicationIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);
    top->addWidget(picture);
    auto* texts = new QVBoxLayout;
    ProductName = new QLabel(u"Tessera for Counter-Strike"_s, this);
    ProductName->setObjectName(u"ProductName"_s);
    QFont big = ProductName->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    ProductName->setFont(big);
    Version = new QLabel(versionLine(), this);
    Version->setObjectName(u"Version"_s);
    Comments = new QLabel(
        u"Редактор конфигов Counter-Strike 1.5 и более ранних версий: бинды, алиасы, setinfo и "
        u"консольные "
        "переменные, справочник команд и библиотеки значений, Мастер CFG, скрипты закупки, "
        "радио и чата, MetaBinds, настройка смены карт и запуск игры с вашим конфигом."_s,
        this);
    Comments->setObjectName(u"Comments"_s);
    Comments->setWordWrap(true);
    // A fixed width lets the wrapped text take the height it needs.
    Comments->setFixedWidth(340);
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addSpacing(8);
    texts->addWidget(Comments);
    texts->addSpacing(6);
    Licence = new QLabel(licenceLine(), this);
    Licence->setObjectName(u"Licence"_s);
    Licence->setWordWrap(true);
    Licence->setFixedWidth(340);
    texts->addWidget(Licence);
    texts->addSpacing(6);
    // The pages open in the program's help window, which needs no web browser.
    HelpLinks = new QLabel(u"<a href=\"help.html\">Справка</a> · <a href=\"faq.html\">Вопросы и "
                           u"ответы</a> · <a href=\"about.html\">История</a>"_s,
                           this);
    HelpLinks->setObjectName(u"HelpLinks"_s);
    HelpLinks->setTextFormat(Qt::RichText);
    HelpLinks->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                       Qt::LinksAccessibleByKeyboard);
    connect(HelpLinks, &QLabel::linkActivated, this, &AboutDialog::helpRequested);
    texts->addWidget(HelpLinks);
    top->addLayout(texts, 1);
    outer->addLayout(top);
    OKButton = new QPushButton(u"OK"_s, this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}
