// Page 9's scripted key area: its controls, the buy choices with their picture and prices, and
// the message choices with the radio preview. BIND itself is in wizard_window_script_bind.cpp.
//
// The page is laid out from the font: the left column holds the "Оружие" and "Сообщения" groups
// with the prices below them, the right column the picture and the key pages' movement cross
// over the equipment list and the BIND controls.
#include "wizard/wizard_window_script_area.h"

#include "platform/jpeg_image.h"
#include "platform/user_dialogs.h"
#include "platform/wav_module_loader.h"
#include "state/app_context.h"
#include "widgets/qt_widget_helpers.h"
#include "wizard/buy_tables.h"
#include "wizard/radio_tables.h"
#include "wizard/wizard_window.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kPage9 = 8;

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QComboBox* dropDownList(const QString& name, QWidget* parent, int rows) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    limitDropDown(box, rows);
    // The lists are as wide as their column, whatever their longest entry.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(6);
    return box;
}

// A column of controls inside a group box, laid out from the font.
QVBoxLayout* boxColumn(QWidget* box) {
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(6, 4, 6, 6);
    v->setSpacing(1);
    return v;
}

void uncheck(QRadioButton* b) {
    // An exclusive button cannot be unchecked by itself.
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

bool isEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ScriptKeyArea::ScriptKeyArea(ConfigWizard& form, AppContext& ctx, KeyPagesShare keyPages)
    : QObject(&form), m_form(form), m_ctx(ctx), m_keyPages(std::move(keyPages)) {
    setObjectName(u"ScriptKeyArea"_s);
    QWidget* page = form.page(kPage9);
    buildWeapons(page);
    buildEquipment(page);
    buildMessages(page);
    buildBindControls(page);
    layOutPage(page);
    // The wizard took its size before this page had its controls: it grows to hold them, so
    // no list is squeezed out of its frame (in larger fonts and scales too).
    if (QLayout* whole = form.layout())
        form.setFixedSize(whole->totalMinimumSize().expandedTo(form.size()));
    setWavPlayer(std::make_unique<ModuleWavPlayer>(m_ctx.state.home.soundModule()));

    connect(&form, &ConfigWizard::pageShown, this, [this](int index) {
        if (index == kPage9)
            showKeyLists();
    });
    // A freshly read config starts with both BIND buttons off.
    connect(&form, &ConfigWizard::documentsRead, this, [this] {
        for (QComboBox* box : {ComboBox6, ComboBox7, ComboBox9}) {
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(-1);
        }
        showKeyLists();
        SpeedButton1->setEnabled(false);
        SpeedButton2->setEnabled(false);
    });
}

ScriptKeyArea::~ScriptKeyArea() = default;

void ScriptKeyArea::setWavPlayer(std::unique_ptr<WavPlayer> player) {
    m_player = std::move(player);
    m_player->setFailureHandler([this](const QString& reason) {
        setPlayerButtonsEnabled(false, reason);
        tellOnce(reason);
    });
    setPlayerButtonsEnabled(false);
}

void ScriptKeyArea::buildWeapons(QWidget* page) {
    GroupBoxWeapons = new QGroupBox(u"Оружие"_s, page);
    GroupBoxWeapons->setObjectName(u"GroupBoxWeapons"_s);
    QVBoxLayout* weapons = boxColumn(GroupBoxWeapons);

    weapons->addWidget(label(u"Автоматы и ружья"_s, GroupBoxWeapons));
    ComboBox3 = dropDownList(u"ComboBox3"_s, GroupBoxWeapons, 17);
    ComboBox3->addItem(QString());
    for (const buy::Gun& gun : buy::longArms())
        ComboBox3->addItem(gun.text);
    weapons->addWidget(ComboBox3);

    weapons->addWidget(label(u"Пистолеты"_s, GroupBoxWeapons));
    ComboBox4 = dropDownList(u"ComboBox4"_s, GroupBoxWeapons, 7);
    ComboBox4->addItem(QString());
    for (const buy::Gun& gun : buy::pistols())
        ComboBox4->addItem(gun.text);
    weapons->addWidget(ComboBox4);

    weapons->addWidget(label(u"Боекомплект"_s, GroupBoxWeapons));
    ComboBox5 = dropDownList(u"ComboBox5"_s, GroupBoxWeapons, 7);
    for (const buy::Ammunition& ammo : buy::ammunition())
        ComboBox5->addItem(ammo.text);
    weapons->addWidget(ComboBox5);

    connect(ComboBox3, &QComboBox::activated, this, &ScriptKeyArea::ComboBox3Select);
    connect(ComboBox4, &QComboBox::activated, this, &ScriptKeyArea::ComboBox4Select);
    connect(ComboBox5, &QComboBox::activated, this, &ScriptKeyArea::ComboBox5Select);

    Label92 = label(u"0$"_s, page);
    Label92->setObjectName(u"Label92"_s);
    Label93 = label(u"0$"_s, page);
    Label93->setObjectName(u"Label93"_s);
    for (QLabel* l : {Label92, Label93}) {
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
    }
}

void ScriptKeyArea::buildEquipment(QWidget* page) {
    Image2 = new QLabel(page);
    Image2->setObjectName(u"Image2"_s);
    Image2->setFixedSize(100, 94);
    Image2->setAlignment(Qt::AlignCenter);
    // Its place is kept while it is hidden, so a picture coming or going moves nothing: the
    // next click lands on the row the player aimed at.
    QSizePolicy keepPlace = Image2->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Image2->setSizePolicy(keepPlace);
    Image2->hide();

    CheckListBox1 = new QListWidget(page);
    CheckListBox1->setObjectName(u"CheckListBox1"_s);
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setUniformItemSizes(true);
    for (const buy::EquipmentItem& equipment : buy::equipment()) {
        auto* item = new QListWidgetItem(equipment.text, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // Every item in sight with the list's frame around it, at any scale.
    CheckListBox1->setMinimumHeight(CheckListBox1->count() * CheckListBox1->sizeHintForRow(0) +
                                    2 * CheckListBox1->frameWidth() + 2);
    connect(CheckListBox1, &QListWidget::itemChanged, this,
            &ScriptKeyArea::CheckListBox1ClickCheck);
}

void ScriptKeyArea::buildMessages(QWidget* page) {
    GroupBoxMessages = new QGroupBox(u"Сообщения"_s, page);
    GroupBoxMessages->setObjectName(u"GroupBoxMessages"_s);
    QVBoxLayout* messages = boxColumn(GroupBoxMessages);

    messages->addWidget(label(u"Радио:"_s, GroupBoxMessages));
    ComboBox8 = dropDownList(u"ComboBox8"_s, GroupBoxMessages, 24);
    for (const radio::Message& message : radio::messages())
        ComboBox8->addItem(message.text);
    // Only the player's choice: the reset after a BIND leaves the preview buttons as they are.
    connect(ComboBox8, &QComboBox::activated, this, &ScriptKeyArea::ComboBox8Change);
    ComboBox8->installEventFilter(this);

    mp_radio = new QWidget(GroupBoxMessages);
    mp_radio->setObjectName(u"mp_radio"_s);
    mp_radio->setFixedSize(46, 20);
    m_play = new QToolButton(mp_radio);
    m_play->setObjectName(u"Play"_s);
    m_play->setIcon(mp_radio->style()->standardIcon(QStyle::SP_MediaPlay));
    m_play->setToolTip(u"Прослушать"_s);
    m_play->setGeometry(0, 0, 23, 20);
    m_stop = new QToolButton(mp_radio);
    m_stop->setObjectName(u"Stop"_s);
    m_stop->setIcon(mp_radio->style()->standardIcon(QStyle::SP_MediaStop));
    m_stop->setToolTip(u"Остановить"_s);
    m_stop->setGeometry(23, 0, 23, 20);
    connect(m_play, &QToolButton::clicked, this, [this] { mp_radioClick(PlayerButton::Play); });
    connect(m_stop, &QToolButton::clicked, this, [this] { mp_radioClick(PlayerButton::Stop); });

    auto* radioRow = new QHBoxLayout;
    radioRow->setSpacing(2);
    radioRow->addWidget(ComboBox8, 1);
    radioRow->addWidget(mp_radio);
    messages->addLayout(radioRow);

    messages->addWidget(label(u"Свое текстовое сообщение:"_s, GroupBoxMessages));
    Edit3 = new QLineEdit(GroupBoxMessages);
    Edit3->setObjectName(u"Edit3"_s);
    Edit3->setEnabled(false);
    paintSwitchable(Edit3, false);
    // Off until a recipient is chosen: the field says so itself.
    Edit3->setPlaceholderText(u"сначала выберите «Для кого»"_s);
    Edit3->setToolTip(u"Текст можно ввести, когда выбрано «Для кого»: Команде или Всем"_s);
    messages->addWidget(Edit3);

    RadioButton49 = new QRadioButton(u"Команде"_s, GroupBoxMessages);
    RadioButton49->setObjectName(u"RadioButton49"_s);
    RadioButton50 = new QRadioButton(u"Всем"_s, GroupBoxMessages);
    RadioButton50->setObjectName(u"RadioButton50"_s);
    auto* recipients = new QHBoxLayout;
    recipients->setSpacing(6);
    recipients->addWidget(label(u"Для кого:"_s, GroupBoxMessages));
    recipients->addWidget(RadioButton49);
    recipients->addWidget(RadioButton50);
    recipients->addStretch(1);
    messages->addLayout(recipients);
    connect(RadioButton49, &QRadioButton::clicked, this, &ScriptKeyArea::RadioButton49Click);
    connect(RadioButton50, &QRadioButton::clicked, this, &ScriptKeyArea::RadioButton50Click);
}

void ScriptKeyArea::buildBindControls(QWidget* page) {
    m_bindHint = label(u"Выберите клавишу и нажмите <BIND>"_s, page);
    m_bindHint->setWordWrap(true);
    ComboBox6 = dropDownList(u"ComboBox6"_s, page, 16);
    SpeedButton1 = new QToolButton(page);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);

    ComboBox7 = dropDownList(u"ComboBox7"_s, page, 16);
    SpeedButton3 = new QToolButton(page);
    SpeedButton3->setObjectName(u"SpeedButton3"_s);
    SpeedButton3->setText(u"+"_s);
    SpeedButton3->setToolTip(u"Комбинация клавиш"_s);
    SpeedButton3->setAutoRaise(true);
    ComboBox9 = dropDownList(u"ComboBox9"_s, page, 16);
    setComboBox9On(false);
    SpeedButton2 = new QToolButton(page);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);

    for (QToolButton* b : {SpeedButton1, SpeedButton2}) {
        b->setText(u"BIND"_s);
        b->setAutoRaise(true);
        QFont bold = b->font();
        bold.setBold(true);
        b->setFont(bold);
        b->setEnabled(false);
    }

    PMenu1 = new QMenu(ComboBox7);
    PMenu1->setObjectName(u"PMenu1"_s);
    popua1 = PMenu1->addAction(u"Удалить"_s);
    popua1->setObjectName(u"popua1"_s);
    ComboBox7->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ComboBox7, &QComboBox::customContextMenuRequested, this, [this](const QPoint& at) {
        PMenu1Popup();
        PMenu1->popup(ComboBox7->mapToGlobal(at));
    });
    connect(popua1, &QAction::triggered, this, &ScriptKeyArea::popua1Click);

    connect(ComboBox6, &QComboBox::currentIndexChanged, this, &ScriptKeyArea::ComboBox6Change);
    connect(ComboBox7, &QComboBox::currentIndexChanged, this, &ScriptKeyArea::ComboBox7Change);
    connect(SpeedButton1, &QToolButton::clicked, this, &ScriptKeyArea::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &ScriptKeyArea::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &ScriptKeyArea::SpeedButton3Click);
    ComboBox6->installEventFilter(this);
    ComboBox7->installEventFilter(this);
}

