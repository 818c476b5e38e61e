// The wizard's key pages.
#include "keys/Unit2_key_pages.h"

#include "keys/action_table.h"
#include "keys/key_assignment.h"
#include "wizard/Unit2.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_working_set.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kPage9 = 8;
constexpr int kPage10 = 9;
constexpr int kPage11 = 10;
const QSize kKeyButtonSize(58, 20);
// The cross shares page 9 with the scripted key area: its buttons are narrower.
const QSize kCrossButtonSize(32, 20);
constexpr int kRowHeight = 21;
// The wizard's pages are of one fixed size.
constexpr int kPageWidth = 392;
constexpr int kPageMargin = 2;
constexpr int kColumnGap = 5;
constexpr int kRowGap = 2;
// Where the buy panel opens over page 10.
const QRect kBuyPanelArea(112, 150, 278, 126);

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(true);
    return label;
}

// A label and its key button side by side.
QHBoxLayout* keyRow(QLabel* label, QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(kRowGap);
    row->addWidget(label, 1);
    row->addWidget(button);
    return row;
}

QVBoxLayout* column() {
    auto* c = new QVBoxLayout;
    c->setContentsMargins(0, 0, 0, 0);
    c->setSpacing(1);
    return c;
}

} // namespace

KeyPages* installKeyPages(TForm2& form, AppContext& ctx) {
    return new KeyPages(form, ctx);
}

KeyPages::KeyPages(TForm2& form, AppContext& ctx) : QObject(&form), m_form(form), m_ctx(ctx) {
    setObjectName(u"KeyPages"_s);
    m_buttons.resize(actionTable().size(), nullptr);
    buildMovementCross(form.page(kPage9));
    buildOtherActions(form.page(kPage10));
    buildRadioPage(form.page(kPage11));
    form.setActionCommands(actionCommands());
    connect(&form, &TForm2::documentsRead, this, &KeyPages::showActionCaptions);
    connect(&form, &TForm2::pageShown, this, [this](int index) {
        if (index == kPage9)
            TbS9Show();
    });
}

QPushButton* KeyPages::makeActionButton(int row, QWidget* parent) {
    const ActionRow& entry = actionTable()[size_t(row)];
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromUtf16(entry.button));
    button->setFixedSize(kKeyButtonSize);
    button->setAutoDefault(false);
    // Key names such as "MWHEELDOWN" have to fit buttons narrower than the page's labels.
    QFont small = button->font();
    small.setPixelSize(10);
    button->setFont(small);
    connect(button, &QPushButton::clicked, this, [this, button] { ActionButtonClick(button); });
    m_buttons[size_t(row)] = button;
    return button;
}

void KeyPages::buildMovementCross(QWidget* page) {
    auto* cross = new QWidget(page);
    cross->setObjectName(u"MovementCross"_s);
    cross->setGeometry(kMovementCrossArea);
    const int w = kCrossButtonSize.width();
    const int h = kCrossButtonSize.height();
    const int x0 = (kMovementCrossArea.width() - 3 * w) / 2;
    const int top = 30;
    // Forward above back, left and right beside them.
    const struct {
        const char16_t* name;
        int x;
        int y;
    } places[] = {
        {u"Button4", x0 + w, top},
        {u"Button5", x0, top + h + 2},
        {u"Button7", x0 + 2 * w, top + h + 2},
        {u"Button6", x0 + w, top + 2 * (h + 2)},
    };
    const auto rows = actionTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].page != 9)
            continue;
        if (!cross->findChild<QLabel*>()) {
            QLabel* title = heading(QString::fromUtf16(rows[i].group), cross);
            title->setGeometry(0, 0, kMovementCrossArea.width(), 28);
            title->setAlignment(Qt::AlignHCenter);
        }
        QPushButton* button = makeActionButton(int(i), cross);
        button->setFixedSize(kCrossButtonSize);
        for (const auto& place : places)
            if (button->objectName() == QStringView(place.name))
                button->move(place.x, place.y);
    }
}

