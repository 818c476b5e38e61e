// Window places read from the settings file: clamped to what a screen can hold, and brought back
// onto the primary screen when they would stand wholly off every screen.
#include "shell/screen_fit.h"
#include "shell/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(WindowPlaces, ExtremeSettingsStayWithinWhatAScreenCanHold) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Cfgneed.INI"_s);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[MainForm]\r\nLeft=2147483647\r\nTop=-2147483648\r\nWidth=2147483647\r\n"
            "Height=-7\r\n[Forms]\r\nccdL=2147483647\r\nccdW=2147483647\r\n"
            "pani1T=-2147483648\r\nf6L=2147483647\r\n");
    f.close();
    const Settings settings(path);
    const QRect main = readCreationSettings(settings).mainGeometry;
    constexpr int k = kMaxScreenCoordinate;
    EXPECT_EQ(main, QRect(QPoint(k, -k), QSize(k, 0)));
    const ToolGeometry tools = readFirstShowSettings(settings).tools;
    const ToolGeometry defaults;
    EXPECT_EQ(tools.reference, QRect(k, defaults.reference.top(), k, defaults.reference.height()));
    EXPECT_EQ(tools.valueList.top(), -k);
    EXPECT_EQ(tools.popup, QPoint(k, defaults.popup.y()));
    // The far edges are representable: the arithmetic behind them did not overflow.
    for (const QRect& r : {main, tools.reference, tools.valueList}) {
        EXPECT_LE(qint64(r.right()), 2LL * k);
        EXPECT_GE(qint64(r.bottom()), -2LL * k);
    }
    EXPECT_EQ(windowRectFromSettings(INT_MIN, INT_MIN, INT_MIN, INT_MIN),
              QRect(QPoint(-k, -k), QSize(0, 0)));
}

TEST(WindowPlaces, AWindowWhollyOffEveryScreenComesBackToThePrimary) {
    // Two screens side by side; the primary one is on the left.
    const ScreenLayout layout{{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)},
                              QRect(0, 0, 1920, 1040)};
    struct Case {
        QRect window, kept;
    };
    const Case cases[] = {
        {QRect(10, 10, 560, 450), QRect(10, 10, 560, 450)},            // on the primary
        {QRect(3000, 900, 560, 450), QRect(3000, 900, 560, 450)},      // partly on the second
        {QRect(-500, 100, 560, 450), QRect(-500, 100, 560, 450)},      // partly on the primary
        {QRect(32767, 200, 560, 450), QRect(1360, 200, 560, 450)},     // right of both
        {QRect(2000, 1100, 300, 200), QRect(1620, 840, 300, 200)},     // under the second
        {QRect(-32767, -32767, 99, 99), QRect(0, 0, 99, 99)},          // far up and left
        {QRect(5000, 10, 32767, 32767), QRect(0, 0, 1920, 1040)},      // too big to come back whole
        {QRect(QPoint(-1, -1), QSize(0, 0)), QRect(0, 0, 0, 0)},       // no size, just off
        {QRect(QPoint(100, 100), QSize(0, 0)), QRect(100, 100, 0, 0)}, // no size, on screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(keptOnScreens(c.window, layout), c.kept)
            << c.window.x() << "," << c.window.y() << " " << c.window.width() << "x"
            << c.window.height();
    // No screen known: nothing to go by, nothing changes.
    EXPECT_EQ(keptOnScreens(QRect(32767, 0, 10, 10), ScreenLayout{}), QRect(32767, 0, 10, 10));

    ToolGeometry tools;
    tools.reference = QRect(32767, 15, 135, 315);
    tools.popup = QPoint(-32767, 10);
    const ToolGeometry kept = keptOnScreens(tools, layout, QSize(200, 100));
    EXPECT_EQ(kept.reference, QRect(1785, 15, 135, 315));
    EXPECT_EQ(kept.popup, QPoint(0, 10));
    EXPECT_EQ(kept.valueList, tools.valueList);
}
