// The launcher window.
#include "launcher/launcher_window.h"

#include "launcher/liblist_reader.h"
#include "launcher/mod_discovery.h"
#include "launcher/mod_picture.h"
#include "platform/program_paths.h"
#include "widgets/qt_list_boxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QString foldCaption(bool unfolded) {
    return unfolded ? u"<<<"_s : u">>>"_s;
}

// The room the window manager's title bar needs for the caption: the text in the bold system
// font, the window icon, up to three boxes (some managers draw minimize and maximize boxes
// whatever the window asks for) and the manager's spacing between them. The manager draws in device
// pixels whatever the program's scale, so at a larger scale fewer of the window's own pixels are
// needed.
int titleBarNeed(const QString& title, qreal devicePixelRatio) {
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics fm(font);
    const int iconAndBoxes = 6 * fm.height() + 16;
    return int((fm.horizontalAdvance(title) + iconAndBoxes) / std::max(devicePixelRatio, 1.0));
}

} // namespace

LauncherWindow::LauncherWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"startcs"_s);
    setWindowTitle(u"Запуск мода HL с конфигом"_s);
    // Only the close box in the title bar where the window manager allows, so the caption has
    // its room.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
}

// The controls stand in layouts, so each has the room its text needs in any font and at any
// scale; folding shows or hides the right column and the window takes the width that leaves.
void LauncherWindow::buildContents() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 4, 6);
    row->setSpacing(4);
    row->addWidget(buildLeftColumn(), 1);
    m_right = buildRightColumn();
    row->addWidget(m_right);

    bok_panel = named(new QPushButton(foldCaption(false), this), u"bok_panel"_s);
    bok_panel->setFlat(true);
    QFont bold = bok_panel->font();
    bold.setBold(true);
    bok_panel->setFont(bold);
    bok_panel->setAutoDefault(false);
    bok_panel->setFocusPolicy(Qt::NoFocus);
    bok_panel->setFixedWidth(
        std::max(13, QFontMetrics(bold).horizontalAdvance(foldCaption(false)) + 6));
    bok_panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    row->addWidget(bok_panel);
    connect(bok_panel, &QPushButton::clicked, this, &LauncherWindow::bok_panelClick);

    // Both widths, measured once: the narrowest folded width holds the left column, the fold
    // button and the caption in the title bar.
    const int least = std::max(kFoldedWidth, titleBarNeed(windowTitle(), devicePixelRatioF()));
    m_right->hide();
    const QSize folded = row->totalSizeHint();
    m_right->show();
    const QSize unfolded = row->totalSizeHint();
    m_foldedWidth = std::max(least, folded.width());
    m_unfoldedWidth =
        std::max(unfolded.width(), m_foldedWidth + row->spacing() + m_right->sizeHint().width());
    m_height = std::max({kHeight, folded.height(), unfolded.height()});
    fold(false);
}

QWidget* LauncherWindow::buildLeftColumn() {
    auto* column = new QWidget(this);
    column->setMinimumWidth(163);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    Label1 = named(new QLabel(u"Выберите карту:"_s, column), u"Label1"_s);
    lx_map = named(new QListWidget(column), u"lx_map"_s);
    lx_map->installEventFilter(this);
    lx_map->setMinimumHeight(100);
    Label4 = named(new QLabel(u"Ввести вручную (для карт из .pak)"_s, column), u"Label4"_s);
    Label4->setWordWrap(true);
    Et1 = named(new QLineEdit(column), u"Et1"_s);
    Label2 = named(new QLabel(u"Макс. кол-во игроков:"_s, column), u"Label2"_s);
    Label2->setWordWrap(true);
    SpinEdit1 = named(new QSpinBox(column), u"SpinEdit1"_s);
    SpinEdit1->setRange(1, 32);
    SpinEdit1->setValue(8);
    Button1 = named(new QPushButton(u"Запуск игры"_s, column), u"Button1"_s);
    Button2 = named(new QPushButton(u"Отмена"_s, column), u"Button2"_s);
    for (QPushButton* b : {Button1, Button2})
        b->setAutoDefault(false);

    layout->addWidget(Label1);
    layout->addWidget(lx_map, 1);
    layout->addSpacing(2);
    layout->addWidget(Label4);
    layout->addWidget(Et1);
    auto* players = new QHBoxLayout;
    players->addWidget(Label2, 1);
    players->addWidget(SpinEdit1);
    layout->addLayout(players);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    connect(lx_map, &QListWidget::itemSelectionChanged, this, &LauncherWindow::lx_mapClick);
    connect(Et1, &QLineEdit::textChanged, this, &LauncherWindow::Et1Change);
    connect(Button1, &QPushButton::clicked, this, &LauncherWindow::SpeedButton1Click);
    connect(Button2, &QPushButton::clicked, this, &LauncherWindow::Button2Click);
    return column;
}