void KeyPages::buildOtherActions(QWidget* page) {
    const auto rows = actionTable();
    const QString buyCaption = u"Покупка:"_s;
    // Each column is as wide as its longest label and the key buttons share what is left of
    // the fixed-size wizard's page.
    int labelWidth[3] = {0, 0, 0};
    const QFontMetrics metrics = page->fontMetrics();
    for (const ActionRow& row : rows)
        if (row.page == 10 && !row.onBuyPanel)
            labelWidth[row.column] = std::max(
                labelWidth[row.column], metrics.horizontalAdvance(QString::fromUtf16(row.caption)));
    labelWidth[2] = std::max(labelWidth[2], metrics.horizontalAdvance(buyCaption));
    const int spare = kPageWidth - 2 * kPageMargin - 2 * kColumnGap - 3 * kRowGap -
                      (labelWidth[0] + labelWidth[1] + labelWidth[2]);
    const QSize buttonSize(std::clamp(spare / 3, 36, kKeyButtonSize.width()),
                           kKeyButtonSize.height());

    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(kPageMargin, 4, kPageMargin, 4);
    columns->setSpacing(kColumnGap);
    QVBoxLayout* cols[3] = {column(), column(), column()};
    QString lastGroup[3];
    auto addRow = [&](int col, QLabel* label, QPushButton* button) {
        label->setFixedSize(labelWidth[col], kRowHeight);
        button->setFixedSize(buttonSize);
        cols[col]->addLayout(keyRow(label, button));
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const ActionRow& row = rows[i];
        if (row.page != 10 || row.onBuyPanel)
            continue;
        const QString group = QString::fromUtf16(row.group);
        if (!group.isEmpty() && group != lastGroup[row.column]) {
            QLabel* title = heading(group, page);
            title->setFixedWidth(labelWidth[row.column] + kRowGap + buttonSize.width());
            cols[row.column]->addWidget(title);
        }
        lastGroup[row.column] = group;
        auto* label = new QLabel(QString::fromUtf16(row.caption), page);
        label->setObjectName(QString::fromUtf16(row.label));
        addRow(row.column, label, makeActionButton(int(i), page));
    }
    // The buy keys wait behind ">>>" at the foot of the last column.
    Button38 = new QPushButton(u">>>"_s, page);
    Button38->setObjectName(u"Button38"_s);
    Button38->setAutoDefault(false);
    addRow(2, new QLabel(buyCaption, page), Button38);
    for (QVBoxLayout* col : cols) {
        col->addStretch(1);
        columns->addLayout(col);
    }
    columns->addStretch(1);
    connect(Button38, &QPushButton::clicked, this, &KeyPages::Button38Click);
    buildBuyPanel(page);
}

void KeyPages::buildBuyPanel(QWidget* page) {
    Panel2 = new QFrame(page);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(2);
    Panel2->setAutoFillBackground(true);
    Panel2->setGeometry(kBuyPanelArea);
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(8, 4, 8, 8);
    layout->setSpacing(2);
    Button51 = new QPushButton(u"X"_s, Panel2);
    Button51->setObjectName(u"Button51"_s);
    Button51->setFixedSize(20, 18);
    Button51->setAutoDefault(false);
    layout->addWidget(Button51, 0, Qt::AlignRight);
    const auto rows = actionTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].onBuyPanel)
            continue;
        auto* label = new QLabel(QString::fromUtf16(rows[i].caption), Panel2);
        label->setObjectName(QString::fromUtf16(rows[i].label));
        layout->addLayout(keyRow(label, makeActionButton(int(i), Panel2)));
    }
    Panel2->hide();
    connect(Button51, &QPushButton::clicked, this, &KeyPages::Button51Click);
}

