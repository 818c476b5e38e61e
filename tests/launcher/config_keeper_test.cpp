// The user's config.cfg survives the start script: kept in the versions store before, put back
// after when the game did not rewrite it, left (and the user's still in the store) when it did.
// Nothing is written beside it in the game's folder.
#include "launcher/config_keeper.h"
#include "launcher_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ModFolder {
    QTemporaryDir dir;
    SharedState state;
    ModFolder() { state.home = ProgramHome::portable(dir.path() + u"/program"_s); }
    QString config() const { return dir.path() + u"/config.cfg"_s; }
    QString kept(const QString& suffix = u".bak"_s) const { return config() + suffix; }
    // What the folder holds besides config.cfg and the program's own folder.
    QStringList besides() const {
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        names.removeAll(u"config.cfg"_s);
        return names;
    }
    // The bytes of every version the store keeps of config.cfg, the newest first.
    QList<QByteArray> versions() const {
        QList<QByteArray> all;
        const VersionStore store = state.versions();
        for (const FileVersion& v : store.versions(config()))
            all.append(store.bytesOf(v).bytes);
        return all;
    }
};

const QByteArray kUserConfig = "// mine\r\nbind w +forward\r\nname \"\xcf\xf0\xe8\"\r\n";

} // namespace

TEST(ConfigKeeper, RecognisesOnlyStartScripts) {
    EXPECT_TRUE(isStartScript("exec _.cfg\r\nmap de_dust"));
    EXPECT_TRUE(isStartScript("exec _.cfg\r\nmap de_dust\r\n+mlook"));
    EXPECT_TRUE(isStartScript("exec _.cfg\r\nmap "));
    EXPECT_FALSE(isStartScript("exec _.cfg\r\nmap de_dust\r\n"));
    EXPECT_TRUE(isStartScript("exec _.cfg\nmap de_dust\n+mlook")); // an LF config's
    EXPECT_FALSE(isStartScript("exec _.cfg\nmap de_dust\r\n+mlook"));
    EXPECT_FALSE(isStartScript("exec _.cfg\r\nmap de_dust\r\nbind w +forward"));
    EXPECT_FALSE(isStartScript("exec _.cfg\r\nmap a\r\n+mlook\r\nx"));
    EXPECT_FALSE(isStartScript(kUserConfig));
    EXPECT_FALSE(isStartScript(""));
}

TEST(ConfigKeeper, UntouchedScriptIsReplacedByTheUsersConfigAtTheEnd) {
    ModFolder m;
    putFile(m.config(), kUserConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap de_dust\n+mlook"_s).ok);
    EXPECT_EQ(fileBytes(m.config()), "exec _.cfg\r\nmap de_dust\r\n+mlook");
    EXPECT_TRUE(m.besides().isEmpty());
    EXPECT_TRUE(m.versions().contains(kUserConfig));

    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), kUserConfig);
    EXPECT_TRUE(m.besides().isEmpty());
    EXPECT_TRUE(m.state.launch.launchedConfigs.empty());
    // The script and the user's config, each once.
    EXPECT_EQ(m.versions(),
              (QList<QByteArray>{kUserConfig, "exec _.cfg\r\nmap de_dust\r\n+mlook"}));
}

TEST(ConfigKeeper, TheScriptHasTheLineBreaksOfTheConfigItStandsIn) {
    ModFolder m;
    const QByteArray lfConfig = "\xEF\xBB\xBF// \xD0\xBC\xD0\xBE\xD0\xB9\nbind w +forward\n";
    putFile(m.config(), lfConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap de_dust"_s).ok);
    // No byte-order mark: the game would read it as part of "exec".
    EXPECT_EQ(fileBytes(m.config()), "exec _.cfg\nmap de_dust");
    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), lfConfig);
}

TEST(ConfigKeeper, ConfigRewrittenByTheGameStaysWithTheUsersInTheStore) {
    ModFolder m;
    putFile(m.config(), kUserConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap de_dust"_s).ok);
    putFile(m.config(), "// written by the game\r\n");
    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), "// written by the game\r\n");
    EXPECT_TRUE(m.besides().isEmpty());
    const std::optional<FileVersion> mine = newestNonScriptVersion(m.state.versions(), m.config());
    ASSERT_TRUE(mine);
    EXPECT_EQ(m.state.versions().bytesOf(*mine).bytes, kUserConfig);
}

TEST(ConfigKeeper, SecondLaunchesKeepTheRightContent) {
    ModFolder m;
    putFile(m.config(), kUserConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s).ok);
    // The game did not run: the next launch must not take our own script for the user's config.
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap b"_s).ok);
    EXPECT_EQ(m.state.launch.launchedConfigs.at(0).userConfig, kUserConfig);

    // The game rewrote it; the launch after keeps that as the config to put back.
    putFile(m.config(), "// game 1\r\n");
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap c"_s).ok);
    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), "// game 1\r\n");
    const QList<QByteArray> kept = m.versions();
    EXPECT_TRUE(kept.contains(kUserConfig));
    EXPECT_TRUE(kept.contains("// game 1\r\n"));
    EXPECT_TRUE(m.besides().isEmpty());
}

TEST(ConfigKeeper, ScriptLeftByACrashedRunGivesBackTheConfigBehindIt) {
    // An older version of the program left its copy beside the config; this one's store holds
    // the user's config behind its own script as well.
    for (const bool oldCopy : {true, false}) {
        ModFolder m;
        if (oldCopy) {
            putFile(m.kept(), kUserConfig);
            putFile(m.config(), "exec _.cfg\r\nmap old");
        } else {
            putFile(m.config(), kUserConfig);
            ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap old"_s).ok);
            m.state.launch.launchedConfigs.clear(); // the run ended without restoring
        }
        ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap new"_s).ok);
        restoreUserConfigs(m.state);
        EXPECT_EQ(fileBytes(m.config()), kUserConfig) << oldCopy;
        if (oldCopy) { // the older program's copy is left as it was
            EXPECT_EQ(fileBytes(m.kept()), kUserConfig);
        }
    }
}

TEST(ConfigKeeper, NoConfigBeforeMeansNoneAfter) {
    ModFolder m;
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s).ok);
    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m.config()));
    EXPECT_TRUE(m.besides().isEmpty());
}

TEST(ConfigKeeper, NothingIsWrittenWhenTheConfigCannotBeKept) {
    ModFolder m;
    // A file stands where the versions store should be: keeping fails, and config.cfg stays
    // the user's.
    putFile(m.config(), kUserConfig);
    putFile(m.state.home.historyDir().chopped(1), "not a folder");
    const StartScriptResult r = writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedPath, m.config());
    EXPECT_TRUE(r.reason.contains(u"истории версий"_s)) << r.reason.toStdString();
    EXPECT_EQ(fileBytes(m.config()), kUserConfig);
    EXPECT_TRUE(m.state.launch.launchedConfigs.empty());
}