void ScriptKeyArea::layOutPage(QWidget* page) {
    // Left: the weapons, the messages and the costs. Right: the picture and the key pages'
    // movement cross over the equipment list and the BIND controls.
    auto* costs = new QGridLayout;
    costs->setContentsMargins(4, 2, 0, 0);
    costs->setHorizontalSpacing(4);
    costs->setVerticalSpacing(2);
    costs->addWidget(label(u"Стоимость покупаемого:"_s, page), 0, 0);
    costs->addWidget(Label92, 0, 1);
    costs->addWidget(label(u"Стоимость патронов:"_s, page), 1, 0);
    costs->addWidget(Label93, 1, 1);
    costs->setColumnStretch(1, 1);
    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(GroupBoxWeapons);
    left->addWidget(GroupBoxMessages);
    left->addLayout(costs);
    left->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    top->addWidget(Image2, 0, Qt::AlignTop);
    top->addStretch(1);
    if (QWidget* cross = m_keyPages.movementCross)
        top->addWidget(cross, 0, Qt::AlignTop);
    auto* newKey = new QHBoxLayout;
    newKey->setSpacing(4);
    newKey->addWidget(ComboBox6, 1);
    newKey->addWidget(SpeedButton1);
    auto* captions = new QGridLayout;
    captions->setHorizontalSpacing(2);
    captions->setVerticalSpacing(1);
    captions->addWidget(label(u"Использованные:"_s, page), 0, 0);
    captions->addWidget(label(u"Кнопка"_s, page), 0, 2);
    captions->addWidget(ComboBox7, 1, 0);
    captions->addWidget(SpeedButton3, 1, 1);
    captions->addWidget(ComboBox9, 1, 2);
    captions->setColumnStretch(0, 3);
    captions->setColumnStretch(2, 2);
    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    right->addLayout(top);
    right->addWidget(CheckListBox1, 1);
    right->addWidget(m_bindHint);
    right->addLayout(newKey);
    right->addLayout(captions);
    right->addWidget(SpeedButton2, 0, Qt::AlignLeft);

    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(2, 2, 2, 2);
    columns->setSpacing(4);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    // Tab goes down the left column, then through the movement keys and down the right one.
    QList<QWidget*> order = {ComboBox3, ComboBox4, ComboBox5,     ComboBox8,    m_play,
                             m_stop,    Edit3,     RadioButton49, RadioButton50};
    order << m_keyPages.movementButtons;
    order << CheckListBox1 << ComboBox6 << SpeedButton1 << ComboBox7 << ComboBox9 << SpeedButton2;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    // The combination switch beside the list takes no focus: Tab passes it by. Set once the
    // page's chain is linked, which leaves it tab focus otherwise.
    SpeedButton3->setFocusPolicy(Qt::NoFocus);
}