QWidget* LauncherWindow::buildRightColumn() {
    auto* column = new QWidget(this);
    column->setMinimumWidth(kRightWidth);
    auto* layout = new QGridLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);
    Label3 = named(new QLabel(u"Параметры запуска:"_s, column), u"Label3"_s);
    CLB1 = named(new QListWidget(column), u"CLB1"_s);
    // Two columns: the items run down the first column and wrap into the second.
    CLB1->setFlow(QListView::TopToBottom);
    CLB1->setWrapping(true);
    CLB1->setResizeMode(QListView::Adjust);
    CLB1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CLB1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int widest = 0;
    for (const LaunchOptionEntry& option : launchOptionTable()) {
        auto* item = new QListWidgetItem(option.text, CLB1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setToolTip(option.hint);
        widest = std::max(widest, CLB1->fontMetrics().horizontalAdvance(option.text));
    }
    // Each row as tall as a check box and its text need, each column as wide as the longest.
    const int indicator = CLB1->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, CLB1);
    const QSize cell(std::max(kRightWidth / 2 - 4, widest + indicator + 12),
                     std::max(16, std::max(CLB1->fontMetrics().height(), indicator) + 2));
    CLB1->setGridSize(cell);
    const int rows = (LaunchOptionCount + 1) / 2;
    const int frame = 2 * CLB1->frameWidth();
    CLB1->setFixedSize(2 * cell.width() + frame + 4, rows * cell.height() + frame + 4);

    CheckBox1 = named(new QCheckBox(u"-game ..."_s, column), u"CheckBox1"_s);
    CheckBox1->setChecked(true);
    CheckBox1->setToolTip(gameCheckHint());
    ComB1 = named(new QComboBox(column), u"ComB1"_s);
    ComB1->setEditable(true);
    ComB1->setInsertPolicy(QComboBox::NoInsert);
    ComB1->addItem(defaultMod());

    CB2 = named(new QCheckBox(u"-gldrv ..."_s, column), u"CB2"_s);
    CB2->setChecked(true);
    CB2->setToolTip(driverCheckHint());
    ComB2 = named(new QComboBox(column), u"ComB2"_s);
    ComB2->setEditable(true);
    ComB2->setInsertPolicy(QComboBox::NoInsert);
    ComB2->addItem(defaultDriver());

    im1 = named(new QLabel(column), u"im1"_s);
    im1->setFixedSize(32, 32);
    im1->setAlignment(Qt::AlignCenter);
    game_name = named(new QLabel(column), u"game_name"_s);
    QFont bold = game_name->font();
    bold.setBold(true);
    game_name->setFont(bold);
    game_name->setAlignment(Qt::AlignCenter);
    game_name->setMinimumWidth(144);
    QPalette green = game_name->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    game_name->setPalette(green);
    game_ver = named(new QLabel(column), u"game_ver"_s);
    game_ver->setFont(bold);
    game_ver->setAlignment(Qt::AlignCenter);
    game_ver->setMinimumWidth(36);

    memo1 = named(new QPlainTextEdit(column), u"memo1"_s);
    memo1->setReadOnly(true);
    QFont hintFont = memo1->font();
    hintFont.setPixelSize(10);
    memo1->setFont(hintFont);
    memo1->document()->setDocumentMargin(1);
    memo1->setFrameShape(QFrame::NoFrame);
    memo1->setFocusPolicy(Qt::NoFocus);
    memo1->viewport()->setAutoFillBackground(false);
    memo1->setStyleSheet(u"QPlainTextEdit { background: transparent; }"_s);
    memo1->setFixedHeight(3 * QFontMetrics(hintFont).lineSpacing() + 4);
    // A hint box, not an editor: no scroll bars; a hint longer than the box shows whole as
    // the box's tool tip.
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(memo1, &QPlainTextEdit::textChanged, this, [this] {
        const QString hint = memo1->toPlainText();
        memo1->setToolTip(hint.isEmpty() ? QString() : u"<p>"_s + hint.toHtmlEscaped() + u"</p>"_s);
    });

    CheckBox2 = named(new QCheckBox(u"+mlook"_s, column), u"CheckBox2"_s);
    CheckBox2->setChecked(true);
    CheckBox2->setToolTip(mlookCheckHint());

    layout->addWidget(Label3, 0, 0, 1, 2);
    layout->addWidget(CLB1, 1, 0, 1, 2);
    layout->addWidget(CheckBox1, 2, 0);
    layout->addWidget(ComB1, 2, 1);
    layout->addWidget(CB2, 3, 0);
    layout->addWidget(ComB2, 3, 1);
    auto* title = new QVBoxLayout;
    title->setSpacing(0);
    title->addWidget(game_name);
    title->addWidget(game_ver, 0, Qt::AlignHCenter);
    auto* mod = new QHBoxLayout;
    mod->addWidget(im1);
    mod->addLayout(title, 1);
    layout->addLayout(mod, 4, 0, 1, 2);
    layout->addWidget(memo1, 5, 0, 1, 2);
    layout->addWidget(CheckBox2, 6, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(7, 1);

    connect(CLB1, &QListWidget::itemClicked, this, &LauncherWindow::CLB1Click);
    connect(CLB1, &QListWidget::itemChanged, this, &LauncherWindow::CLB1ItemChanged);
    connect(ComB1, &QComboBox::editTextChanged, this, &LauncherWindow::ComB1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &LauncherWindow::CheckBox1Click);
    connect(CB2, &QCheckBox::clicked, this, &LauncherWindow::CB2Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &LauncherWindow::CheckBox2Click);
    return column;
}