void KeyPages::buildRadioPage(QWidget* page) {
    // The wizard keeps the note at the foot of the page; the keys go above it.
    auto* pageLayout = qobject_cast<QVBoxLayout*>(page->layout());
    if (!pageLayout) {
        pageLayout = new QVBoxLayout(page);
        pageLayout->addStretch(1);
    }
    auto* keys = column();
    keys->setSpacing(2);
    const auto rows = actionTable();
    QString lastGroup;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ActionRow& row = rows[i];
        if (row.page != 11)
            continue;
        const QString group = QString::fromUtf16(row.group);
        if (!group.isEmpty() && group != lastGroup)
            keys->addWidget(heading(group, page));
        lastGroup = group;
        auto* label = new QLabel(QString::fromUtf16(row.caption), page);
        label->setObjectName(QString::fromUtf16(row.label));
        label->setFixedHeight(kRowHeight);
        auto* line = keyRow(label, makeActionButton(int(i), page));
        line->insertStretch(1, 0);
        keys->addLayout(line);
    }
    auto* narrow = new QHBoxLayout;
    narrow->addLayout(keys);
    narrow->addStretch(1);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(8);
    Button49 = new QPushButton(u"MetaBinds"_s, page);
    Button49->setObjectName(u"Button49"_s);
    Button50 = new QPushButton(u"Применить настройки"_s, page);
    Button50->setObjectName(u"Button50"_s);
    QFont bold = Button50->font();
    bold.setBold(true);
    Button50->setFont(bold);
    for (QPushButton* b : {Button49, Button50}) {
        b->setAutoDefault(false);
        b->setFixedHeight(25);
    }
    commands->addWidget(Button49);
    commands->addStretch(1);
    commands->addWidget(Button50);
    pageLayout->insertLayout(0, narrow);
    pageLayout->insertSpacing(1, 10);
    pageLayout->insertLayout(2, commands);
    connect(Button49, &QPushButton::clicked, this, &KeyPages::Button49Click);
    connect(Button50, &QPushButton::clicked, this, &KeyPages::Button50Click);
}

QPushButton* KeyPages::actionButton(const QString& name) const {
    for (QPushButton* button : m_buttons)
        if (button->objectName() == name)
            return button;
    return nullptr;
}

WizardWorkingSet& KeyPages::workingSet() {
    return m_form.workingSet();
}

void KeyPages::runOnDocuments(const std::function<void()>& work) {
    // A reassignment reads the key lists anew: the used-key list starts empty. The captions
    // are shown before the page comes back, so that page 9's hints follow them.
    m_form.runOnDocuments(false, [&] {
        work();
        showActionCaptions();
    });
}

void KeyPages::showActionCaptions() {
    const QStringList& keys = workingSet().actionKeys;
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setText(keys.value(qsizetype(i)));
}

void KeyPages::ActionButtonClick(QPushButton* button) {
    const ActionRow* row = actionRowForButton(button->objectName());
    if (!row)
        return;
    m_ctx.state.actionCommand = actionCommand(*row);
    m_ctx.state.actionButton = button;
    kompot();
    if (isMovementButton(button->objectName()))
        button->setToolTip(button->text());
}

void KeyPages::kompot() {
    auto* button = qobject_cast<QPushButton*>(m_ctx.state.actionButton);
    Tbinds* binds = m_ctx.windows.binds;
    if (!button || !binds)
        return;
    m_ctx.state.keySlot = 0;
    binds->setClient(this);
    binds->chooseKey();
    if (m_ctx.state.keyChosen != 1)
        return;
    const QString key = binds->chosenKey();
    KompotResult result;
    m_form.runOnDocuments(true, [&] {
        result = assignChosenKey(workingSet(), button->text(), key, m_ctx.state.actionCommand);
    });
    m_ctx.state.previousActionKey = result.previousActionKey;
    button->setText(result.caption);
}

void KeyPages::TbS9Show() {
    for (QPushButton* button : m_buttons)
        if (isMovementButton(button->objectName()))
            button->setToolTip(button->text());
}

void KeyPages::Button38Click() {
    Panel2->show();
    Panel2->raise();
}

void KeyPages::Button51Click() {
    Panel2->hide();
}

void KeyPages::Button49Click() {
    m_ctx.state.metaBindTarget = 0;
    emit m_form.metaBindsRequested();
}

void KeyPages::Button50Click() {
    WizardWorkingSet& ws = workingSet();
    if (!ws.chosenReadable) {
        // The document holds the message line, not the file: writing it would destroy the file.
        WizardSaveResult refused;
        refused.status = WizardSaveResult::Status::RefusedUnreadable;
        refused.path = ws.chosenPath;
        m_form.reportSave(refused);
        return;
    }
    m_form.warnUnencodable(ws.mem1.content());
    m_form.reportSave(saveChosenFile(ws));
}
