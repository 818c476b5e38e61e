// The main window: its creation, the editor operations, the document's view and the file
// commands. Its controls are built in main_window_controls.cpp, its first show and close are in
// main_window_start_close.cpp, and its text tools in main_window_text_tools.cpp.
#include "shell/main_window.h"

#include "editor/qt_editor_language.h"
#include "editor/qt_plain_text_target.h"
#include "editor/qt_scroll_bars.h"
#include "editor/text_tools.h"
#include "launcher/game_start.h"
#include "platform/program_paths.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"
#include "reference/explanations.h"
#include "reference/value_list_loading.h"
#include "shell/editor_colors.h"
#include "shell/game_directory.h"
#include "shell/main_menu_tables.h"
#include "shell/screen_fit.h"
#include "widgets/qt_widget_helpers.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

MainWindow::MainWindow(AppContext& ctx)
    : m_ctx(ctx), m_settings(ctx.state.home.settingsFile(), ctx.state.home.settingsReadOnly()),
      m_document(*this, ctx.dialogs) {
    setObjectName(u"Form1"_s);
    m_document.setVersions(ctx.state.versions());
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
    connect(m_fileWatcher, &QFileSystemWatcher::fileChanged, this,
            &MainWindow::documentFileChanged);
    connectHandlers();
    setUpTextTools();
    setUpTextForm();
    // The settings file is read once for the creation and the first show, the editor's
    // highlighting choice included.
    m_settings.holdCopy();
    EditorLanguageServices languageServices;
    languageServices.readInt = [this](const QString& section, const QString& key) {
        return m_settings.readInt(section, key);
    };
    languageServices.writeInt = [this](const QString& section, const QString& key, int value) {
        m_settings.writeInt(section, key, value);
    };
    languageServices.explanation = [this](const QString& entry) {
        return ReadIni2(m_ctx.state.home, QString(), entry, m_dlzPageActive);
    };
    m_language = new EditorLanguage(m_ctx, Memo1, std::move(languageServices),
                                    action(u"CheckConfig1"_s), action(u"SyntaxHighlight1"_s), this);
    m_language->setDocumentName(
        [this] { return m_document.isUntitled() ? QString() : m_document.fileName(); });

    // Creation step: settings that the main window applies before it is shown.
    showFileName(ConfigDocument::untitled());
    const CreationSettings created = readCreationSettings(m_settings);
    setEditorColors(created.background, Memo1->palette().color(QPalette::Text));
    const QRect placed = keptOnScreens(created.mainGeometry, currentScreenLayout());
    resize(placed.size());
    move(placed.topLeft());
    m_normalGeometry = QRect(pos(), size());
    m_ctx.state.games.gameDirChosen = created.gameDirChosen;
    // The editor's font before its text: a large command-line file is laid out once, not
    // again when the first show sets the font.
    applyEditorFont(readFirstShowSettings(m_settings));
    m_document.initialise(m_ctx.state.start.arguments);
}

void MainWindow::applyEditorFont(const FirstShowSettings& shown) {
    QFont font = Memo1->font();
    font.setFamily(shown.fontFace.isEmpty()
                       ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family()
                       : shown.fontFace);
    font.setPointSize(shown.fontSize > 0 ? shown.fontSize : 10);
    applyFontStyleCode(font, shown.styleCode);
    Memo1->setFont(font);
    setEditorColors(Memo1->palette().color(QPalette::Base), shown.fontColor);
}

MainWindow::~MainWindow() = default;

// --- editor operations

void MainWindow::insertAtCaret(const QString& text) {
    Memo1->textCursor().insertText(text);
    Memo1->ensureCursorVisible();
}

void MainWindow::appendBlock(const QString& block) {
    QTextCursor c(Memo1->document());
    c.movePosition(QTextCursor::End);
    c.insertText(u"\n"_s + block);
}

void MainWindow::caretToEnd() {
    QTextCursor c = Memo1->textCursor();
    c.movePosition(QTextCursor::End);
    Memo1->setTextCursor(c);
}

void MainWindow::openAtLine(const QString& path, int line) {
    const QString open = QFileInfo(m_document.fileName()).canonicalFilePath();
    if ((open.isEmpty() || open != QFileInfo(path).canonicalFilePath()) &&
        !m_document.openPath(path))
        return;
    caretToLine(line);
    activateWindow();
    raise();
}

