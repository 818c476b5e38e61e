// The radio preview's player on Qt Multimedia: whatever the machine has (no sound output, a
// damaged file), it answers at once and never ends the program.
#include "platform/wav_module/qt_wav_player.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString demoSound =
    QStringLiteral(TESSERA_SOURCE_DIR "/demo/Half-Life/cstrike/sound/radio/com_go.wav");

} // namespace

TEST(ScriptWavPlayer, PlaysOrSaysWhyNot) {
    QtWavPlayer player;
    QString reason;
    const bool available = player.available(&reason);
    EXPECT_EQ(available, reason.isEmpty());
    EXPECT_EQ(player.open(demoSound), available);
    EXPECT_EQ(player.isOpen(), available);
    // Neither waits for the sound.
    QElapsedTimer clock;
    clock.start();
    player.play();
    player.stop();
    player.rewind();
    player.play();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(player.open(u"/nonexistent/radio.wav"_s));
    EXPECT_FALSE(player.isOpen());
}

TEST(ScriptWavPlayer, DamagedFileIsReportedOnce) {
    QTemporaryDir dir;
    const QString broken = dir.path() + u"/broken.wav"_s;
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF\x10\0\0\0WAVEjunkjunkjunk", 20);
    f.close();

    QtWavPlayer player;
    QStringList reports;
    player.setFailureHandler([&](const QString& why) { reports << why; });
    if (!player.open(broken))
        GTEST_SKIP() << "no sound output here";
    QTRY_COMPARE_WITH_TIMEOUT(reports.size(), 1, 5000);
    EXPECT_TRUE(reports.first().contains(u"broken.wav"_s));
    EXPECT_FALSE(player.isOpen());
    player.play(); // does nothing, and reports nothing more
    QTest::qWait(50);
    EXPECT_EQ(reports.size(), 1);
}
