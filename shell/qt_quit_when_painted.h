// For the start-up benchmark: ends the program once a window has painted itself and the event
// queue has run dry, so "shown and idle" means the same for the program and its baseline.
#pragma once

class QWidget;

// Quits the application after the next paint of `window` (or of any widget inside it).
void quitAfterNextPaint(QWidget* window);
