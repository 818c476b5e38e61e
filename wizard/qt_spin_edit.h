// A number field with arrows whose text is free: it may be empty or hold a value read from a
// config outside its range, and that text is what gets written. Only the arrows keep to the
// range and the step.
#pragma once

#include <QAbstractSpinBox>

class QLineEdit;

class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int step, QWidget* parent = nullptr);

    void setText(const QString& text);
    QLineEdit* editor() const { return lineEdit(); }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

    void stepBy(int steps) override;

signals:
    // Any change of the text, typed, stepped or set.
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_min;
    int m_max;
    int m_step;
};
