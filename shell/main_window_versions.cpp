// The main window's part in keeping versions: the files whose changes on disk it notices (the
// open file, the game's config.cfg and autoexec.cfg), the report of what the game changed, the
// end of the game the launcher started, and "История версий".
#include "shell/main_window.h"

#include "editor/qt_editor_language.h"
#include "language/saved_settings.h"
#include "launcher/config_change_report.h"
#include "launcher/config_keeper.h"
#include "platform/program_paths.h"
#include "platform/user_dialogs.h"

#include <QFileInfo>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

void MainWindow::Versions1Click() {
    // The open file's versions; for a new document, the game's config.cfg.
    const QString gameConfig = m_ctx.state.games.gameDir.isEmpty()
                                   ? QString()
                                   : paths::resolve(m_ctx.state.games.gameDir, u"config.cfg"_s);
    emit versionsRequested(m_document.isUntitled() ? gameConfig : m_document.fileName());
}

bool MainWindow::noticeChangedFile(const QString& path, bool force) {
    const FileIdentity now = fileIdentity(path);
    const QString key = QFileInfo(path).absoluteFilePath();
    if (!force && m_filesSeen.contains(key) && m_filesSeen.value(key) == now)
        return false;
    m_filesSeen.insert(key, now);
    if (now.size < 0)
        return false;
    const VersionStore::Noticed n = m_ctx.state.versions().notice(path);
    if (!n.ok) {
        setStatusLine(u"Не удалось сохранить версию файла "_s + QFileInfo(path).fileName());
        return false;
    }
    if (!n.changed)
        return false;
    if (!isConfigCfg(path))
        return true;
    // The player's own version against the game's, or, when the game rewrote its own file
    // once more, what changed since (a server's binds of the last game).
    ConfigChangeReport report;
    const VersionStore store = m_ctx.state.versions();
    if (n.before && n.before->source == VersionSource::Game) {
        const textfile::BytesResult before = store.bytesOf(*n.before);
        const textfile::TextForm form = textfile::detectForm(n.bytes);
        if (before.ok())
            report =
                compareGameConfig(textfile::decodeText(before.bytes, form),
                                  textfile::decodeText(n.bytes, form), m_language->words(), {});
    } else {
        report = reportGameChange(store, path, m_language->words());
    }
    if (!report.isEmpty())
        emit gameConfigChanged(path, report);
    return true;
}

void MainWindow::noticeOpenFileSoon() {
    if (!m_noticeSoon) {
        m_noticeSoon = new QTimer(this);
        m_noticeSoon->setSingleShot(true);
        m_noticeSoon->setInterval(500);
        connect(m_noticeSoon, &QTimer::timeout, this, [this] {
            if (!m_document.isUntitled())
                noticeChangedFile(m_document.fileName());
        });
    }
    m_noticeSoon->start();
}

void MainWindow::lookAtChangedFiles() {
    const SharedState& st = m_ctx.state;
    if (!m_document.isUntitled())
        noticeChangedFile(m_document.fileName());
    if (st.games.gameDir.isEmpty())
        return;
    for (const QString& name : {u"config.cfg"_s, u"autoexec.cfg"_s}) {
        const QString path = paths::resolve(st.games.gameDir, name);
        // While the launcher's start script stands in config.cfg, the game is still running.
        if (!startScriptStandsIn(st.launch, path))
            noticeChangedFile(path);
    }
}

void MainWindow::gameEnded(const QString& configPath) {
    const QString failure = restoreUserConfig(m_ctx.state, configPath);
    if (!failure.isEmpty())
        m_ctx.dialogs.error(u"Не удалось вернуть прежний config.cfg:\n"_s + failure);
    noticeChangedFile(configPath, true);
    lookAtChangedFiles();
}