const Vocabulary& MainWindow::vocabulary() {
    return m_language->vocabulary();
}

void MainWindow::caretToLine(int line) {
    const QTextBlock block = Memo1->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor caret = Memo1->textCursor();
    caret.setPosition(block.position());
    Memo1->setTextCursor(caret);
    Memo1->centerCursor();
    activateWindow();
    focusEditor();
}

void MainWindow::moveCaretLeft() {
    QTextCursor caret = Memo1->textCursor();
    caret.movePosition(QTextCursor::PreviousCharacter);
    Memo1->setTextCursor(caret);
}

int MainWindow::selectionStartColumn() const {
    QTextCursor start = Memo1->textCursor();
    start.setPosition(start.selectionStart());
    return start.positionInBlock();
}

QPoint MainWindow::caretPosition() const {
    const QTextCursor c = Memo1->textCursor();
    return QPoint(c.positionInBlock(), c.blockNumber());
}

void MainWindow::focusEditor() {
    Memo1->setFocus();
}

void MainWindow::setEditorColors(const QColor& background, const QColor& text) {
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

void MainWindow::setStatusLine(const QString& text) {
    if (text == m_panels[1]->text())
        return;
    m_panels[1]->setText(text);
    m_panels[1]->setToolTip(text);
}
QString MainWindow::statusLine() const {
    return m_panels[1]->text();
}

void MainWindow::Memo1SelectionChange() {
    if (std::exchange(m_caretPanelDue, true))
        return;
    QMetaObject::invokeMethod(this, &MainWindow::showCaretPanel, Qt::QueuedConnection);
}

void MainWindow::showCaretPanel() {
    m_caretPanelDue = false;
    const QPoint p = caretPosition();
    const QString column = QString::number(p.x() + 1);
    const QString line = QString::number(p.y() + 1);
    const int digits = int(std::max(column.size(), line.size()));
    if (digits > m_caretDigits) {
        m_caretDigits = digits;
        fixCaretLabelSize(m_panels[0], digits);
    }
    const QString shown = column + u" : "_s + line;
    if (shown != m_panels[0]->text())
        m_panels[0]->setText(shown);
}

// --- DocumentView

QString MainWindow::documentText() const {
    return plainTextOf(*Memo1->document());
}

void MainWindow::setDocumentText(const QString& text, bool caretAtEnd) {
    m_language->expectText(text);
    Memo1->setText(text);
    QTextCursor c = Memo1->textCursor();
    c.movePosition(caretAtEnd ? QTextCursor::End : QTextCursor::Start);
    Memo1->setTextCursor(c);
}

bool MainWindow::isDocumentModified() const {
    return Memo1->document()->isModified();
}
void MainWindow::setDocumentModified(bool modified) {
    Memo1->document()->setModified(modified);
}
void MainWindow::showFileName(const QString& fileName) {
    m_panels[2]->setText(fileName);
    m_panels[2]->setToolTip(fileName);
    watchDocumentFile(fileName == ConfigDocument::untitled() ? QString() : fileName);
}

void MainWindow::reloadDocumentText(const QString& text) {
    // The caret stays on its line (or the last one), and the view where it was.
    const int line = Memo1->textCursor().blockNumber();
    const int scrolled = Memo1->verticalScrollBar()->value();
    m_language->expectText(text);
    Memo1->setText(text);
    const QTextBlock block =
        Memo1->document()->findBlockByNumber(std::min(line, Memo1->document()->blockCount() - 1));
    QTextCursor c(block);
    Memo1->setTextCursor(c);
    Memo1->verticalScrollBar()->setValue(scrolled);
}

void MainWindow::watchDocumentFile(const QString& fileName) {
    if (!m_fileWatcher->files().isEmpty())
        m_fileWatcher->removePaths(m_fileWatcher->files());
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile())
        m_fileWatcher->addPath(fileName);
}

