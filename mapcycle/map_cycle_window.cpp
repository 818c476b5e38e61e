// The map cycle editor.
#include "mapcycle/map_cycle_window.h"
#include "widgets/qt_widget_helpers.h"

#include "mapcycle/installed_maps.h"
#include "mapcycle/map_cycle_file.h"
#include "platform/text_file.h"
#include "platform/user_dialogs.h"
#include "widgets/qt_list_boxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QToolButton* pictureButton(const QString& name, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setAutoRaise(false);
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(28, 28);
    return b;
}

} // namespace

MapCycleWindow::MapCycleWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"maps"_s);
    setWindowTitle(u"Настройка смены карт (mapcycle.txt)"_s);
    setWindowFlags(kFixedDialogFlags);
}

void MapCycleWindow::buildContents() {
    Label1 = new QLabel(u"Список выбранных вами карт:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    LB1 = new QListWidget(this);
    LB1->setObjectName(u"LB1"_s);
    Label2 = new QLabel(u"Список всех карт:"_s, this);
    Label2->setObjectName(u"Label2"_s);
    LB2 = new QListWidget(this);
    LB2->setObjectName(u"LB2"_s);

    Spee1 = pictureButton(u"Spee1"_s, this);
    Spee2 = pictureButton(u"Spee2"_s, this);
    Spee3 = pictureButton(u"Spee3"_s, this);
    Spee4 = pictureButton(u"Spee4"_s, this);

    Label3 = new QLabel(u"Описание карты:"_s, this);
    Label3->setObjectName(u"Label3"_s);
    Ric1 = new QPlainTextEdit(this);
    Ric1->setObjectName(u"Ric1"_s);
    Ric1->setReadOnly(true);
    // A description is prose: its lines wrap at the box's width.
    Ric1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Ric1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Ric1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Ric1->setFocusPolicy(Qt::NoFocus);

    Button8 = new QPushButton(u"Применить"_s, this);
    Button8->setObjectName(u"Button8"_s);
    Button1 = new QPushButton(u"Отмена"_s, this);
    Button1->setObjectName(u"Button1"_s);
    // Enter belongs to the lists (it adds a map), never to a button.
    Button8->setAutoDefault(false);
    Button1->setAutoDefault(false);

    auto* arrows = new QVBoxLayout;
    arrows->addStretch(1);
    for (QToolButton* b : {Spee1, Spee2, Spee3, Spee4})
        arrows->addWidget(b);
    arrows->addStretch(1);
    auto* lists = new QGridLayout;
    lists->addWidget(Label1, 0, 0);
    lists->addWidget(Label2, 0, 2);
    lists->addWidget(LB1, 1, 0);
    lists->addLayout(arrows, 1, 1);
    lists->addWidget(LB2, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button8);
    buttons->addWidget(Button1);
    // What an add did that the player may not have meant (a map already in the cycle).
    LabelNote = new QLabel(this);
    LabelNote->setObjectName(u"LabelNote"_s);
    LabelNote->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 3);
    layout->addWidget(LabelNote);
    layout->addWidget(Label3);
    layout->addWidget(Ric1, 2);
    layout->addLayout(buttons);
    setFixedSize(460, 470);

    // currentRowChanged follows the keyboard; clicked covers a click on the entry that is
    // already current (it still switches which arrow button is enabled).
    connect(LB1, &QListWidget::currentRowChanged, this, &MapCycleWindow::LB1Click);
    connect(LB1, &QListWidget::itemClicked, this, &MapCycleWindow::LB1Click);
    connect(LB2, &QListWidget::currentRowChanged, this, &MapCycleWindow::LB2Click);
    connect(LB2, &QListWidget::itemClicked, this, &MapCycleWindow::LB2Click);
    connect(LB1, &QListWidget::itemDoubleClicked, this, &MapCycleWindow::LB1DblClick);
    connect(LB2, &QListWidget::itemDoubleClicked, this, &MapCycleWindow::LB2DblClick);
    connect(Spee1, &QToolButton::clicked, this, &MapCycleWindow::Spee1Click);
    connect(Spee2, &QToolButton::clicked, this, &MapCycleWindow::Spee2Click);
    connect(Spee3, &QToolButton::clicked, this, &MapCycleWindow::Spee3Click);
    connect(Spee4, &QToolButton::clicked, this, &MapCycleWindow::Spee4Click);
    connect(Button8, &QPushButton::clicked, this, &MapCycleWindow::Button8Click);
    connect(Button1, &QPushButton::clicked, this, &MapCycleWindow::Button1Click);
    LB1->installEventFilter(this);
    LB2->installEventFilter(this);
}

void MapCycleWindow::runModal() {
    if (!FormShow())
        return;
    if (QWidget* main = parentWidget())
        centreFrameOn(this, main->frameGeometry(), main);
    exec();
}

