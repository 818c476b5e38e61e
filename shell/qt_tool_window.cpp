// Tool windows beside the editor.
#include "shell/qt_tool_window.h"

#include "shell/Unit1.h"

#include <QCloseEvent>
#include <QCoreApplication>

ToolWindow::ToolWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ctx(ctx) {}

bool ToolWindow::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip && m_ctx.windows.form1) {
        QCoreApplication::sendEvent(m_ctx.windows.form1, e);
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
