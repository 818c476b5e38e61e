// Shared widget pieces.
#include "widgets/qt_widget_helpers.h"

#include "platform/text_file.h"

using namespace Qt::Literals::StringLiterals;

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

QString PathLabel::shownText() const {
    const QFontMetrics fm = fontMetrics();
    const int width = contentsRect().width() - 2 * margin();
    const QString path = text();
    if (fm.horizontalAdvance(path) <= width)
        return path;
    // The folders give way first, down to "…/name"; only a name too long on its own loses its
    // middle.
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const int folderRoom = width - fm.horizontalAdvance(path.mid(slash));
    if (slash > 0 && folderRoom >= fm.horizontalAdvance(u"/…"_s))
        return fm.elidedText(path.left(slash), Qt::ElideRight, folderRoom) + path.mid(slash);
    if (slash > 0 && folderRoom >= fm.horizontalAdvance(u"…"_s))
        return u"…"_s + path.mid(slash);
    return fm.elidedText(path, Qt::ElideMiddle, width);
}

QSize ElidedLabel::minimumSizeHint() const {
    const QSize hint = QLabel::minimumSizeHint();
    return QSize(frameWidth() * 2 + fontMetrics().horizontalAdvance(u"…"_s) * 3, hint.height());
}

QString ElidedLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width() - 2 * margin());
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, r, int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}

GivingWayLabel::GivingWayLabel(QWidget* bar, std::function<int()> othersNeed)
    : ElidedLabel(bar), m_othersNeed(std::move(othersNeed)) {
    bar->installEventFilter(this);
}

void GivingWayLabel::setTexts(const QString& text, const QString& shortText) {
    m_short = shortText;
    setText(text);
    updateGeometry();
}

int GivingWayLabel::widthFor(const QString& text) const {
    return fontMetrics().horizontalAdvance(text) + 2 * (frameWidth() + margin()) + 4;
}

QString GivingWayLabel::shownText() const {
    const int room = contentsRect().width() - 2 * margin();
    if (fontMetrics().horizontalAdvance(text()) <= room)
        return text();
    return fontMetrics().horizontalAdvance(m_short) <= room ? m_short : QString();
}

QSize GivingWayLabel::sizeHint() const {
    const QWidget* bar = parentWidget();
    const int room = bar ? bar->width() - m_othersNeed() : widthFor(text());
    int width = 0;
    if (widthFor(text()) <= room)
        width = widthFor(text());
    else if (widthFor(m_short) <= room)
        width = widthFor(m_short);
    return QSize(width, QLabel::sizeHint().height());
}

QSize GivingWayLabel::minimumSizeHint() const {
    return QSize(0, QLabel::minimumSizeHint().height());
}

bool GivingWayLabel::eventFilter(QObject* watched, QEvent* event) {
    // Asked again before the bar lays its panels out at the new width.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        updateGeometry();
    return false;
}

void limitDropDown(QComboBox* box, int rows) {
    box->setMaxVisibleItems(std::min(rows, 20));
    // Styles that open a list as a menu (Fusion among them) ignore the limit otherwise.
    box->setStyleSheet(u"QComboBox { combobox-popup: 0; }"_s);
}

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

namespace {

class DialogPlaceKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Hide && !e->spontaneous() && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && w->windowType() == Qt::Dialog)
                w->setGeometry(w->geometry()); // from now on placed by its inside
        }
        return false;
    }
};

} // namespace

void keepDialogPlacesWhenHidden(QObject* owner) {
    QCoreApplication::instance()->installEventFilter(new DialogPlaceKeeper(owner));
}

void centreFrameOn(QWidget* w, const QRect& area, const QWidget* like) {
    QSize decoration = w->frameGeometry().size() - w->size();
    if (decoration.isNull() && like)
        decoration = like->frameGeometry().size() - like->size();
    const QSize frame = w->size() + decoration;
    // move() places a top-level window by its frame.
    w->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void runOnFocusedEdit(const char* operation) {
    QWidget* w = QApplication::focusWidget();
    if (!w)
        return;
    const QMetaObject* meta = w->metaObject();
    const QByteArray signature = QByteArray(operation) + "()";
    if (meta->indexOfMethod(signature.constData()) >= 0)
        QMetaObject::invokeMethod(w, operation);
}

void fixCaretLabelSize(QLabel* label, int digits) {
    // Column and line both stay below the largest file the editor opens, in characters.
    if (digits <= 0)
        digits = int(QString::number(textfile::kMaxEditableBytes).size());
    const QFontMetrics metrics(label->font());
    QChar widest = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d)
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest))
            widest = QChar(d);
    const QString shown = label->text();
    label->setText(QString(digits, widest) + u" : "_s + QString(digits, widest));
    label->setFixedSize(label->sizeHint());
    label->setText(shown);
}
