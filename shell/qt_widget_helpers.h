// Small widget pieces the windows share: a clickable label and the Edit menu's operations on
// whichever edit control has the focus.
#pragma once

#include <QLabel>

// The tool windows beside the editor: on top, with a title bar but no buttons to close them.
inline constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Runs "undo", "cut", "copy" or "paste" on the focused edit control, if it has that operation.
void runOnFocusedEdit(const char* operation);
