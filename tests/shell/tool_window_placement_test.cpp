// The tool windows beside the main window, as logic: following moves, docking while maximized
// and coming back after a restore, whatever order the window system reports a change in.
#include "shell/tool_window_dock.h"

#include <gtest/gtest.h>

namespace {

const QSize kPopup(225, 85);
const QRect kMaximized(0, 0, 1280, 1000);

// The windows as the widget side keeps them: a placement returned is put on them.
struct Desk {
    ToolWindowPlacement placement;
    ToolGeometry tools;
    bool docked = false;

    void seen(const QRect& main, MainWindowMode mode) {
        if (const auto p = placement.mainSeen(main, mode, tools, kPopup)) {
            tools = p->places;
            docked = p->docked;
        }
    }
};

// One sighting of the main window during a maximize or a restore.
struct Sight {
    bool maximizedGeometry; // the frame already (still) at the maximized place and size
    MainWindowMode mode;
};
using Steps = std::vector<Sight>;
constexpr auto N = MainWindowMode::Normal;
constexpr auto M = MainWindowMode::Maximized;

} // namespace

TEST(ToolWindowPlacement, MaximizeAndRestoreBringThemBackInAnyEventOrder) {
    // Orders seen from window managers: the state before the geometry, after it, and a restore
    // whose first sighting still reads the maximized (0,0).
    const struct {
        const char* name;
        Steps maximize;
        Steps restore;
    } orders[] = {
        {"state first", {{false, M}, {true, M}}, {{true, N}, {false, N}}},
        {"geometry first", {{true, N}, {true, M}}, {{false, M}, {false, N}}},
        {"stale restore", {{true, M}}, {{true, N}, {true, N}, {false, N}}},
        {"repaints while maximized", {{true, M}, {true, M}, {true, M}}, {{false, N}}},
    };
    for (const QPoint mainAt : {QPoint(10, 10), QPoint(110, 110)}) {
        for (const auto& order : orders) {
            const QRect normal(mainAt, QSize(560, 450));
            Desk desk;
            desk.placement.setRemembered(ToolGeometry{});
            desk.seen(normal, N); // first activation: the remembered places
            const ToolGeometry start = desk.tools;
            EXPECT_EQ(start, ToolGeometry{});
            for (int cycle = 0; cycle < 3; ++cycle) {
                for (const Sight& s : order.maximize)
                    desk.seen(s.maximizedGeometry ? kMaximized : normal, s.mode);
                EXPECT_TRUE(desk.docked) << order.name;
                // Docked at their own sizes, so a restore has no size to get back.
                EXPECT_EQ(desk.tools, dockedToolGeometry(kMaximized, kPopup, start.reference.size(),
                                                         start.valueList.size()))
                    << order.name;
                EXPECT_EQ(desk.tools.reference.size(), start.reference.size());
                for (const Sight& s : order.restore)
                    desk.seen(s.maximizedGeometry ? kMaximized : normal, s.mode);
                EXPECT_FALSE(desk.docked) << order.name;
                EXPECT_EQ(desk.tools, start) << order.name << " cycle " << cycle;
            }
            EXPECT_EQ(desk.placement.normalPlaces(desk.tools), start);
        }
    }
}

TEST(ToolWindowPlacement, MovesCarryThemAlongAndTheirOwnPlacesAreKept) {
    Desk desk;
    desk.seen(QRect(10, 10, 560, 450), N);
    desk.seen(QRect(40, 30, 560, 450), N);
    const ToolGeometry moved = movedToolGeometry(ToolGeometry{}, QPoint(30, 20));
    EXPECT_EQ(desk.tools, moved);
    // The user moves the value list alone; a wider main window takes the windows beside its
    // right edge along (the value list's own place with it), and that is what the maximize
    // remembers.
    desk.tools.valueList.moveTo(700, 300);
    desk.seen(QRect(40, 30, 600, 500), N);
    EXPECT_EQ(desk.tools.valueList.topLeft(), QPoint(740, 300));
    EXPECT_EQ(desk.tools.reference, moved.reference.translated(40, 0));
    desk.seen(kMaximized, M);
    EXPECT_EQ(desk.placement.normalPlaces(desk.tools).valueList.topLeft(), QPoint(740, 300));
    // Minimized from maximized and back: still docked, and the normal places still kept.
    desk.seen(kMaximized, MainWindowMode::Minimized);
    desk.seen(kMaximized, M);
    EXPECT_TRUE(desk.docked);
    desk.seen(QRect(40, 30, 600, 500), N);
    EXPECT_EQ(desk.tools.valueList.topLeft(), QPoint(740, 300));
    EXPECT_EQ(desk.tools.reference, moved.reference.translated(40, 0));
}

