// The main window: its controls, the start-up and close steps, the file commands and the
// commands that open other windows. The text tools are in main_window_text_tools.cpp.
#include "shell/main_window.h"

#include "language/qt_editor_language.h"
#include "launcher/launcher_window.h"
#include "launcher/config_keeper.h"
#include "mapcycle/map_cycle_window.h"
#include "mapcycle/map_picker_dialog.h"
#include "metabinds/metabinds_window.h"
#include "platform/program_paths.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"
#include "reference/library_setup_window.h"
#include "reference/value_list_window.h"
#include "reference/explanation_window.h"
#include "reference/reference_window.h"
#include "reference/value_list_loading.h"
#include "shell/about_dialog.h"
#include "shell/game_chooser_window.h"
#include "shell/editor_colors.h"
#include "shell/game_directory.h"
#include "shell/main_menu_tables.h"
#include "shell/qt_plain_text_target.h"
#include "shell/qt_quit_when_painted.h"
#include "shell/qt_scroll_bars.h"
#include "shell/qt_tool_icons.h"
#include "shell/qt_widget_helpers.h"
#include "shell/screen_fit.h"
#include "shell/text_tools.h"
#include "wizard/wizard_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

bool ConfigEditor::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                              Qt::ShiftModifier | Qt::MetaModifier);
        if (mods == Qt::ControlModifier &&
            (key->key() == Qt::Key_A || key->key() == Qt::Key_Y || key->key() == Qt::Key_K)) {
            e->ignore(); // let the menu's shortcut have it
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

TForm1::TForm1(AppContext& ctx)
    : m_ctx(ctx), m_settings(ctx.state.home.settingsFile(), ctx.state.home.settingsReadOnly()),
      m_document(*this, ctx.dialogs) {
    setObjectName(u"Form1"_s);
    setWindowTitle(mainWindowCaption());
    keepDialogPlacesWhenHidden(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Memo1 = new ConfigEditor(central);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    keepScrollBarsInPlace(Memo1);
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(Memo1, 1);
    setCentralWidget(central);

    buildMenus();
    buildToolBar();
    buildBottomPanel();
    layout->addWidget(Panel1);
    buildStatusBar();
    m_fileWatcher = new QFileSystemWatcher(this);
    connect(m_fileWatcher, &QFileSystemWatcher::fileChanged, this, &TForm1::documentFileChanged);
    connectHandlers();
    setUpTextTools();
    setUpTextForm();
    new EditorLanguage(m_ctx, Memo1, m_settings, action(u"CheckConfig1"_s),
                       action(u"SyntaxHighlight1"_s), this);

    // Creation step: settings that the main window applies before it is shown. The settings
    // file is read once for the creation and the first show.
    m_settings.holdCopy();
    showFileName(ConfigDocument::untitled());
    const CreationSettings created = readCreationSettings(m_settings);
    setEditorColors(created.background, Memo1->palette().color(QPalette::Text));
    const QRect placed = keptOnScreens(created.mainGeometry, currentScreenLayout());
    resize(placed.size());
    move(placed.topLeft());
    m_normalGeometry = QRect(pos(), size());
    m_ctx.state.gameDirChosen = created.gameDirChosen;
    // The editor's font before its text: a large command-line file is laid out once, not
    // again when the first show sets the font.
    applyEditorFont(readFirstShowSettings(m_settings));
    m_document.initialise(m_ctx.state.arguments);
}

void TForm1::applyEditorFont(const FirstShowSettings& shown) {
    QFont font = Memo1->font();
    font.setFamily(shown.fontFace.isEmpty()
                       ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family()
                       : shown.fontFace);
    font.setPointSize(shown.fontSize > 0 ? shown.fontSize : 10);
    applyFontStyleCode(font, shown.styleCode);
    Memo1->setFont(font);
    setEditorColors(Memo1->palette().color(QPalette::Base), shown.fontColor);
}

TForm1::~TForm1() = default;

void TForm1::buildMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(u"MainMenu1"_s);
    auto makeAction = [this](const MenuItemEntry& e, QMenu* menu) {
        auto* a = new QAction(e.caption.toString(), this);
        a->setObjectName(e.name.toString());
        a->setStatusTip(e.hint.toString());
        if (!e.shortcut.isEmpty()) {
            if (e.shortcutShownOnly)
                a->setText(a->text() + u'\t' + e.shortcut.toString());
            else
                a->setShortcut(QKeySequence(e.shortcut.toString(), QKeySequence::PortableText));
        }
        if (e.separatorBefore)
            menu->addSeparator();
        menu->addAction(a);
        m_actions.insert(a->objectName(), a);
        return a;
    };
    for (const MenuItemEntry& e : mainMenuEntries()) {
        if (e.parent.isEmpty()) {
            QMenu* menu = MainMenu1->addMenu(e.caption.toString());
            menu->setObjectName(e.name.toString());
            m_menus.insert(menu->objectName(), menu);
            continue;
        }
        QMenu* parent = m_menus.value(e.parent.toString());
        // An item that other items name as their parent is a submenu.
        const bool isSubmenu =
            std::any_of(mainMenuEntries().begin(), mainMenuEntries().end(),
                        [&](const MenuItemEntry& o) { return o.parent == e.name; });
        if (isSubmenu) {
            if (e.separatorBefore)
                parent->addSeparator();
            QMenu* sub = parent->addMenu(e.caption.toString());
            sub->setObjectName(e.name.toString());
            m_menus.insert(sub->objectName(), sub);
            continue;
        }
        makeAction(e, parent);
    }
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(u"PopupMenu2"_s);
    for (const MenuItemEntry& e : editorPopupEntries())
        makeAction(e, PopupMenu2);
}

void TForm1::buildToolBar() {
    ToolBar1 = addToolBar(u"ToolBar1"_s);
    ToolBar1->setObjectName(u"ToolBar1"_s);
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(23, 23));
    ToolBar1->installEventFilter(this); // no tool tips: the hints go to the status bar
    for (const ToolButtonEntry& e : toolButtonEntries()) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(e.name.toString());
        button->setAutoRaise(true);
        button->setIcon(toolButtonIcon(e.name.toString()));
        button->setStatusTip(e.hint.toString());
        button->installEventFilter(this);
        QAction* target = m_actions.value(e.action.toString());
        connect(button, &QToolButton::clicked, this, [target] {
            if (target)
                target->trigger();
        });
        ToolBar1->addWidget(button);
        if (e.separatorAfter)
            ToolBar1->addSeparator();
    }
    Label5 = new QLabel(u"<<Нажми"_s, ToolBar1);
    Label5->setObjectName(u"Label5"_s);
    ToolBar1->addWidget(Label5);
}

