// The user's config.cfg survives the start script: kept before, put back after when the game
// did not rewrite it, left with its copy beside it when the game did.
#include "launcher/config_keeper.h"
#include "launcher_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ModFolder {
    QTemporaryDir dir;
    SharedState state;
    QString config() const { return dir.path() + u"/config.cfg"_s; }
    QString kept(const QString& suffix = u".bak"_s) const { return config() + suffix; }
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
    EXPECT_EQ(fileBytes(m.kept()), kUserConfig);

    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), kUserConfig);
    EXPECT_FALSE(QFileInfo::exists(m.kept()));
    EXPECT_TRUE(m.state.launchedConfigs.empty());
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

TEST(ConfigKeeper, ConfigRewrittenByTheGameStaysWithTheCopyBeside) {
    ModFolder m;
    putFile(m.config(), kUserConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap de_dust"_s).ok);
    putFile(m.config(), "// written by the game\r\n");
    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), "// written by the game\r\n");
    EXPECT_EQ(fileBytes(m.kept()), kUserConfig);
}

TEST(ConfigKeeper, SecondLaunchesKeepTheRightContent) {
    ModFolder m;
    putFile(m.config(), kUserConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s).ok);
    // The game did not run: the next launch must not keep our own script as the user's config.
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap b"_s).ok);
    EXPECT_EQ(fileBytes(m.kept()), kUserConfig);
    EXPECT_FALSE(QFileInfo::exists(m.kept(u".bak2"_s)));

    // The game rewrote it; the launch after keeps that too, without touching the first copy.
    putFile(m.config(), "// game 1\r\n");
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap c"_s).ok);
    EXPECT_EQ(fileBytes(m.kept()), kUserConfig);
    EXPECT_EQ(fileBytes(m.kept(u".bak2"_s)), "// game 1\r\n");

    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_EQ(fileBytes(m.config()), "// game 1\r\n");
    EXPECT_EQ(fileBytes(m.kept()), kUserConfig); // the older copy stays for the user
    EXPECT_FALSE(QFileInfo::exists(m.kept(u".bak2"_s)));
}

TEST(ConfigKeeper, ScriptLeftByACrashedRunDoesNotOverwriteTheKeptCopy) {
    ModFolder m;
    putFile(m.kept(), kUserConfig);
    putFile(m.config(), "exec _.cfg\r\nmap old");
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap new"_s).ok);
    EXPECT_EQ(fileBytes(m.kept()), kUserConfig);
    EXPECT_EQ(m.state.launchedConfigs.at(0).keptCopy, m.kept());
    restoreUserConfigs(m.state);
    EXPECT_EQ(fileBytes(m.config()), kUserConfig);
}

TEST(ConfigKeeper, AnOlderCopyOfTheUsersOwnIsNeverOverwritten) {
    ModFolder m;
    putFile(m.kept(), "// the user's own old backup\r\n");
    putFile(m.config(), kUserConfig);
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s).ok);
    EXPECT_EQ(fileBytes(m.kept()), "// the user's own old backup\r\n");
    EXPECT_EQ(fileBytes(m.kept(u".bak2"_s)), kUserConfig);
    restoreUserConfigs(m.state);
    EXPECT_EQ(fileBytes(m.config()), kUserConfig);
    EXPECT_EQ(fileBytes(m.kept()), "// the user's own old backup\r\n");
}

TEST(ConfigKeeper, NoConfigBeforeMeansNoneAfter) {
    ModFolder m;
    ASSERT_TRUE(writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s).ok);
    EXPECT_FALSE(QFileInfo::exists(m.kept()));
    EXPECT_TRUE(restoreUserConfigs(m.state).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m.config()));
}

TEST(ConfigKeeper, NothingIsWrittenWhenTheConfigCannotBeKept) {
    ModFolder m;
    // A folder stands where the copy should go: keeping fails, and config.cfg stays the user's.
    putFile(m.config(), kUserConfig);
    QDir().mkpath(m.kept());
    const StartScriptResult r = writeStartScript(m.state, m.config(), u"exec _.cfg\nmap a"_s);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedPath, m.kept());
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(fileBytes(m.config()), kUserConfig);
    EXPECT_TRUE(m.state.launchedConfigs.empty());
}
