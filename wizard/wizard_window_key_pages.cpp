// The wizard's key pages.
#include "wizard/wizard_window_key_pages.h"

#include "platform/user_dialogs.h"
#include "state/key_request.h"
#include "wizard/action_table.h"
#include "wizard/key_assignment.h"
#include "wizard/qt_key_button.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_window.h"
#include "wizard/wizard_window_script_area.h"
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
constexpr int kRowHeight = 21;
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

// The question goes through the program's dialogs; the document work through the key pages.
class ReassignThroughPages final : public KeyReassignment {
public:
    ReassignThroughPages(UserDialogs& dialogs, KeyPages& pages, const QString& key)
        : m_dialogs(dialogs), m_pages(pages), m_key(key) {}
    bool confirmReassignment() override {
        return m_dialogs.confirmDestructive(reassignmentQuestion(
                   m_key, m_pages.actionHoldingKey(m_key))) == UserDialogs::Answer::Yes;
    }
    void onDocuments(const std::function<void()>& work) override { m_pages.runOnDocuments(work); }

private:
    UserDialogs& m_dialogs;
    KeyPages& m_pages;
    QString m_key;
};

} // namespace

KeyPages* installKeyPages(ConfigWizard& form, AppContext& ctx) {
    return new KeyPages(form, ctx);
}

KeyPages::KeyPages(ConfigWizard& form, AppContext& ctx) : QObject(&form), m_form(form), m_ctx(ctx) {
    setObjectName(u"KeyPages"_s);
    m_buttons.resize(actionTable().size(), nullptr);
    buildMovementCross(form.page(kPage9));
    buildOtherActions(form.page(kPage10));
    buildRadioPage(form.page(kPage11));
    form.setActionCommands(actionCommands());
    connect(&form, &ConfigWizard::documentsRead, this, &KeyPages::showActionCaptions);
    connect(&form, &ConfigWizard::pageShown, this, [this](int index) {
        if (index == kPage9)
            TbS9Show();
    });
    // Page 9's script area lays itself out around the movement cross.
    m_scriptArea = new ScriptKeyArea(
        form, ctx, {m_movementCross, movementButtons(), [this] { showActionCaptions(); }});
}

// The width of a key button that shows `keyName` whole, in the buttons' font.
int keyButtonWidth(const QWidget* button, const QString& keyName) {
    return button->fontMetrics().horizontalAdvance(keyName) + 12;
}

QPushButton* KeyPages::makeActionButton(int row, QWidget* parent) {
    const ActionRow& entry = actionTable()[size_t(row)];
    auto* button = new KeyButton(parent);
    button->setObjectName(QString::fromUtf16(entry.button));
    button->setAutoDefault(false);
    // Key names such as "MWHEELDOWN" have to fit buttons narrower than the page's labels.
    QFont small = button->font();
    small.setPixelSize(10);
    button->setFont(small);
    button->setFixedSize(keyButtonWidth(button, u"MWHEELDOWN"_s),
                         std::max(20, button->fontMetrics().height() + 6));
    connect(button, &QPushButton::clicked, this, [this, button] { ActionButtonClick(button); });
    m_buttons[size_t(row)] = button;
    return button;
}