void TForm1::buildBottomPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFixedHeight(30);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(pal);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 8, 2);
    row->setSpacing(14);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(252, 26);
    Image1->setPixmap(bottomPanelPicture(QSize(252, 26)));
    row->addWidget(Image1);
    row->addStretch(1);
    QFont bold = Panel1->font();
    bold.setBold(true);
    for (const BottomLabelEntry& e : bottomLabelEntries()) {
        auto* label = new ClickableLabel(e.caption.toString(), Panel1);
        label->setObjectName(e.name.toString());
        label->setFont(bold);
        label->setPalette(pal);
        label->setCursor(Qt::PointingHandCursor);
        label->setStatusTip(e.hint.toString());
        row->addWidget(label);
    }
}

namespace {

// The caret panel: at least 60 pixels, so short positions do not make it jump, and never
// narrower than its text, so a long line number widens it while the other panels give way.
class CaretLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override {
        const QSize hint = QLabel::sizeHint();
        return QSize(std::max(hint.width(), 60), hint.height());
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace

void TForm1::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(true);
    const QString initial[3] = {u"1 : 1"_s, QString(), ConfigDocument::untitled()};
    for (int i = 0; i < 3; ++i) {
        // The path panel keeps the file name in sight when the path is too long for it.
        // The message panel shows a long message whole in its tool tip.
        m_panels[i] = i == 2   ? new PathLabel(initial[i], StatusBar1)
                      : i == 1 ? new ElidedLabel(initial[i], StatusBar1)
                      : i == 0 ? new CaretLabel(initial[i], StatusBar1)
                               : new QLabel(initial[i], StatusBar1);
        m_panels[i]->setObjectName(u"StatusPanel"_s + QString::number(i));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    fixCaretLabelSize(m_panels[0]);
    m_panels[0]->setAlignment(Qt::AlignCenter);
    m_panels[1]->setMinimumWidth(280);
    StatusBar1->addWidget(m_panels[0]);
    StatusBar1->addWidget(m_panels[1], 1);
    StatusBar1->addWidget(m_panels[2], 1);
}

void TForm1::connectHandlers() {
    const QHash<QString, void (TForm1::*)()> handlers = {
        {u"New1"_s, &TForm1::New1Click},
        {u"Open1"_s, &TForm1::Open1Click},
        {u"Save1"_s, &TForm1::Save1Click},
        {u"SaveAs1"_s, &TForm1::SaveAs1Click},
        {u"MetaBind1"_s, &TForm1::MetaBind1Click},
        {u"N33"_s, &TForm1::N33Click},
        {u"Exit1"_s, &TForm1::Exit1Click},
        {u"N7"_s, &TForm1::N7Click},
        {u"N3"_s, &TForm1::N3Click},
        {u"N4"_s, &TForm1::N4Click},
        {u"N5"_s, &TForm1::N5Click},
        {u"N22"_s, &TForm1::N7Click},
        {u"N24"_s, &TForm1::N3Click},
        {u"N25"_s, &TForm1::N4Click},
        {u"N26"_s, &TForm1::N5Click},
        {u"N38"_s, &TForm1::N38Click},
        {u"N35"_s, &TForm1::N35Click},
        {u"N29"_s, &TForm1::N29Click},
        {u"N31"_s, &TForm1::N31Click},
        {u"N30"_s, &TForm1::N30Click},
        {u"About1"_s, &TForm1::About1Click},
        {u"N11"_s, &TForm1::N11Click},
        {u"N28"_s, &TForm1::N11Click},
        {u"N14"_s, &TForm1::N14Click},
        {u"N21"_s, &TForm1::N21Click},
        {u"N13"_s, &TForm1::N21Click},
        {u"N12"_s, &TForm1::N12Click},
        {u"N18"_s, &TForm1::N18Click},
        {u"N15"_s, &TForm1::N18Click},
        {u"N16"_s, &TForm1::N16Click},
        {u"N17"_s, &TForm1::N17Click},
        {u"N43"_s, &TForm1::N43Click},
        {u"N42"_s, &TForm1::N43Click},
        {u"N32"_s, &TForm1::N32Click},
        {u"N20"_s, &TForm1::N20Click},
        {u"N37"_s, &TForm1::N37Click},
        {u"MetaBinds1"_s, &TForm1::MetaBinds1Click},
        {u"CS1"_s, &TForm1::CS1Click},
    };
    for (auto it = handlers.begin(); it != handlers.end(); ++it)
        if (QAction* a = m_actions.value(it.key()))
            connect(a, &QAction::triggered, this, it.value());
    const QHash<QString, void (TForm1::*)()> labels = {
        {u"Label1"_s, &TForm1::Label1Click},
        {u"Label2"_s, &TForm1::Label2Click},
        {u"Label3"_s, &TForm1::Label3Click},
        {u"Label4"_s, &TForm1::Label4Click},
    };
    for (auto it = labels.begin(); it != labels.end(); ++it)
        if (auto* label = Panel1->findChild<ClickableLabel*>(it.key()))
            connect(label, &ClickableLabel::clicked, this, it.value());
    connect(m_menus.value(u"N10"_s), &QMenu::aboutToShow, this, &TForm1::N10Popup);
    connect(PopupMenu2, &QMenu::aboutToShow, this, &TForm1::PopupMenu2Popup);
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, &TForm1::Memo1SelectionChange);
    connect(Memo1, &QPlainTextEdit::selectionChanged, this, &TForm1::Memo1SelectionChange);
    connect(Memo1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu2->popup(Memo1->viewport()->mapToGlobal(p)); });
}