bool MapCycleWindow::FormShow() {
    ensureBuilt();
    const QString folder = m_ctx.state.games.wizardFolder;
    mapcycle::mergeMapNames(m_allMaps, mapcycle::installedMaps(folder));
    {
        const QSignalBlocker block(LB2);
        LB2->clear();
        LB2->addItems(m_allMaps);
    }
    Spee1->setEnabled(false);
    // The cycle list takes the focus, so removing is what the buttons offer first.
    Spee2->setEnabled(true);
    if (ImL1.isEmpty()) {
        // The style's pictures are loaded at the first showing, not at the program's start.
        QStyle* s = style();
        ImL1 = {s->standardIcon(QStyle::SP_ArrowDown), s->standardIcon(QStyle::SP_ArrowUp),
                s->standardIcon(QStyle::SP_ArrowLeft), s->standardIcon(QStyle::SP_ArrowRight)};
    }
    Spee4->setIcon(ImL1[0]);
    Spee3->setIcon(ImL1[1]);
    Spee1->setIcon(ImL1[2]);
    Spee2->setIcon(ImL1[3]);
    Ric1->clear();
    LabelNote->clear();

    m_cyclePath = mapcycle::mapCyclePath(folder);
    const textfile::WriteResult created = mapcycle::ensureMapCycle(m_cyclePath);
    if (!created.ok) {
        m_ctx.dialogs.error(u"Файл не создан:\n"_s +
                            textfile::describeFailure(m_cyclePath, created.reason));
        return false;
    }
    const mapcycle::MapCycleRead read = mapcycle::readMapCycle(m_cyclePath);
    if (!read.ok()) {
        // Editing on from an empty list would replace the unread file at "Применить".
        m_ctx.dialogs.error(textfile::notOpenedMessage(m_cyclePath, read.file));
        return false;
    }
    m_cycleForm = read.file.form;
    {
        const QSignalBlocker block(LB1);
        LB1->clear();
        LB1->addItems(read.maps);
    }
    LB1->setFocus();
    return true;
}

QStringList MapCycleWindow::cycle() const {
    return listTexts(LB1);
}

void MapCycleWindow::showDescriptionOf(const QListWidget* list) {
    Ric1->clear();
    const int row = selectedRow(list);
    if (row >= 0)
        Ric1->setPlainText(
            mapcycle::mapDescription(m_ctx.state.games.wizardFolder, list->item(row)->text()));
}

void MapCycleWindow::LB1Click() {
    Spee1->setEnabled(false);
    Spee2->setEnabled(true);
    showDescriptionOf(LB1);
}

void MapCycleWindow::LB2Click() {
    Spee2->setEnabled(false);
    Spee1->setEnabled(true);
    showDescriptionOf(LB2);
}

void MapCycleWindow::LB1DblClick() {
    Spee2Click();
}
void MapCycleWindow::LB2DblClick() {
    Spee1Click();
}

void MapCycleWindow::Spee1Click() {
    const int row = selectedRow(LB2);
    if (row < 0)
        return;
    const QString map = LB2->item(row)->text();
    // The cycle may hold a map twice (it is then played twice a round), but not unnoticed.
    const QList<QListWidgetItem*> already = LB1->findItems(map, Qt::MatchExactly);
    LabelNote->setText(already.isEmpty()
                           ? QString()
                           : u"Карта «%1» уже есть в списке — добавлена ещё раз."_s.arg(map));
    LB1->addItem(map);
}

void MapCycleWindow::Spee2Click() {
    const int row = selectedRow(LB1);
    if (row < 0)
        return;
    // Nothing stays selected, so a second Backspace cannot take the neighbour by surprise.
    const QSignalBlocker block(LB1);
    delete LB1->takeItem(row);
    LB1->setCurrentRow(-1);
    LB1->clearSelection();
}

void MapCycleWindow::moveSelected(int step) {
    const int row = selectedRow(LB1);
    if (row < 0) {
        m_ctx.dialogs.message(u"Выберите карту для перемещения!"_s);
        return;
    }
    const int target = row + step;
    if (target < 0 || target >= LB1->count())
        return;
    const QSignalBlocker block(LB1);
    QListWidgetItem* item = LB1->takeItem(row);
    LB1->insertItem(target, item);
    LB1->setCurrentRow(target);
}

void MapCycleWindow::Spee3Click() {
    moveSelected(-1);
}
void MapCycleWindow::Spee4Click() {
    moveSelected(+1);
}

void MapCycleWindow::Button8Click() {
    const QStringList maps = cycle();
    const QString lost = mapcycle::unencodableCharacters(maps, m_cycleForm);
    if (!lost.isEmpty() &&
        m_ctx.dialogs.confirmYesNo(u"Эти символы нельзя записать в кодировке Windows-1251: "_s +
                                   lost + u"\nОни будут записаны как \"?\". Сохранить файл?"_s) !=
            UserDialogs::Answer::Yes)
        return;
    const textfile::WriteResult w =
        mapcycle::writeMapCycle(m_ctx.state.versions(), m_cyclePath, maps, m_cycleForm);
    if (!w.ok) {
        // The window stays open with the list as the user left it.
        m_ctx.dialogs.error(u"Файл не сохранён:\n"_s +
                            textfile::describeFailure(m_cyclePath, w.reason));
        return;
    }
    Ric1->clear();
    accept();
}

void MapCycleWindow::Button1Click() {
    reject();
}

bool MapCycleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == LB2 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            Spee1Click();
            return true;
        }
        if (watched == LB1 && key == Qt::Key_Backspace) {
            Spee2Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MapCycleWindow::hideEvent(QHideEvent* event) {
    // However the window closes, the next showing starts without a description.
    if (Ric1)
        Ric1->clear();
    QDialog::hideEvent(event);
}
