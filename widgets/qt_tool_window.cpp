// Tool windows beside the editor.
#include "widgets/qt_tool_window.h"

#include "platform/qt_x11_window_type.h"

#include <QCloseEvent>
#include <QCoreApplication>

// Owned by the main window: above it, but below every dialog of the program and below other
// programs' windows. A title bar and nothing to press on it.
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

void ToolWindow::closeEvent(QCloseEvent* e) {
    // The window stays as long as the program runs; only the program itself closes it.
    if (e->spontaneous())
        e->ignore();
    else
        QWidget::closeEvent(e);
}