// --- editor operations

void TForm1::insertAtCaret(const QString& text) {
    Memo1->textCursor().insertText(text);
    Memo1->ensureCursorVisible();
}

void TForm1::appendBlock(const QString& block) {
    QTextCursor c(Memo1->document());
    c.movePosition(QTextCursor::End);
    c.insertText(u"\n"_s + block);
}

void TForm1::caretToEnd() {
    QTextCursor c = Memo1->textCursor();
    c.movePosition(QTextCursor::End);
    Memo1->setTextCursor(c);
}

QPoint TForm1::caretPosition() const {
    const QTextCursor c = Memo1->textCursor();
    return QPoint(c.positionInBlock(), c.blockNumber());
}

void TForm1::focusEditor() {
    Memo1->setFocus();
}

void TForm1::setEditorColors(const QColor& background, const QColor& text) {
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Text, text);
    const SelectionColors selection = selectionColors(background, text);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, selection.background);
        pal.setColor(group, QPalette::HighlightedText, selection.text);
    }
    Memo1->setPalette(pal);
}

void TForm1::setStatusLine(const QString& text) {
    m_panels[1]->setText(text);
    m_panels[1]->setToolTip(text);
}
QString TForm1::statusLine() const {
    return m_panels[1]->text();
}

void TForm1::Memo1SelectionChange() {
    const QPoint p = caretPosition();
    m_panels[0]->setText(QString::number(p.x() + 1) + u" : "_s + QString::number(p.y() + 1));
}

