// The start-up anchor: a plain Qt program that shows what the editor shows at start (the main
// window with its menus, tool bar, bottom panel, status bar and editor font, and the three tool
// windows with their tabs, lists, buttons and fonts) and does nothing else: no settings file,
// no game folder, no hidden windows, and of the data files only the list the value list shows.
// With a file name it reads that file with Qt alone and loads it into the editor after the font
// is set, as the editor does; without one the editor shows the new config's text, as the
// program's does. Built with the program's flags; quits when idle, like the program under
// --exit-when-idle.
#include "language/line_list.h"
#include "platform/program_paths.h"
#include "reference/popup_shape.h"
#include "reference/reference_tables.h"
#include "shell/config_document.h"
#include "shell/main_menu_tables.h"
#include "shell/qt_quit_when_painted.h"
#include "widgets/qt_tool_icons.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The file's text read with Qt alone, as a plain Qt program would: the bytes, Windows-1251
// through a table of its upper half, and CR LF to a line break.
QString readWindows1251(const QString& path) {
    static const char16_t upper[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
        0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
        0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
        0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
        0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        *out++ = QChar(b < 0x80   ? char16_t(b)
                       : b < 0xC0 ? upper[b - 0x80]
                                  : char16_t(0x0410 + b - 0xC0));
    }
    text.truncate(out - text.constData());
    return text;
}

constexpr Qt::WindowFlags kToolFlags =
    Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

void addMenus(QMainWindow& window) {
    QHash<QString, QMenu*> menus;
    for (const MenuItemEntry& e : mainMenuEntries()) {
        const QString caption = e.caption.toString();
        if (e.parent.isEmpty()) {
            menus.insert(e.name.toString(), window.menuBar()->addMenu(caption));
            continue;
        }
        QMenu* parent = menus.value(e.parent.toString());
        const bool isSubmenu =
            std::any_of(mainMenuEntries().begin(), mainMenuEntries().end(),
                        [&](const MenuItemEntry& o) { return o.parent == e.name; });
        if (e.separatorBefore)
            parent->addSeparator();
        if (isSubmenu) {
            menus.insert(e.name.toString(), parent->addMenu(caption));
            continue;
        }
        QAction* a = parent->addAction(caption);
        if (!e.shortcut.isEmpty() && !e.shortcutShownOnly)
            a->setShortcut(QKeySequence(e.shortcut.toString(), QKeySequence::PortableText));
        a->setStatusTip(e.hint.toString());
    }
    auto* popup = new QMenu(&window);
    for (const MenuItemEntry& e : editorPopupEntries())
        popup->addAction(e.caption.toString());
}

void addToolBar(QMainWindow& window) {
    QToolBar* bar = window.addToolBar(u"ToolBar1"_s);
    bar->setMovable(false);
    bar->setIconSize(QSize(23, 23));
    for (const ToolButtonEntry& e : toolButtonEntries()) {
        auto* button = new QToolButton(bar);
        button->setAutoRaise(true);
        button->setIcon(toolButtonIcon(e.name.toString()));
        button->setStatusTip(e.hint.toString());
        bar->addWidget(button);
        if (e.separatorAfter)
            bar->addSeparator();
    }
    bar->addWidget(new QLabel(u"<<Нажми"_s, bar));
}

QFrame* bottomPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFixedHeight(30);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(pal);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 2, 8, 2);
    row->setSpacing(14);
    auto* picture = new QLabel(panel);
    picture->setFixedSize(252, 26);
    picture->setPixmap(bottomPanelPicture(QSize(252, 26)));
    row->addWidget(picture);
    row->addStretch(1);
    QFont bold = panel->font();
    bold.setBold(true);
    for (const BottomLabelEntry& e : bottomLabelEntries()) {
        auto* label = new QLabel(e.caption.toString(), panel);
        label->setFont(bold);
        label->setPalette(pal);
        label->setCursor(Qt::PointingHandCursor);
        row->addWidget(label);
    }
    return panel;
}

void addStatusBar(QMainWindow& window) {
    const int widths[3] = {60, 280, 0};
    const QString texts[3] = {u"1 : 1"_s, QString(), u"Без имени"_s};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(texts[i], window.statusBar());
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0)
            panel->setFixedWidth(widths[i]);
        window.statusBar()->addWidget(panel, widths[i] > 0 ? 0 : 1);
    }
}

QPalette infoColours(QPalette pal) {
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    return pal;
}

QFont boldButtonFont(QFont font) {
    font.setBold(true);
    font.setPixelSize(15);
    return font;
}

