// The main window's first show (settings, game directory, tool windows), the hints shown in
// its status bar, the tool windows that follow it, and its close steps.
#include "shell/main_window.h"

#include "language/config_set.h"
#include "launcher/config_keeper.h"
#include "platform/user_dialogs.h"
#include "shell/game_directory.h"
#include "shell/qt_quit_when_painted.h"
#include "shell/screen_fit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QThread>
#include <QTimer>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

// --- start-up

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!m_firstShowDone && !m_ctx.state.start.selfTest)
        QTimer::singleShot(0, this, &MainWindow::FormShow);
}

void MainWindow::FormShow() {
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
        keptOnScreens(shown.tools, currentScreenLayout(), m_follower.popupSize()));

    settleGameDirectory();
    m_settings.releaseCopy();
    if (m_quitting)
        return;

    // The tool windows, modeless, beside the editor: reference, value list, pop-up.
    // They stand where the settings say from the start; the first activation places them again.
    m_follower.applyRemembered();
    m_follower.showAll();

    caretToEnd();
    setDocumentModified(false);
    // What the game (or anything else) changed in its configs since the program last ran.
    if (!m_ctx.state.start.exitWhenIdle)
        lookAtChangedFiles();
    if (m_ctx.state.start.exitWhenIdle) {
        m_quitting = true; // no close steps: the benchmark leaves the settings alone
        quitAfterNextPaint(this);
    }
}

void MainWindow::settleGameDirectory() {
    SharedState& st = m_ctx.state;
    const QString catalog = st.games.gameDirChosen == 1
                                ? m_settings.readText(u"Game"_s, u"Catalog"_s)
                                : Settings::absentText();
    const GameDirStart start =
        ::settleGameDirectory(st.games.gameDirChosen, catalog, st.home.fallbackFolder(),
                              [](const QString& p) { return QFileInfo(p).isDir(); });
    if (!start.wizardFolder.isEmpty())
        st.games.wizardFolder = start.wizardFolder;
    if (!start.chooserFolder.isEmpty())
        st.games.gameDir = start.chooserFolder;
    if (start.showChooser) {
        // "Отмена" in the chooser at first start ends the program (quitWithoutClosing).
        emit gameChooserRequested();
        if (m_quitting)
            return;
    }
    st.games.startupGameDir = st.games.gameDir;
}

void MainWindow::quitWithoutClosing() {
    m_quitting = true;
    close();
    // Only a running loop can be ended; with none (a test driving the window) closing is all.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

// --- the hint handler

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        setStatusLine(tip.isEmpty() ? idleStatus() : tip);
        return true;
    }
    return QMainWindow::event(e);
}

// --- tool windows

void MainWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    toolWindowsFollowSoon();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    toolWindowsFollowSoon();
}

void MainWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        documentFileChanged(); // a change the watcher missed shows when the user comes back
        if (m_firstShowDone)
            lookAtChangedFiles();
    }
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !m_activated) {
        m_activated = true;
        toolWindowsFollowSoon();
    } else if (e->type() == QEvent::WindowStateChange) {
        toolWindowsFollowSoon();
    }
}

void MainWindow::ToolWindows1Click() {
    m_follower.showAll();
    toolWindowsFollowSoon();
}

void MainWindow::toolWindowsFollowSoon() {
    // A maximize or restore arrives as a state change, a move and a resize in varying order;
    // the tool windows follow once they have all been handled.
    if (m_followPending)
        return;
    m_followPending = true;
    QTimer::singleShot(0, this, &MainWindow::placeToolWindows);
}

void MainWindow::placeToolWindows() {
    m_followPending = false;
    if (windowState() == Qt::WindowNoState)
        m_normalGeometry = QRect(pos(), size());
    if (m_activated && !m_closed) {
        m_follower.mainSeen(*this);
        // Docked, the tool windows stand in a strip at the right: the editor, the bottom panel
        // and the status bar keep out of it, so none of their controls lies under a tool window.
        const int strip = m_follower.dockedStrip();
        centralWidget()->setContentsMargins(0, 0, strip, 0);
        statusBar()->setContentsMargins(0, 0, strip, 0);
    }
}

// --- close

void MainWindow::closeEvent(QCloseEvent* e) {
    if (m_closed || m_quitting || m_ctx.state.start.selfTest) {
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
    const QString launchCopy = m_ctx.state.games.gameDir + u'/' + launchCopyName();
    if (!m_ctx.state.games.gameDir.isEmpty() && QFileInfo(launchCopy).isFile())
        QFile::remove(launchCopy);
    m_closed = true;
    e->accept();
    QCoreApplication::quit();
}

void MainWindow::writeSettingsAtClose() {
    CloseSettings v;
    v.background = Memo1->palette().color(QPalette::Base);
    const QFont font = Memo1->font();
    v.fontFace = font.family();
    v.fontSize = font.pointSize();
    v.fontColor = Memo1->palette().color(QPalette::Text);
    v.styleCode = m_styleCode;
    v.mainGeometry = m_normalGeometry;
    v.tools = m_follower.backToNormal();
    v.gameDirChosen = m_ctx.state.games.gameDirChosen;
    v.gameDir = m_ctx.state.games.gameDir;
    const textfile::WriteResult w = writeCloseSettings(m_settings, v);
    if (!w.ok)
        m_ctx.dialogs.error(u"Настройки не сохранены:\n"_s +
                            textfile::describeFailure(m_settings.path(), w.reason));
}
