// An action button of the key pages: it shows the key bound to its action. A key name too long
// for the button is shown shortened with "…" and whole in the tool tip, never cut at both ends.
#pragma once

#include <QPushButton>

class KeyButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    // The key shown (text() keeps it whole), with the tool tip that names it.
    void setKey(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
};
