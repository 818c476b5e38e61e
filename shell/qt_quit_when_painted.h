// For the start-up benchmark: ends the program once a window has painted itself and the event
// queue has run dry, so "shown and idle" means the same for the program and its baseline.
#pragma once

class QWidget;

// Quits the application after the next paint of `window` (or of any widget inside it), once the
// events queued by then have run. Writes "painted-and-idle NANOSECONDS" to standard output as it
// quits: the steady clock's time (CLOCK_MONOTONIC), for the benchmark to tell the start from the
// ending of the program that follows.
void quitAfterNextPaint(QWidget* window);
