// Small widget pieces the windows share: a clickable label, a label for a long path, and the
// Edit menu's operations on whichever edit control has the focus.
#pragma once

#include <QLabel>

#include <functional>

class QComboBox;

// The frame of the program's fixed-size dialogs: a title and a close button, nothing to resize,
// minimise or maximise.
inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A one-line label that shows a text too long for it with its middle left out.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override;
    // What the label shows at its present width.
    virtual QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A one-line label for a file's path: a path too long for it loses the middle of its folders
// ("/home/pl…/my.cfg"), so the start and the whole file name stay readable; text() keeps the
// whole path.
class PathLabel : public ElidedLabel {
    Q_OBJECT
public:
    using ElidedLabel::ElidedLabel;
    QString shownText() const override;
};

// A status bar panel that gives way before the panels left of it: it shows its text when the bar
// has room for it after the `othersNeed()` pixels the other panels should keep, else its short
// text, else nothing. Its text() stays the whole text.
class GivingWayLabel : public ElidedLabel {
    Q_OBJECT
public:
    GivingWayLabel(QWidget* bar, std::function<int()> othersNeed);
    void setTexts(const QString& text, const QString& shortText);
    QString shownText() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int widthFor(const QString& text) const;

    std::function<int()> m_othersNeed;
    QString m_short;
};

// A drop-down list opens at most `rows` (and never more than 20) rows tall, whatever the style
// would do with a long list.
void limitDropDown(QComboBox* box, int rows = 20);

// The busy cursor while it lives, for work that may keep the window from answering.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Gives the caret position label ("column : line") a fixed size, wide enough for `digits`
// digits in each number (by default, the longest column and line numbers a config the editor
// opens can have); a new position then changes only the label's text, and the status bar is not
// laid out again at each keystroke.
void fixCaretLabelSize(QLabel* label, int digits = 0);

// Makes every dialog of the program, shown again after it was hidden, stand where it stood.
// (A window placed by its frame before it was first shown would otherwise be placed again by
// the inside's position taken as the frame's, one title bar lower at each showing.)
void keepDialogPlacesWhenHidden(QObject* owner);

// Places the top-level window `w` so that its frame (title bar included) is centred on `area`,
// another window's frame or a screen's free area. A window not shown yet has no frame; the frame
// of `like`, a window the same window manager decorates, stands in for it.
void centreFrameOn(QWidget* w, const QRect& area, const QWidget* like = nullptr);

// Runs "undo", "cut", "copy" or "paste" on the focused edit control, if it has that operation.
void runOnFocusedEdit(const char* operation);
