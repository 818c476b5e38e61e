// Tool windows beside the editor.
#include "widgets/qt_tool_window.h"

#include "platform/qt_x11_window_type.h"

#include <QCoreApplication>

// Owned by the main window: above it, but below every dialog of the program and below other
// programs' windows. A title bar with nothing to press on it where the window manager obeys.
ToolWindow::ToolWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent, toolWindowFlags()), m_ctx(ctx) {}

Qt::WindowFlags ToolWindow::toolWindowFlags() {
    return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

bool ToolWindow::event(QEvent* e) {
    if (e->type() == QEvent::Show && !m_typeMarked) {
        // The native window exists now and is not mapped yet.
        m_typeMarked = true;
        markAsToolBarWindow(this);
    }
    if (e->type() == QEvent::StatusTip && parentWidget()) {
        QCoreApplication::sendEvent(parentWidget(), e);
        return true;
    }
    return QWidget::event(e);
}