void MainWindow::documentFileChanged() {
    // A file replaced by a rename (as every save of this program does) is no longer watched.
    const QString name = m_document.fileName();
    if (!m_document.isUntitled() && !m_fileWatcher->files().contains(name) &&
        QFileInfo(name).isFile())
        m_fileWatcher->addPath(name);
    if (m_document.takeChangesFromDisk())
        setStatusLine(u"Файл изменён другой программой и загружен заново"_s);
    if (!m_document.isUntitled())
        noticeOpenFileSoon();
}
void MainWindow::showStatus(const QString& text) {
    setStatusLine(text);
}
QString MainWindow::idleStatus() const {
    return m_idleHint ? m_idleHint() : QString();
}
QFont MainWindow::documentFont() const {
    return Memo1->font();
}
QString MainWindow::printTitle() const {
    return windowTitle();
}

QString MainWindow::settingsPath() const {
    return m_settings.path();
}

// --- handlers

void MainWindow::New1Click() {
    m_document.newDocument();
}
void MainWindow::Open1Click() {
    m_document.open();
}
void MainWindow::Save1Click() {
    m_document.save();
}
void MainWindow::SaveAs1Click() {
    m_document.saveAs();
}
void MainWindow::MetaBind1Click() {
    m_document.newMetaBind();
}
void MainWindow::N33Click() {
    m_document.print();
}
void MainWindow::Exit1Click() {
    close();
}
void MainWindow::N7Click() {
    runOnFocusedEdit("undo");
}
void MainWindow::N3Click() {
    runOnFocusedEdit("cut");
}
void MainWindow::N4Click() {
    runOnFocusedEdit("copy");
}
void MainWindow::N5Click() {
    runOnFocusedEdit("paste");
}

void MainWindow::N38Click() {
    emit gameChooserRequested();
}

void MainWindow::openHelpPage(const QString& page) {
    emit helpRequested(page);
}

void MainWindow::N35Click() {
    openHelpPage(u"help.html"_s);
}
void MainWindow::N29Click() {
    openHelpPage(u"faq.html"_s);
}
void MainWindow::N31Click() {
    openHelpPage(u"lessons.html"_s);
}
void MainWindow::N30Click() {
    openHelpPage(u"about.html"_s);
}

void MainWindow::About1Click() {
    emit aboutRequested();
}

// --- commands that open other windows (each comes with its window)

void MainWindow::N43Click() {
    emit mapPickerRequested();
}
void MainWindow::N32Click() {
    emit mapCycleRequested();
}
void MainWindow::N20Click() {
    emit wizardRequested();
}
void MainWindow::N37Click() {
    emit librarySetupRequested();
}

void MainWindow::Dogy(const QString& listFilePath) {
    const ValueListLoad load = loadValueList(listFilePath);
    if (load.ok)
        emit valueListLoaded(listFilePath, load.entries);
    else
        m_ctx.dialogs.error(load.message);
}
void MainWindow::MetaBinds1Click() {
    emit metaBindsRequested();
}
void MainWindow::CS1Click() {
    SharedState& st = m_ctx.state;
    st.games.halfLifeDir = halfLifeDirOf(st.games.gameDir);
    if (m_document.isUntitled()) {
        m_ctx.dialogs.warning(u"Для продолжения сохраните текущий файл!"_s);
        return;
    }
    // The game runs the file as saved: unsaved edits are offered a save first.
    if (isDocumentModified()) {
        switch (m_ctx.dialogs.confirmYesNoCancel(
            u"Игра запустится с файлом в том виде, в каком он сохранён на диске. "
            u"Сохранить изменения перед запуском?\n"_s +
            m_document.fileName())) {
        case UserDialogs::Answer::Yes:
            if (!m_document.save())
                return;
            break;
        case UserDialogs::Answer::No:
            m_launchUnsaved = true;
            break;
        default:
            return;
        }
    }
    emit launcherRequested();
    m_launchUnsaved = false;
}
void MainWindow::startGame(const LaunchChoice& choice) {
    const LaunchOutcome r =
        launchGame(m_ctx.state, m_ctx.shell, m_document.fileName(), choice, currentGameHost(),
                   [this](const QString& configPath) { gameEnded(configPath); });
    if (!r.ok)
        m_ctx.dialogs.error(r.message);
    else if (m_launchUnsaved)
        setStatusLine(u"Игра запущена с сохранённым файлом, без несохранённых изменений"_s);
}