void KeyPages::buildMovementCross(QWidget* page) {
    // Page 9 lays the cross out beside its picture; the cross is as large as its buttons need.
    auto* cross = new QWidget(page);
    cross->setObjectName(u"MovementCross"_s);
    m_movementCross = cross;
    QFont small = cross->font();
    small.setPixelSize(10);
    const QFontMetrics keyMetrics(small);
    // Three keys side by side: the usual ones ("UPARROW", "SPACE") fit whole.
    const int w = keyMetrics.horizontalAdvance(u"UPARROW"_s) + 12;
    const int h = std::max(20, keyMetrics.height() + 6);
    const int x0 = 0;
    QFont bold = cross->font();
    bold.setBold(true);
    const int top = QFontMetrics(bold).height() + 4;
    cross->setFixedSize(std::max(3 * w, QFontMetrics(bold).horizontalAdvance(
                                            QString::fromUtf16(actionTable()[0].group))),
                        top + 3 * h + 4);
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
            title->setGeometry(0, 0, cross->width(), top);
            title->setAlignment(Qt::AlignHCenter);
        }
        QPushButton* button = makeActionButton(int(i), cross);
        button->setFixedSize(w, h);
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
    // The buttons show the longest key names whole; the wizard is as wide as the page needs.
    for (int& width : labelWidth)
        width += 2;

    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(kPageMargin, 4, kPageMargin, 4);
    columns->setSpacing(kColumnGap);
    QVBoxLayout* cols[3] = {column(), column(), column()};
    QString lastGroup[3];
    QSize buttonSize;
    auto addRow = [&](int col, QLabel* label, QPushButton* button) {
        label->setFixedSize(labelWidth[col], std::max(kRowHeight, button->height()));
        if (buttonSize.isValid())
            button->setFixedSize(buttonSize);
        cols[col]->addLayout(keyRow(label, button));
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const ActionRow& row = rows[i];
        if (row.page != 10 || row.onBuyPanel)
            continue;
        QPushButton* button = makeActionButton(int(i), page);
        buttonSize = button->size();
        const QString group = QString::fromUtf16(row.group);
        if (!group.isEmpty() && group != lastGroup[row.column]) {
            QLabel* title = heading(group, page);
            title->setFixedWidth(labelWidth[row.column] + kRowGap + buttonSize.width());
            cols[row.column]->addWidget(title);
        }
        lastGroup[row.column] = group;
        auto* label = new QLabel(QString::fromUtf16(row.caption), page);
        label->setObjectName(QString::fromUtf16(row.label));
        addRow(row.column, label, button);
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
    // As large as its rows need, at least as drawn.
    Panel2->resize(Panel2->sizeHint().expandedTo(kBuyPanelArea.size()));
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

QList<QWidget*> KeyPages::movementButtons() const {
    // Forward, left, right, back: the order Tab takes them in.
    QList<QWidget*> buttons;
    for (const char16_t* name : {u"Button4", u"Button5", u"Button7", u"Button6"})
        if (QPushButton* button = actionButton(QString::fromUtf16(name)))
            buttons.append(button);
    return buttons;
}

void KeyPages::configClicked() {
    m_scriptArea->clearChatRecipient();
}

void KeyPages::wizardClosing() {
    Panel2->hide();
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
        static_cast<KeyButton*>(m_buttons[i])->setKey(keys.value(qsizetype(i)));
}

QString KeyPages::actionHoldingKey(const QString& key) const {
    const auto rows = actionTable();
    for (size_t i = 0; i < m_buttons.size() && i < rows.size(); ++i)
        if (!key.isEmpty() && m_buttons[i]->text().compare(key, Qt::CaseInsensitive) == 0) {
            // "Прыжок", "Подъем: Вверх"; the movement cross has no labels: its command.
            const QString group = QString::fromUtf16(rows[i].group);
            QString caption = QString::fromUtf16(rows[i].caption);
            if (caption.isEmpty())
                caption = actionCommand(rows[i]).remove(u'"');
            if (caption.endsWith(u':'))
                caption.chop(1);
            return group.isEmpty() ? caption : group + u' ' + caption;
        }
    return QString();
}

void KeyPages::ActionButtonClick(QPushButton* button) {
    const auto found = std::find(m_buttons.begin(), m_buttons.end(), button);
    if (found == m_buttons.end())
        return;
    const int row = int(found - m_buttons.begin());
    KeyRequest request;
    request.asker = KeyRequest::Asker::WizardAction;
    request.index = row;
    request.accepts = [this, row](const QString& key) { return acceptsKey(row, key); };
    emit m_form.keyChoiceRequested(request);
    if (isMovementButton(button->objectName()))
        button->setToolTip(button->text());
}

bool KeyPages::acceptsKey(int row, const QString& key) {
    QPushButton* button = m_buttons.at(size_t(row));
    ReassignThroughPages pages(m_ctx.dialogs, *this, key);
    const KeyChoiceResult result = keyChoiceOk(workingSet(), key, button->text(),
                                               actionCommand(actionTable()[size_t(row)]), pages);
    if (result.outcome != KeyChoice::Accepted)
        return false;
    if (result.reassigned) {
        showActionCaptions();
        button->setText(result.caption);
        button->setToolTip(result.caption);
    }
    return true;
}

void KeyPages::kompot(int row, const QString& key) {
    if (row < 0 || size_t(row) >= m_buttons.size())
        return;
    auto* button = static_cast<KeyButton*>(m_buttons[size_t(row)]);
    const QString command = actionCommand(actionTable()[size_t(row)]);
    KompotResult result;
    m_form.runOnDocuments(
        true, [&] { result = assignChosenKey(workingSet(), button->text(), key, command); });
    button->setKey(result.caption);
}

void KeyPages::TbS9Show() {
    for (QPushButton* button : m_buttons)
        if (isMovementButton(button->objectName()))
            button->setToolTip(button->text());
}

void KeyPages::Button38Click() {
    // In the page's lower right corner, over the columns it belongs to.
    const QWidget* page = Panel2->parentWidget();
    Panel2->move(std::max(0, page->width() - Panel2->width() - 4),
                 std::max(0, page->height() - Panel2->height() - 4));
    Panel2->show();
    Panel2->raise();
}

void KeyPages::Button51Click() {
    Panel2->hide();
}

void KeyPages::Button49Click() {
    emit m_form.metaBindsRequested();
}

void KeyPages::Button50Click() {
    WizardWorkingSet& ws = workingSet();
    // A document that holds the message line, not the file, is refused by the save.
    if (ws.chosenReadable())
        m_form.warnUnencodable(ws.mem1.content());
    m_form.reportSave(saveChosenFile(ws, VersionSource::Bind));
}
