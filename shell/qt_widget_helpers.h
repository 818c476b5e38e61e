// Small widget pieces the windows share: a clickable label and the Edit menu's operations on
// whichever edit control has the focus.
#pragma once

#include <QLabel>

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