std::unique_ptr<QWidget> referenceWindow() {
    auto w = std::make_unique<QWidget>(nullptr, kToolFlags);
    w->setWindowTitle(u"Справочник"_s);
    auto* layout = new QVBoxLayout(w.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* tabs = new QTabWidget(w.get());
    tabs->setUsesScrollButtons(true);
    tabs->tabBar()->setExpanding(false);
    QFont bold = tabs->tabBar()->font();
    bold.setBold(true);
    tabs->tabBar()->setFont(bold);
    tabs->tabBar()->setStyleSheet(
        u"QTabBar::tab { padding: 3px 4px; border: 1px solid palette(mid); border-bottom: none;"
        " background: palette(button); }"
        " QTabBar::tab:selected { background: palette(window); }"
        " QTabBar::tab:!selected { margin-top: 2px; background: palette(midlight); }"_s);
    const auto pages = referencePageEntries();
    for (size_t i = 0; i < pages.size(); ++i) {
        auto* sheet = new QWidget(tabs);
        auto* sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(2, 2, 2, 2);
        auto* list = new QListWidget(sheet);
        list->setPalette(infoColours(list->palette()));
        for (const CategoryEntry& category : categoryEntries(ReferencePage(i)))
            list->addItem(category.caption.toString());
        sheetLayout->addWidget(list);
        tabs->addTab(sheet, pages[i].caption.toString());
    }
    layout->addWidget(tabs, 1);
    auto* buttons = new QFrame(w.get());
    buttons->setFrameShape(QFrame::StyledPanel);
    buttons->setFixedHeight(3 * 25 + 4 * 2 + 2);
    int top = 3;
    for (const InsertButtonEntry& entry : insertButtonEntries()) {
        auto* button = new QPushButton(entry.caption.toString(), buttons);
        button->setFlat(true);
        button->setFont(boldButtonFont(buttons->font()));
        button->setGeometry(QRect(0, top, 110, 25));
        top += 27;
    }
    layout->addWidget(buttons);
    w->setGeometry(160, 15, 135, 315);
    return w;
}

// The value list shows the first command category's names, as the program's does at start.
QStringList firstCategoryNames() {
    const QString programDir = QCoreApplication::applicationDirPath() + u"/.."_s;
    const CategoryEntry& first = categoryEntries(ReferencePage::Cmd).front();
    const LineListRead read =
        readLineList(paths::resolve(programDir, u"dlls\\"_s + first.file.toString()));
    return read.ok() ? read.entries : QStringList();
}

std::unique_ptr<QWidget> valueListWindow() {
    auto w = std::make_unique<QWidget>(nullptr, kToolFlags);
    w->setWindowTitle(u"Значения"_s);
    auto* layout = new QVBoxLayout(w.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* top = new QFrame(w.get());
    top->setFrameShape(QFrame::StyledPanel);
    top->setFixedHeight(25);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(4, 0, 4, 0);
    topRow->addWidget(new QLabel(top));
    layout->addWidget(top);
    auto* list = new QListWidget(w.get());
    QFont bold = list->font();
    bold.setBold(true);
    list->setFont(bold);
    list->setPalette(infoColours(list->palette()));
    list->addItems(firstCategoryNames());
    layout->addWidget(list, 1);
    auto* bottom = new QFrame(w.get());
    bottom->setFrameShape(QFrame::StyledPanel);
    bottom->setFixedHeight(31);
    auto* button = new QPushButton(u"Добавить"_s, bottom);
    button->setFlat(true);
    button->setFont(boldButtonFont(button->font()));
    auto* bottomRow = new QHBoxLayout(bottom);
    bottomRow->setContentsMargins(2, 2, 2, 2);
    bottomRow->addWidget(button);
    layout->addWidget(bottom);
    w->setGeometry(575, 10, 150, 385);
    return w;
}

std::unique_ptr<QWidget> explanationPopup() {
    auto w = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint |
                                                    Qt::WindowStaysOnTopHint |
                                                    Qt::WindowDoesNotAcceptFocus);
    w->setAutoFillBackground(true);
    QPalette grey = w->palette();
    grey.setColor(QPalette::Window, Qt::gray);
    w->setPalette(grey);
    auto* layout = new QVBoxLayout(w.get());
    layout->setContentsMargins(10, 10, 10, 10);
    auto* label = new QLabel(w.get());
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setFont(boldButtonFont(label->font()));
    layout->addWidget(label);
    w->setFixedSize(225, 85);
    w->setMask(roundedRegion(w->size()));
    w->move(575, 10);
    return w;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(applicationTitle());
    QApplication::setWindowIcon(applicationIcon());

    QMainWindow window;
    window.setWindowTitle(mainWindowCaption());
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* editor = new QPlainTextEdit(central);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    editor->setFont(font);
    layout->addWidget(editor, 1);
    window.setCentralWidget(central);
    addMenus(window);
    addToolBar(window);
    layout->addWidget(bottomPanel(central));
    addStatusBar(window);
    window.setGeometry(10, 10, 560, 450);

    // The editor shows what the program's does: the file, or the new config's text.
    const QStringList args = QApplication::arguments().mid(1);
    editor->setPlainText(args.isEmpty() ? ConfigDocument::defaultText()
                                        : readWindows1251(args.first()));
    editor->moveCursor(QTextCursor::End);

    window.show();
    const auto reference = referenceWindow();
    const auto valueList = valueListWindow();
    const auto popup = explanationPopup();
    reference->show();
    valueList->show();
    popup->show();
    quitAfterNextPaint(&window);
    return app.exec();
}
