// Telling an X11 window manager that a window is a tool bar torn off the main window, so that it
// offers no minimize or maximize for it (a utility window may get both from some managers).
#pragma once

class QWidget;

// Call after the native window exists and before it is first mapped (in the first show event);
// does nothing on other platforms.
void markAsToolBarWindow(QWidget* window);