// --- DocumentView

QString TForm1::documentText() const {
    return plainTextOf(*Memo1->document());
}

void TForm1::setDocumentText(const QString& text, bool caretAtEnd) {
    Memo1->setPlainText(text);
    QTextCursor c = Memo1->textCursor();
    c.movePosition(caretAtEnd ? QTextCursor::End : QTextCursor::Start);
    Memo1->setTextCursor(c);
}

bool TForm1::isDocumentModified() const {
    return Memo1->document()->isModified();
}
void TForm1::setDocumentModified(bool modified) {
    Memo1->document()->setModified(modified);
}
void TForm1::showFileName(const QString& fileName) {
    m_panels[2]->setText(fileName);
    m_panels[2]->setToolTip(fileName);
    watchDocumentFile(fileName == ConfigDocument::untitled() ? QString() : fileName);
}

void TForm1::reloadDocumentText(const QString& text) {
    // The caret stays on its line (or the last one), and the view where it was.
    const int line = Memo1->textCursor().blockNumber();
    const int scrolled = Memo1->verticalScrollBar()->value();
    Memo1->setPlainText(text);
    const QTextBlock block =
        Memo1->document()->findBlockByNumber(std::min(line, Memo1->document()->blockCount() - 1));
    QTextCursor c(block);
    Memo1->setTextCursor(c);
    Memo1->verticalScrollBar()->setValue(scrolled);
}

void TForm1::watchDocumentFile(const QString& fileName) {
    if (!m_fileWatcher->files().isEmpty())
        m_fileWatcher->removePaths(m_fileWatcher->files());
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile())
        m_fileWatcher->addPath(fileName);
}

void TForm1::documentFileChanged() {
    // A file replaced by a rename (as every save of this program does) is no longer watched.
    const QString name = m_document.fileName();
    if (!m_document.isUntitled() && !m_fileWatcher->files().contains(name) &&
        QFileInfo(name).isFile())
        m_fileWatcher->addPath(name);
    if (m_document.takeChangesFromDisk())
        setStatusLine(u"Файл изменён другой программой и загружен заново"_s);
}
void TForm1::showStatus(const QString& text) {
    setStatusLine(text);
}
QString TForm1::idleStatus() const {
    return m_idleHint ? m_idleHint() : QString();
}
QFont TForm1::documentFont() const {
    return Memo1->font();
}
QString TForm1::printTitle() const {
    return windowTitle();
}

QString TForm1::settingsPath() const {
    return m_settings.path();
}

// --- handlers

