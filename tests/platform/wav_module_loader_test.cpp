// The radio preview's player comes from a module loaded on first use: a missing module leaves
// the preview off with a reason, the real one plays or says why not.
#include "platform/wav_module_loader.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(WavModule, MissingModuleLeavesThePreviewOffAndSaysWhy) {
    ModuleWavPlayer player(u"/nonexistent/tessera_wav"_s);
    QString reason;
    EXPECT_FALSE(player.available(&reason));
    EXPECT_TRUE(reason.contains(u"модуль звука"_s)) << reason.toStdString();
    EXPECT_TRUE(reason.contains(u"/nonexistent/tessera_wav"_s));
    EXPECT_FALSE(player.open(QStringLiteral(TESSERA_SOURCE_DIR) +
                             u"/demo/Half-Life/cstrike/sound/radio/com_go.wav"_s));
    EXPECT_FALSE(player.isOpen());
    player.play(); // nothing to do, and no crash
    player.stop();
    player.rewind();
}

TEST(WavModule, RealModulePlaysOrSaysWhyNot) {
    ModuleWavPlayer player(QStringLiteral(TESSERA_WAV_MODULE));
    QString reason;
    const bool available = player.available(&reason);
    EXPECT_EQ(available, reason.isEmpty()) << reason.toStdString();
    EXPECT_FALSE(reason.contains(u"модуль звука"_s)) << reason.toStdString();
    EXPECT_EQ(player.open(QStringLiteral(TESSERA_SOURCE_DIR) +
                          u"/demo/Half-Life/cstrike/sound/radio/com_go.wav"_s),
              available);
    EXPECT_EQ(player.isOpen(), available);
    player.play();
    player.stop();
}