script::Composition ScriptKeyArea::composition() const {
    script::Composition c;
    c.longArm = std::max(0, ComboBox3->currentIndex());
    c.pistol = std::max(0, ComboBox4->currentIndex());
    c.ammunition = std::max(0, ComboBox5->currentIndex());
    for (int i = 0; i < buy::kEquipmentCount; ++i)
        c.equipment[i] = CheckListBox1->item(i)->checkState() == Qt::Checked;
    c.radio = std::max(0, ComboBox8->currentIndex());
    c.chatText = Edit3->text();
    c.chatToTeam = RadioButton49->isChecked();
    return c;
}

void ScriptKeyArea::ComboBox3Select(int index) {
    m_rifleCost = script::longArmCost(index);
    if (m_rifleCost > 0)
        vivi(buy::longArms()[index - 1].pictureName);
    else
        Image2->hide();
    ShowPurchaseCost();
}

void ScriptKeyArea::ComboBox4Select(int index) {
    m_pistolCost = script::pistolCost(index);
    if (m_pistolCost > 0)
        vivi(buy::pistols()[index - 1].pictureName);
    else
        Image2->hide();
    ShowPurchaseCost();
}

void ScriptKeyArea::ComboBox5Select(int index) {
    Label93->setText(script::ammunitionRangeText(index));
    ShowPurchaseCost();
}