void TForm1::New1Click() {
    m_document.newDocument();
}
void TForm1::Open1Click() {
    m_document.open();
}
void TForm1::Save1Click() {
    m_document.save();
}
void TForm1::SaveAs1Click() {
    m_document.saveAs();
}
void TForm1::MetaBind1Click() {
    m_document.newMetaBind();
}
void TForm1::N33Click() {
    m_document.print();
}
void TForm1::Exit1Click() {
    close();
}
void TForm1::N7Click() {
    runOnFocusedEdit("undo");
}
void TForm1::N3Click() {
    runOnFocusedEdit("cut");
}
void TForm1::N4Click() {
    runOnFocusedEdit("copy");
}
void TForm1::N5Click() {
    runOnFocusedEdit("paste");
}

void TForm1::N38Click() {
    if (m_ctx.windows.nachalo)
        m_ctx.windows.nachalo->runModal();
}

void TForm1::openHelpPage(const QString& page) {
    const QString folder = m_ctx.state.home.find(u"help"_s);
    m_ctx.shell.openDocument(paths::resolve(folder, page), folder);
}

void TForm1::N35Click() {
    openHelpPage(u"help.html"_s);
}
void TForm1::N29Click() {
    openHelpPage(u"faq.html"_s);
}
void TForm1::N31Click() {
    openHelpPage(u"lessons.html"_s);
}
void TForm1::N30Click() {
    openHelpPage(u"about.html"_s);
}

void TForm1::About1Click() {
    TAbout box(m_ctx, this);
    box.ensureBuilt();
    box.exec();
}

// --- commands that open other windows (each comes with its window)

void TForm1::N43Click() {
    if (m_ctx.windows.mapsMenu)
        m_ctx.windows.mapsMenu->runModal();
}

void TForm1::N32Click() {
    if (m_ctx.windows.maps)
        m_ctx.windows.maps->runModal();
}
void TForm1::N20Click() {
    if (m_ctx.windows.form2)
        m_ctx.windows.form2->runModal();
}
void TForm1::N37Click() {
    if (m_ctx.windows.form3)
        m_ctx.windows.form3->runLibraryListing();
}

void TForm1::Dogy() {
    const ValueListLoad load = loadValueList(m_ctx.state.listFilePath);
    if (load.ok)
        m_ctx.state.valueList.setEntries(load.entries);
    else
        m_ctx.dialogs.error(load.message);
}
void TForm1::MetaBinds1Click() {
    m_ctx.state.metaBindTarget = 1;
    if (m_ctx.windows.metab)
        m_ctx.windows.metab->openModal();
}
void TForm1::CS1Click() {
    SharedState& st = m_ctx.state;
    st.halfLifeDir = halfLifeDirOf(st.gameDir);
    if (m_document.isUntitled()) {
        m_ctx.dialogs.warning(u"Для продолжения сохраните текущий файл!"_s);
        return;
    }
    Tstartcs* launcher = m_ctx.windows.startcs;
    if (!launcher || !launcher->runModal())
        return;
    const LaunchOutcome r =
        launchGame(st, m_ctx.shell, m_document.fileName(), launcher->choice(), currentGameHost());
    if (!r.ok)
        m_ctx.dialogs.error(r.message);
}

// --- start-up

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!m_firstShowDone && !m_ctx.state.selfTest)
        QTimer::singleShot(0, this, &TForm1::FormShow);
}

void TForm1::FormShow() {
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    // Applied at creation already (so the text was laid out in it); the same font again
    // changes nothing.
    const FirstShowSettings shown = readFirstShowSettings(m_settings);
    applyEditorFont(shown);
    // The font command's silent run: the style code follows the font now applied.
    N16Click();
    m_fontLive = true;
    m_follower.setRemembered(
        keptOnScreens(shown.tools, currentScreenLayout(),
                      m_ctx.windows.form6 ? m_ctx.windows.form6->size() : QSize()));

    settleGameDirectory();
    m_settings.releaseCopy();
    if (m_quitting)
        return;

    // The tool windows, modeless, beside the editor: reference, value list, pop-up.
    // They stand where the settings say from the start; the first activation places them again.
    m_follower.applyRemembered();
    const AppWindows& w = m_ctx.windows;
    for (QWidget* tool : {static_cast<QWidget*>(w.ccd), static_cast<QWidget*>(w.pani1),
                          static_cast<QWidget*>(w.form6)})
        if (tool)
            tool->show();

    caretToEnd();
    setDocumentModified(false);
    if (m_ctx.state.exitWhenIdle) {
        m_quitting = true; // no close steps: the benchmark leaves the settings alone
        quitAfterNextPaint(this);
    }
}

