// The tool windows beside the editor (reference window, value list): owned by the main window
// (so they stay above it and below the program's dialogs), with a title bar but nothing to
// minimize or maximize them with (a × the window manager adds hides the window), and the hints of
// their controls shown in the main window's status bar.
#pragma once

#include "state/app_context.h"

#include <QWidget>

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // `parent` is the main window.
    ToolWindow(AppContext& ctx, QWidget* parent);
    static Qt::WindowFlags toolWindowFlags();

protected:
    bool event(QEvent* e) override;

    AppContext& m_ctx;

private:
    bool m_typeMarked = false;
};