void ScriptKeyArea::CheckListBox1ClickCheck(QListWidgetItem* item) {
    // The item whose box changed is the one the user is at.
    const int row = CheckListBox1->row(item);
    {
        const QSignalBlocker quiet(CheckListBox1);
        CheckListBox1->setCurrentRow(row);
        std::array<bool, buy::kEquipmentCount> checked{};
        for (int i = 0; i < buy::kEquipmentCount; ++i)
            checked[i] = CheckListBox1->item(i)->checkState() == Qt::Checked;
        script::applyVestExclusion(checked, row);
        for (int i = 0; i < buy::kEquipmentCount; ++i)
            CheckListBox1->item(i)->setCheckState(checked[i] ? Qt::Checked : Qt::Unchecked);
        m_equipmentCost = script::equipmentCost(checked);
    }
    if (row >= 0 && row < buy::kEquipmentCount)
        vivi(buy::equipment()[row].pictureName);
    else
        Image2->hide();
    ShowPurchaseCost();
}

void ScriptKeyArea::vivi(const QString& pictureName) {
    Image2->show();
    const JpegResult picture = loadJpeg(buy::picturePath(m_ctx.state.home, pictureName));
    if (!picture.ok()) {
        Image2->hide();
        m_ctx.dialogs.error(u"Ненайден файл соответствующий значению!"_s);
        return;
    }
    QImage image = picture.image;
    if (image.width() > Image2->width() || image.height() > Image2->height())
        image = image.scaled(Image2->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Image2->setPixmap(QPixmap::fromImage(image));
}

void ScriptKeyArea::ShowPurchaseCost() {
    Label92->setText(script::costText(m_rifleCost + m_pistolCost + m_equipmentCost));
}

void ScriptKeyArea::ComboBox8Change() {
    const int entry = ComboBox8->currentIndex();
    if (ComboBox8->currentText().isEmpty()) {
        setPlayerButtonsEnabled(false);
        return;
    }
    const QString sound = radio::soundFile(m_ctx.state.games.wizardFolder, entry);
    if (sound.isEmpty()) {
        setPlayerButtonsEnabled(false);
        return;
    }
    QString reason;
    if (!m_player->available(&reason)) {
        setPlayerButtonsEnabled(false, reason);
        tellOnce(reason);
        return;
    }
    setPlayerButtonsEnabled(m_player->open(sound));
}

void ScriptKeyArea::mp_radioClick(PlayerButton button) {
    if (button == PlayerButton::Play) {
        m_player->play();
    } else {
        m_player->stop();
        m_player->rewind();
    }
}

void ScriptKeyArea::RadioButton49Click() {
    enableChatText();
}
void ScriptKeyArea::RadioButton50Click() {
    enableChatText();
}

void ScriptKeyArea::enableChatText() {
    Edit3->setEnabled(true);
    paintSwitchable(Edit3, true);
}

void ScriptKeyArea::paintSwitchable(QWidget* w, bool on) {
    // On is drawn in the tool-tip colour, off in the button face.
    QPalette p = w->palette();
    const QPalette system = w->style()->standardPalette();
    const QColor colour = on ? system.color(QPalette::ToolTipBase) : system.color(QPalette::Button);
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
}

void ScriptKeyArea::setPlayerButtonsEnabled(bool enabled, const QString& whyNot) {
    m_play->setEnabled(enabled);
    m_stop->setEnabled(enabled);
    // The status line that said why may be hidden under the wizard: the buttons say it too.
    m_play->setToolTip(enabled || whyNot.isEmpty() ? u"Прослушать"_s : whyNot);
    m_stop->setToolTip(enabled || whyNot.isEmpty() ? u"Остановить"_s : whyNot);
}

void ScriptKeyArea::tellOnce(const QString& reason) {
    if (reason.isEmpty() || m_toldReasons.contains(reason))
        return;
    m_toldReasons.insert(reason);
    emit m_form.statusLineRequested(reason);
}

void ScriptKeyArea::clearChatRecipient() {
    uncheck(RadioButton49);
    uncheck(RadioButton50);
}

void ScriptKeyArea::resetComposition() {
    ComboBox3->setCurrentIndex(0);
    ComboBox4->setCurrentIndex(0);
    ComboBox5->setCurrentIndex(0);
    {
        const QSignalBlocker quiet(CheckListBox1);
        for (int i = 0; i < CheckListBox1->count(); ++i)
            CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
    }
    ComboBox8->setCurrentIndex(0);
    Edit3->clear();
    Edit3->setEnabled(false);
    paintSwitchable(Edit3, false);
    clearChatRecipient();
    Image2->hide();
    Label92->setText(script::costText(0));
    Label93->setText(script::ammunitionRangeText(0));
    m_rifleCost = m_pistolCost = m_equipmentCost = 0;
}

bool ScriptKeyArea::eventFilter(QObject* watched, QEvent* event) {
    if (isEnter(event)) {
        if (watched == ComboBox6) {
            SpeedButton1Click();
            return true;
        }
        if (watched == ComboBox7) {
            SpeedButton2Click();
            return true;
        }
        if (watched == ComboBox8) {
            if (!ComboBox8->currentText().isEmpty() && (m_play->isEnabled() || m_stop->isEnabled()))
                m_player->play();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
