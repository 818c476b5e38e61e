// Where the three tool windows (reference, value list, explanation pop-up) stand beside the main
// window: they follow its moves, dock at its right edge while it is maximized, and go back to
// their remembered places when it is restored.
#pragma once

#include "shell/settings.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// The docked places along the main window's right edge. `mainFrame` is the maximized main
// window's frame; `popupSize` the explanation pop-up's size. Every window keeps its width when
// docked: `referenceFrame` and `valueListFrame` are the outer sizes of the reference window and
// the value list, which stands below it, down to the pop-up; where the two are taller than that
// room (or `available`, the screen's area, is shorter than the main window) they share it.
// The rectangles are outer ones: the tool windows' frames, title bars included.
ToolGeometry dockedToolGeometry(const QRect& mainFrame, const QSize& popupSize,
                                const QSize& referenceFrame = QSize(157, 194),
                                const QSize& valueListFrame = QSize(157, 200),
                                const QRect& available = QRect());

// How much of the maximized main window's right side the docked windows take: the main window
// keeps its controls out of that strip.
int dockedStripWidth(const ToolGeometry& docked, const QRect& mainFrame, const QSize& popupSize);

// The tool windows after a move from `was` to `tools`, with none over another: a window that
// came to stand over one settled before it (value list, reference window, pop-up, in that
// order), or off `available` (the screen's area; empty: no limit), goes to the nearest free place
// beside the others or the main window. Windows the player put over each other stay so.
// The positions are those of frames, the sizes of insides; `frameExtra` is what a frame adds.
ToolGeometry keptApart(const ToolGeometry& tools, const ToolGeometry& was, const QRect& main,
                       const QRect& available, const QSize& popupSize, const QSize& frameExtra);

// The remembered geometry shifted by the main window's move.
ToolGeometry movedToolGeometry(const ToolGeometry& tools, const QPoint& delta);

// The tool windows after the main window went from `before` to `after` (moved, resized or
// both): a window that stood beside its right edge keeps its place beside that edge, the others
// move with its top left corner; and with `stepOut` (the user resized it), a window the main
// window grew over with its right part steps out beside its right edge, so none comes to stand
// over the editor (one the player put there stays).
ToolGeometry followedToolGeometry(const ToolGeometry& tools, const QRect& before,
                                  const QRect& after, const QSize& popupSize, bool stepOut);

enum class MainWindowMode { Normal, Maximized, Minimized };

// Where to put the tool windows after the main window was seen in some state.
struct ToolPlacement {
    ToolGeometry places;
    // Docked places are frames (outer sizes); normal places are positions of the frames with
    // the sizes of the windows' insides, as the settings store them.
    bool docked = false;
};

// Follows the main window through moves, maximizing and restoring. The window system reports a
// maximize or a restore as several events whose order varies (the state may change before the
// window has moved, or after), so the main window is only ever compared with where it was last
// seen in the normal state: whatever order the events come in, a cycle that ends where it began
// leaves the tool windows where they were.
class ToolWindowPlacement {
public:
    const ToolGeometry& remembered() const { return m_remembered; }
    void setRemembered(const ToolGeometry& g) { m_remembered = g; }

    // The main window was seen with `mainFrame` in `mode`; `actual` is where the tool windows
    // stand now. Returns where to put them, or nothing when they stay.
    // `frameExtra` is what the window manager's frame adds to a tool window's inside;
    // `available` the area of the main window's screen (empty: no limit).
    std::optional<ToolPlacement> mainSeen(const QRect& mainFrame, MainWindowMode mode,
                                          const ToolGeometry& actual, const QSize& popupSize,
                                          const QSize& frameExtra = QSize(0, 0),
                                          const QRect& available = QRect());

    // The tool windows' normal places (what the settings keep), given where they stand now.
    ToolGeometry normalPlaces(const ToolGeometry& actual) const;
    bool docked() const { return m_docked; }

private:
    ToolGeometry m_remembered;
    std::optional<QRect> m_lastNormalFrame;
    bool m_docked = false;
};