bool LauncherWindow::runModal() {
    ensureBuilt();
    if (QWidget* main = parentWidget())
        move(main->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    exec();
    return m_ctx.state.launch.launchConfirmed;
}

LaunchChoice LauncherWindow::choice() const {
    ensureBuilt();
    const QList<QListWidgetItem*> selected = lx_map->selectedItems();
    LaunchChoice c;
    c.mod = ComB1->currentText();
    c.map = chosenMap(Et1->text(), selected.isEmpty() ? QString() : selected.first()->text());
    c.mlook = CheckBox2->isChecked();
    c.arguments = m_arguments;
    return c;
}

void LauncherWindow::showEvent(QShowEvent* e) {
    // Not when the window comes back from being minimized: that would empty what was typed.
    if (!e->spontaneous())
        FormShow();
    QDialog::showEvent(e);
}

void LauncherWindow::FormShow() {
    ensureBuilt();
    SharedState& st = m_ctx.state;
    Button1->setEnabled(false);
    lx_map->clear();
    st.launch.launchConfirmed = false;
    st.launch.launchParams.clear();
    m_arguments.clear();
    {
        const QSignalBlocker quiet(Et1);
        Et1->clear();
    }
    CheckBox2->setChecked(true);

    // The renderer's driver controls stay as the last renderer click left them.
    OptionsState options = optionsState();
    options.checked = defaultOptionChecks();
    applyOptionsState(options);

    {
        const QSignalBlocker quiet(ComB1);
        const QSignalBlocker quietDrivers(ComB2);
        ComB1->setCurrentIndex(0);
        ComB1->setEditText(ComB1->itemText(0));
        ComB2->setCurrentIndex(0);
        ComB2->setEditText(ComB2->itemText(0));
    }
    ComB1Change();

    QStringList maps = listTexts(lx_map);
    addMaps(maps, mapNames(paths::resolve(st.games.wizardFolder, u"maps"_s)));
    lx_map->clear();
    lx_map->addItems(maps);
    lx_map->setFocus();

    // The right column stays open or folded as the player left it.
    memo1->clear();

    // The lists are rebuilt, not appended to, so no entry repeats from one opening to the next.
    {
        const QSignalBlocker quiet(ComB1);
        const QSignalBlocker quietDrivers(ComB2);
        const QString mod = ComB1->currentText();
        ComB1->clear();
        ComB1->addItems(modChoices(st.games.halfLifeDir));
        ComB1->setCurrentIndex(0);
        ComB1->setEditText(mod);
        const QString driver = ComB2->currentText();
        ComB2->clear();
        ComB2->addItems(driverChoices(st.games.halfLifeDir));
        ComB2->setCurrentIndex(0);
        ComB2->setEditText(driver);
    }
    showPicture(paths::resolve(st.games.halfLifeDir, u"cstrike\\cstrike.ico"_s));
}

void LauncherWindow::ComB1Change() {
    SharedState& st = m_ctx.state;
    const QString mod = ComB1->currentText();
    const QString folder = modFolder(st.games.halfLifeDir, mod);
    QStringList maps;
    addMaps(maps, mapNames(paths::resolve(folder, u"maps"_s)));
    lx_map->clear();
    lx_map->addItems(maps);
    // The list's selection went with its entries: without a typed map there is nothing to start.
    if (Et1->text().isEmpty())
        Button1->setEnabled(false);

    showPicture(modIconFile(st.games.halfLifeDir, mod));
    memo1->clear();
    const ModInfo info = readModInfo(folder);
    const QString title = QString(info.title).replace(u'\n', u' ');
    const QString version = QString(info.version).replace(u'\n', u' ');
    game_name->setText(title);
    game_ver->setText(version);
    game_name->setToolTip(title);
    game_ver->setToolTip(version);
    // The title and version are found with the program's find text, which they leave set.
    st.find.findText = versionKey();
    st.find.lastFoundPos = info.lastFoundPos;
    memo1->clear();
}

void LauncherWindow::showPicture(const QString& iconFile) {
    const QImage image = pictureOrUnknown(iconFile, m_ctx.state.home);
    if (image.isNull()) {
        im1->clear();
        return;
    }
    im1->setPixmap(QPixmap::fromImage(
        image.scaled(im1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void LauncherWindow::lx_mapClick() {
    const QList<QListWidgetItem*> selected = lx_map->selectedItems();
    if (!selected.isEmpty() && !selected.first()->text().isEmpty())
        Button1->setEnabled(true);
}

void LauncherWindow::Et1Change() {
    Button1->setEnabled(!Et1->text().isEmpty());
}

bool LauncherWindow::eventFilter(QObject* watched, QEvent* e) {
    // lx_mapKeyPress: Enter in the map list moves on to the player count.
    if (watched == lx_map && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SpinEdit1->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void LauncherWindow::CLB1Click() {
    const int row = CLB1->currentRow();
    const auto& table = launchOptionTable();
    if (row >= 0 && row < LaunchOptionCount)
        memo1->setPlainText(table[row].hint);
    else
        memo1->clear();
}

void LauncherWindow::CLB1ItemChanged(QListWidgetItem* item) {
    if (m_settingChecks)
        return;
    // The toggled option is the one the rules act on.
    if (CLB1->currentItem() != item)
        CLB1->setCurrentItem(item);
    CLB1ClickCheck();
}

void LauncherWindow::CLB1ClickCheck() {
    const CheckClickResult r = applyCheckClick(optionsState(), CLB1->currentRow());
    applyOptionsState(r.state);
    if (r.selectDefaultDriver) {
        const QSignalBlocker quiet(ComB2);
        ComB2->setCurrentIndex(0);
        ComB2->setEditText(defaultDriver());
    }
}

OptionsState LauncherWindow::optionsState() const {
    OptionsState s;
    for (int i = 0; i < LaunchOptionCount; ++i)
        s.checked[i] = CLB1->item(i)->checkState() == Qt::Checked;
    s.driverBoxEnabled = CB2->isEnabled();
    s.driverBoxChecked = CB2->isChecked();
    s.driverChoiceEnabled = ComB2->isEnabled();
    return s;
}

void LauncherWindow::applyOptionsState(const OptionsState& s) {
    m_settingChecks = true;
    for (int i = 0; i < LaunchOptionCount; ++i)
        CLB1->item(i)->setCheckState(s.checked[i] ? Qt::Checked : Qt::Unchecked);
    m_settingChecks = false;
    CB2->setEnabled(s.driverBoxEnabled);
    CB2->setChecked(s.driverBoxChecked);
    ComB2->setEnabled(s.driverChoiceEnabled);
}

void LauncherWindow::CheckBox1Click() {
    CheckBox1->setChecked(true); // a mod is always given
    memo1->setPlainText(gameCheckHint());
}

void LauncherWindow::CB2Click() {
    memo1->setPlainText(driverCheckHint());
}
void LauncherWindow::CheckBox2Click() {
    memo1->setPlainText(mlookCheckHint());
}

void LauncherWindow::SpeedButton1Click() {
    SpinEdit1->interpretText();
    LaunchSettings s;
    s.mod = ComB1->currentText();
    s.driverChecked = CB2->isChecked();
    s.driver = ComB2->currentText();
    s.checked = optionsState().checked;
    s.maxPlayers = SpinEdit1->value();
    m_arguments = launchArguments(s);
    m_ctx.state.launch.launchParams = launchParams(s);
    Button1->setEnabled(false);
    m_ctx.state.launch.launchConfirmed = true;
    accept();
}

void LauncherWindow::Button2Click() {
    reject();
}

void LauncherWindow::fold(bool unfolded) {
    // Hidden, the column is out of the Tab order too.
    m_right->setVisible(unfolded);
    setFixedSize(unfolded ? unfoldedWidth() : foldedWidth(), m_height);
    bok_panel->setText(foldCaption(unfolded));
    bok_panel->setProperty("Tag", unfolded ? 1 : 0);
}

void LauncherWindow::bok_panelClick() {
    const bool unfolded = bok_panel->property("Tag").toInt() == 1;
    fold(!unfolded);
    move(x() + (unfolded ? kFoldShift : -kFoldShift), y());
}

void LauncherWindow::FormClose() {
    // The right column is left as it is: the next opening shows it so again.
}

void LauncherWindow::done(int result) {
    FormClose();
    QDialog::done(result);
}
