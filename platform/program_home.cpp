// The program's two homes and the layered lookup of its files.
#include "platform/program_home.h"

#include "platform/program_paths.h"
#include "platform/shipped_tree.h"
#include "platform/system_reasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

#ifndef TESSERA_DATA_FROM_BIN
#define TESSERA_DATA_FROM_BIN "../share/tessera"
#endif
#ifndef TESSERA_MODULE_FROM_BIN
#define TESSERA_MODULE_FROM_BIN "../lib/tessera"
#endif

namespace {

// The XDG rule: a variable that is unset, empty or relative falls back to the default.
QString xdgFolder(const QString& value, const QString& home, const QString& fallback) {
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return home + fallback;
}

QString folderWithSlash(const QString& folder) {
    return paths::withTrailingSeparator(QDir::cleanPath(folder));
}

QString withoutSlash(QString folder) {
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

// Makes `folder` and its parents; empty when it exists or was made, else the system's reason.
QString makeFolder(const QString& folder) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).data()),
                                        ec);
    if (ec)
        return russianSystemReason(QString::fromLocal8Bit(ec.message()));
    if (!QFileInfo(folder).isWritable())
        return russianSystemReason(u"Permission denied"_s);
    return QString();
}

} // namespace

HomeEnvironment HomeEnvironment::systemEnvironment() {
    return {qEnvironmentVariable("HOME", QDir::homePath()), qEnvironmentVariable("XDG_CONFIG_HOME"),
            qEnvironmentVariable("XDG_DATA_HOME")};
}

QString HomeEnvironment::configHome() const {
    return xdgFolder(xdgConfigHome, home, u"/.config"_s);
}

QString HomeEnvironment::dataHome() const {
    return xdgFolder(xdgDataHome, home, u"/.local/share"_s);
}

InstalledLayout InstalledLayout::ofThisBuild() {
    return {QStringLiteral(TESSERA_DATA_FROM_BIN), QStringLiteral(TESSERA_MODULE_FROM_BIN)};
}

ProgramHome ProgramHome::portable(const QString& folder) {
    ProgramHome h;
    h.m_portable = true;
    h.m_shipped = h.m_user = h.m_config = h.m_module = folderWithSlash(folder);
    return h;
}

ProgramHome ProgramHome::installed(const QString& shippedDir, const QString& configDir,
                                   const QString& userDir, const QString& moduleDir) {
    ProgramHome h;
    h.m_portable = false;
    h.m_shipped = folderWithSlash(shippedDir);
    h.m_config = folderWithSlash(configDir);
    h.m_user = folderWithSlash(userDir);
    h.m_module = folderWithSlash(moduleDir);
    return h;
}

ProgramHome ProgramHome::forExecutable(const QString& executableDir, const HomeEnvironment& env,
                                       const InstalledLayout& layout) {
    const QString exe = folderWithSlash(executableDir);
    const bool holdsSettings = QFileInfo(paths::resolve(exe, u"Cfgneed.INI"_s)).isFile();
    const bool holdsTree = QFileInfo(paths::resolve(exe, u"dlls"_s)).isDir();
    if ((holdsSettings || holdsTree) && QFileInfo(exe).isWritable())
        return portable(exe);
    const QString config = env.configHome() + u"/tessera"_s;
    const QString user = env.dataHome() + u"/tessera"_s;
    if (holdsTree) // a portable copy on a read-only disk
        return installed(exe, config, user, exe);
    return installed(exe + layout.dataFromExecutable, config, user,
                     exe + layout.moduleFromExecutable);
}

QString ProgramHome::settingsFile() const {
    return paths::resolve(m_config, u"Cfgneed.INI"_s);
}

QString ProgramHome::soundModule() const {
    return m_module + u"tessera_wav"_s;
}

QString ProgramHome::printModule() const {
    return m_module + u"tessera_print"_s;
}

QString ProgramHome::historyDir() const {
    return m_user.isEmpty() ? QString() : m_user + u"history/"_s;
}

QString ProgramHome::cacheDir() const {
    return m_user.isEmpty() ? QString() : m_user + u"cache/"_s;
}

QString ProgramHome::fallbackFolder() const {
    // Installed, the executable's folder means nothing to the player: the home folder does.
    return m_portable ? withoutSlash(m_shipped) : QDir::homePath();
}

QString ProgramHome::find(const QString& relative) const {
    if (m_user != m_shipped) {
        const QString own = paths::resolve(m_user, relative);
        if (QFileInfo::exists(own))
            return own;
    }
    return paths::resolve(m_shipped, relative);
}

QString ProgramHome::userPath(const QString& relative) const {
    return paths::resolve(m_user, relative);
}

bool ProgramHome::isShippedOnly(const QString& relative) const {
    return m_user != m_shipped && !QFileInfo::exists(userPath(relative)) &&
           QFileInfo::exists(paths::resolve(m_shipped, relative));
}

QStringList ProgramHome::listFiles(const QString& relative, const QString& pattern) const {
    QStringList names = paths::listFiles(userPath(relative), pattern);
    if (m_user == m_shipped)
        return names;
    for (const QString& shipped : paths::listFiles(paths::resolve(m_shipped, relative), pattern)) {
        const bool covered = std::any_of(names.begin(), names.end(), [&](const QString& own) {
            return own.compare(shipped, Qt::CaseInsensitive) == 0;
        });
        if (!covered)
            names.append(shipped);
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool shippedTreeReadable(const ProgramHome& home) {
    return QDir(paths::resolve(home.shippedDir(), u"dlls"_s)).isReadable();
}

QStringList ProgramHome::prepare() {
    QStringList messages;
    const QString tree = paths::resolve(m_shipped, u"dlls"_s);
    if (!shippedTreeReadable(*this))
        messages.append(u"Папка с данными программы (справочник команд, библиотеки, картинки) "
                        u"не найдена или недоступна для чтения:\n"_s +
                        QDir::toNativeSeparators(withoutSlash(tree)) +
                        u"\nСправочник будет пуст. Переустановите программу."_s);
    if (m_portable)
        return messages;
    QStringList failed;
    for (const QString& folder : {withoutSlash(m_config), m_user + u"dlls"_s}) {
        const QString reason = makeFolder(folder);
        if (!reason.isEmpty())
            failed.append(folder + u": "_s + reason);
    }
    if (!failed.isEmpty()) {
        m_settingsReadOnly = !QFileInfo(m_config).isWritable();
        messages.append(u"Не удалось создать папку для файлов пользователя:\n"_s +
                        failed.join(u'\n') +
                        u"\nПрограмма работает только на чтение: настройки не будут сохранены, "
                        u"библиотеки и MetaBinds не будут установлены."_s);
    }
    return messages;
}