void TForm1::settleGameDirectory() {
    SharedState& st = m_ctx.state;
    const QString catalog = st.gameDirChosen == 1 ? m_settings.readText(u"Game"_s, u"Catalog"_s)
                                                  : Settings::absentText();
    const GameDirStart start =
        ::settleGameDirectory(st.gameDirChosen, catalog, st.home.fallbackFolder(),
                              [](const QString& p) { return QFileInfo(p).isDir(); });
    if (!start.wizardFolder.isEmpty())
        st.wizardFolder = start.wizardFolder;
    if (!start.chooserFolder.isEmpty())
        st.gameDir = start.chooserFolder;
    if (start.showChooser && m_ctx.windows.nachalo) {
        if (m_ctx.windows.nachalo->runModal() == Tnachalo::Result::QuitProgram) {
            quitWithoutClosing();
            return;
        }
    }
    st.startupGameDir = st.gameDir;
}

void TForm1::quitWithoutClosing() {
    m_quitting = true;
    close();
    // Only a running loop can be ended; with none (a test driving the window) closing is all.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

// --- the hint handler

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        setStatusLine(tip.isEmpty() ? idleStatus() : tip);
        return true;
    }
    return QMainWindow::event(e);
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip && (watched == ToolBar1 || watched->parent() == ToolBar1))
        return true;
    return QMainWindow::eventFilter(watched, e);
}

// --- tool windows

void TForm1::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    toolWindowsFollowSoon();
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    toolWindowsFollowSoon();
}

void TForm1::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        documentFileChanged(); // a change the watcher missed shows when the user comes back
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !m_activated) {
        m_activated = true;
        toolWindowsFollowSoon();
    } else if (e->type() == QEvent::WindowStateChange) {
        toolWindowsFollowSoon();
    }
}

void TForm1::toolWindowsFollowSoon() {
    // A maximize or restore arrives as a state change, a move and a resize in varying order;
    // the tool windows follow once they have all been handled.
    if (m_followPending)
        return;
    m_followPending = true;
    QTimer::singleShot(0, this, &TForm1::placeToolWindows);
}

void TForm1::placeToolWindows() {
    m_followPending = false;
    if (windowState() == Qt::WindowNoState)
        m_normalGeometry = QRect(pos(), size());
    if (m_activated && !m_closed)
        m_follower.mainSeen(*this);
}

// --- close

void TForm1::closeEvent(QCloseEvent* e) {
    if (m_closed || m_quitting || m_ctx.state.selfTest) {
        e->accept();
        return;
    }
    if (!m_document.closeQuery()) {
        e->ignore();
        return;
    }
    if (windowState() != Qt::WindowNoState)
        setWindowState(Qt::WindowNoState);
    writeSettingsAtClose();
    restoreKeptConfigs(m_ctx.state, m_ctx.dialogs);
    const QString launchCopy = m_ctx.state.gameDir + u"/_.cfg"_s;
    if (!m_ctx.state.gameDir.isEmpty() && QFileInfo(launchCopy).isFile())
        QFile::remove(launchCopy);
    m_closed = true;
    e->accept();
    QCoreApplication::quit();
}

void TForm1::writeSettingsAtClose() {
    CloseSettings v;
    v.background = Memo1->palette().color(QPalette::Base);
    const QFont font = Memo1->font();
    v.fontFace = font.family();
    v.fontSize = font.pointSize();
    v.fontColor = Memo1->palette().color(QPalette::Text);
    v.styleCode = m_styleCode;
    v.mainGeometry = m_normalGeometry;
    v.tools = m_follower.backToNormal();
    v.gameDirChosen = m_ctx.state.gameDirChosen;
    v.gameDir = m_ctx.state.gameDir;
    const textfile::WriteResult w = writeCloseSettings(m_settings, v);
    if (!w.ok)
        m_ctx.dialogs.error(u"Настройки не сохранены:\n"_s +
                            textfile::describeFailure(m_settings.path(), w.reason));
}
