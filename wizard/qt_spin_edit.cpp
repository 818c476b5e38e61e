// The free-text number field.
#include "wizard/qt_spin_edit.h"

#include <QLineEdit>

#include <algorithm>

SpinEdit::SpinEdit(int minimum, int maximum, int step, QWidget* parent)
    : QAbstractSpinBox(parent), m_min(minimum), m_max(maximum), m_step(step) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textChanged);
}

void SpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps) {
    bool ok = false;
    const qint64 now = text().trimmed().toLongLong(&ok);
    // A text that is not a number steps from the bottom of the range, as an empty field does.
    qint64 next = ok ? now + qint64(steps) * m_step : m_min;
    next = std::clamp<qint64>(next, m_min, m_max);
    lineEdit()->setText(QString::number(next));
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    bool ok = false;
    const qint64 now = text().trimmed().toLongLong(&ok);
    if (!ok)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled e = StepNone;
    if (now < m_max)
        e |= StepUpEnabled;
    if (now > m_min)
        e |= StepDownEnabled;
    return e;
}
