// The explanation pop-up.
#include "reference/explanation_window.h"

#include "reference/entry_details.h"
#include "reference/popup_shape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QWindow>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kClientSize(205, 65);
constexpr int kMargin = 10;

} // namespace

ExplanationWindow::ExplanationWindow([[maybe_unused]] AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(u"Form6"_s);
    setWindowTitle(u"Пояснение"_s);
    // It never takes the focus, so it is never the active window: show the tip anyway.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, Qt::gray);
    setPalette(grey);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    // Most explanations are longer than the pop-up's area: the text wraps and scrolls.
    TextArea = new QScrollArea(this);
    TextArea->setObjectName(u"TextArea"_s);
    TextArea->setFrameShape(QFrame::NoFrame);
    TextArea->setWidgetResizable(true);
    TextArea->setFocusPolicy(Qt::NoFocus);
    lbl = new QLabel(TextArea);
    lbl->setObjectName(u"lbl"_s);
    lbl->setAlignment(Qt::AlignCenter);
    lbl->setWordWrap(true);
    lbl->setAutoFillBackground(true);
    QFont bold = lbl->font();
    bold.setBold(true);
    bold.setPixelSize(15);
    lbl->setFont(bold);
    QPalette info = lbl->palette();
    info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
    lbl->setPalette(info);
    TextArea->setPalette(info);
    TextArea->setWidget(lbl);
    layout->addWidget(TextArea);

    // The picture lies over the label's top left, outside the layout.
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(QRect(QPoint(kMargin, kMargin), kClientSize));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->hide();
    Image1->raise();

    setFixedSize(kClientSize + QSize(2 * kMargin, 2 * kMargin));
    FormCreate();
    // Which window the player works in: every window's activation passes here.
    qApp->installEventFilter(this);
}

void ExplanationWindow::setVisible(bool visible) {
    m_requested = visible;
    if (visible)
        showOrHide();
    else
        QWidget::setVisible(false);
}

bool ExplanationWindow::hasContent() const {
    return pictureShown() || !lbl->text().trimmed().isEmpty();
}

bool ExplanationWindow::ownerActive() const {
    const QWidget* active = QApplication::activeWindow();
    const QWidget* owner = parentWidget();
    // No active window (the program in the background, a window being dragged): as it was.
    if (!active || !owner)
        return isVisible() || !active;
    return active == owner || active == this ||
           (active->parentWidget() == owner && active->windowType() == Qt::Tool);
}

void ExplanationWindow::showOrHide() {
    QWidget::setVisible(m_requested && hasContent() && ownerActive());
}

bool ExplanationWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::WindowActivate && m_requested && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
        showOrHide();
    return QWidget::eventFilter(watched, e);
}

void ExplanationWindow::FormCreate() {
    setMask(roundedRegion(size()));
}

void ExplanationWindow::showExplanation(const QString& text) {
    hidePicture();
    lbl->setText(text);
    // The whole text also as the tool tip, wrapped (Qt wraps only rich text tips).
    const QString tip = text.trimmed();
    lbl->setToolTip(tip.isEmpty() ? QString() : u"<p>"_s + tip.toHtmlEscaped() + u"</p>"_s);
    TextArea->verticalScrollBar()->setValue(0);
    if (m_requested)
        showOrHide();
}

void ExplanationWindow::showPicture(const QImage& picture) {
    Image1->setPixmap(QPixmap::fromImage(fitPicture(picture, kClientSize)));
    // The picture stands alone: no text shows around or through it.
    TextArea->hide();
    Image1->show();
    Image1->raise();
    if (m_requested)
        showOrHide();
}

void ExplanationWindow::hidePicture() {
    Image1->hide();
    Image1->clear();
    TextArea->show();
}

QString ExplanationWindow::explanation() const {
    return lbl->text();
}
bool ExplanationWindow::pictureShown() const {
    return !Image1->isHidden();
}

void ExplanationWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormCreate();
}

// Every point of the surface is a handle: the labels leave mouse presses to the window.
void ExplanationWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        m_grip = e->globalPosition().toPoint() - pos();
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void ExplanationWindow::mouseMoveEvent(QMouseEvent* e) {
    if (m_grip && (e->buttons() & Qt::LeftButton)) {
        move(e->globalPosition().toPoint() - *m_grip);
        e->accept();
        return;
    }
    QWidget::mouseMoveEvent(e);
}

void ExplanationWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        m_grip.reset();
    QWidget::mouseReleaseEvent(e);
}

void ExplanationWindow::closeEvent(QCloseEvent* e) {
    // The pop-up stays as long as the program runs.
    if (e->spontaneous())
        e->ignore();
    else
        QWidget::closeEvent(e);
}