// Resized from any side, the main window keeps the windows beside it and never comes over them:
// those beside its right edge follow the edge, one left of it follows the corner, and one it grew
// over steps out beside it. One the player put over it stays.
TEST(ToolWindowPlacement, AResizedMainWindowKeepsThemBesideItAndNeverUnderIt) {
    const QRect before(10, 10, 560, 450);
    ToolGeometry tools;
    tools.valueList = QRect(575, 10, 150, 385); // beside the right edge
    tools.reference = QRect(400, 470, 135, 315); // below the main window's right part
    tools.popup = QPoint(-300, 100);             // left of the main window
    const QRect wider(0, 10, 900, 600);          // wider on both sides, taller
    const ToolGeometry g = followedToolGeometry(tools, before, wider, kPopup, true);
    EXPECT_EQ(g.valueList.topLeft(), QPoint(575 + 330, 10));
    EXPECT_GT(g.reference.left(), wider.right());
    EXPECT_EQ(g.reference.top(), 470);
    EXPECT_EQ(g.popup, QPoint(-310, 100));
    for (const QRect& r : {g.valueList, g.reference, QRect(g.popup, kPopup)})
        EXPECT_FALSE(r.intersects(wider));
    ToolGeometry over = tools;
    over.reference.moveTo(300, 100);
    EXPECT_EQ(followedToolGeometry(over, before, wider, kPopup, true).reference.topLeft(),
              QPoint(290, 100));

    // Seen at start, then resized: the windows that stood beside it still do.
    Desk desk;
    desk.seen(before, N);
    EXPECT_EQ(desk.tools, ToolGeometry{});
    desk.seen(QRect(10, 10, 760, 450), N);
    EXPECT_EQ(desk.tools.valueList.left(), ToolGeometry{}.valueList.left() + 200);
    EXPECT_FALSE(desk.tools.valueList.intersects(QRect(10, 10, 760, 450)));
}

TEST(ToolWindowPlacement, DockedPlacesAreTheFixedOuterRectangles) {
    const ToolGeometry g = dockedToolGeometry(QRect(0, 0, 1280, 994), QSize(225, 85));
    EXPECT_EQ(g.reference, QRect(1280 - 157 - 15, 72, 157, 194));
    EXPECT_EQ(g.valueList, QRect(1280 - 157 - 15, 266, 157, 200));
    EXPECT_EQ(g.popup, QPoint(1280 - 225 - 15, 994 - 142));
    // The value list starts where the reference window ends: they meet, not overlap.
    EXPECT_EQ(g.reference.bottom() + 1, g.valueList.top());

    // Windows the user made larger keep their sizes, still one below the other; on a screen too
    // short for both they go up as far as the main window's top.
    const ToolGeometry tall =
        dockedToolGeometry(QRect(0, 0, 1280, 994), QSize(225, 85), {180, 340}, {160, 400});
    EXPECT_EQ(tall.reference, QRect(1280 - 180 - 15, 72, 180, 340));
    EXPECT_EQ(tall.valueList, QRect(1280 - 160 - 15, 72 + 340, 160, 400));
    // The pop-up stands beside a value list that reaches down to it.
    EXPECT_FALSE(QRect(tall.popup, QSize(225, 85)).intersects(tall.valueList));
    EXPECT_EQ(tall.popup.y(), 994 - 142);
}

// Maximized on a laptop's screen (1366x768, and 1093x614 as the program sees it at a scale of
// 1.25), with the sizes the windows have without settings and larger ones: every window stands
// under the toolbar, never over the title bar, wholly on the screen, none over another, and the
// strip the main window leaves free holds them.
TEST(ToolWindowPlacement, DockedOnASmallScreenTheyShareItsHeightAndStayOnIt) {
    const ToolGeometry defaults;
    const QSize frame(2, 22);
    const struct {
        QRect screen;
        QSize reference, valueList;
    } cases[] = {
        {QRect(0, 0, 1366, 768), defaults.reference.size() + frame,
         defaults.valueList.size() + frame},
        {QRect(0, 0, 1093, 614), defaults.reference.size() + frame,
         defaults.valueList.size() + frame},
        {QRect(0, 0, 1093, 614), {300, 700}, {300, 700}},
        {QRect(0, 24, 1366, 744), {157, 194}, {157, 200}}, // a panel above
        {QRect(0, 0, 1280, 700), {180, 340}, {160, 400}},
    };
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.screen.width()) + "x" +
                                 std::to_string(c.screen.height()) + " " +
                                 std::to_string(c.reference.height());
        // The maximized frame may reach past the screen's area (a panel the manager ignores).
        const QRect main(c.screen.left(), c.screen.top(), c.screen.width(), c.screen.height() + 10);
        const ToolGeometry g = dockedToolGeometry(main, kPopup, c.reference, c.valueList, c.screen);
        const QRect popup(g.popup, kPopup);
        for (const QRect& r : {g.reference, g.valueList, popup}) {
            EXPECT_TRUE(c.screen.contains(r)) << name;
            EXPECT_GE(r.top(), main.top() + 72) << name; // under the title bar and the menus
        }
        EXPECT_FALSE(g.reference.intersects(g.valueList)) << name;
        EXPECT_FALSE(g.valueList.intersects(popup)) << name;
        EXPECT_EQ(g.reference.width(), c.reference.width()) << name;
        EXPECT_GE(g.valueList.height(), std::min(80, c.valueList.height())) << name;
        const int strip = dockedStripWidth(g, main, kPopup);
        for (const QRect& r : {g.reference, g.valueList, popup})
            EXPECT_GE(r.left(), main.right() + 1 - strip) << name;
        EXPECT_LT(strip, main.width() / 2) << name;
    }
}

