// The tool windows beside the editor (reference window, value list): on top, with a title bar
// but nothing to close them with, and the hints of their controls shown in the main window's
// status bar.
#pragma once

#include "app/app_context.h"

#include <QWidget>

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(AppContext& ctx, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    AppContext& m_ctx;
};