// The main window widened to nearly the screen's width and narrowed again, in steps, from the
// places the windows have without settings: never two tool windows over each other, and none
// off the screen, at any step.
TEST(ToolWindowPlacement, ResizingTheMainWindowNeverStacksThemOrPushesThemOff) {
    for (const QRect screen : {QRect(0, 0, 1366, 768), QRect(0, 0, 1093, 614)}) {
        const QSize frame(2, 22);
        ToolWindowPlacement placement;
        ToolGeometry tools; // the defaults, beside the main window at 10, 10
        const auto seen = [&](const QRect& main) {
            if (const auto p =
                    placement.mainSeen(main, MainWindowMode::Normal, tools, kPopup, frame, screen))
                tools = p->places;
        };
        const auto check = [&](const QRect& main) {
            const std::string at = std::to_string(screen.width()) + ": main " +
                                   std::to_string(main.width()) + "x" +
                                   std::to_string(main.height());
            const QRect list(tools.valueList.topLeft(), tools.valueList.size() + frame);
            const QRect reference(tools.reference.topLeft(), tools.reference.size() + frame);
            const QRect popup(tools.popup, kPopup);
            EXPECT_FALSE(list.intersects(reference)) << at;
            EXPECT_FALSE(list.intersects(popup)) << at;
            EXPECT_FALSE(reference.intersects(popup)) << at;
            for (const QRect& r : {list, reference, popup})
                EXPECT_TRUE(screen.contains(r)) << at;
        };
        QRect main(10, 10, 560, 450);
        seen(main);
        for (const int width : {800, 1100, screen.width() - 30, screen.width() - 12, 900, 560}) {
            main.setWidth(width);
            seen(main);
            check(main);
        }
        for (const int height : {screen.height() - 40, 450}) {
            main.setHeight(height);
            seen(main);
            check(main);
        }
    }
}

// A main window made as large as the screen, in the normal state, leaves the tool windows no
// room beside it: they dock as for a maximize, and come back when it is made smaller again.
TEST(ToolWindowPlacement, AMainWindowAsLargeAsTheScreenDocksThem) {
    const QRect screen(0, 0, 1366, 768);
    ToolWindowPlacement placement;
    ToolGeometry tools;
    const auto seen = [&](const QRect& main) {
        const auto p =
            placement.mainSeen(main, MainWindowMode::Normal, tools, kPopup, QSize(0, 0), screen);
        if (p)
            tools = p->places;
        return p ? p->docked : placement.docked();
    };
    const QRect normal(10, 10, 560, 450);
    EXPECT_FALSE(seen(normal));
    const ToolGeometry start = tools;
    EXPECT_TRUE(seen(screen));
    for (const QRect& r : {tools.reference, tools.valueList, QRect(tools.popup, kPopup)})
        EXPECT_TRUE(screen.contains(r));
    EXPECT_FALSE(seen(normal));
    EXPECT_EQ(tools, start);
}

TEST(ToolWindowPlacement, KeptApartMovesOnlyAWindowThatStandsOverAnother) {
    const QRect main(10, 10, 560, 450);
    const QRect screen(0, 0, 1366, 768);
    ToolGeometry apart;
    EXPECT_EQ(keptApart(apart, apart, main, screen, kPopup, QSize(2, 22)), apart);
    ToolGeometry stacked = apart;
    stacked.reference.moveTopLeft(apart.valueList.topLeft());
    // Stacked by the player: so they stay.
    EXPECT_EQ(keptApart(stacked, stacked, main, screen, kPopup, QSize(2, 22)), stacked);
    const ToolGeometry g = keptApart(stacked, apart, main, screen, kPopup, QSize(2, 22));
    EXPECT_EQ(g.valueList, stacked.valueList); // the first one stays
    EXPECT_FALSE(QRect(g.reference.topLeft(), g.reference.size() + QSize(2, 22))
                     .intersects(QRect(g.valueList.topLeft(), g.valueList.size() + QSize(2, 22))));
    EXPECT_FALSE(g.reference.intersects(main));
    EXPECT_TRUE(screen.contains(g.reference));
}
