#pragma once

#include <QAbstractSpinBox>

// A whole-number field with arrow buttons that never step beyond its bounds. Any two characters
// may be typed; the value is the number shown (the minimum when the text is no whole number), and
// a number out of range is set to the nearer bound once the focus leaves.
class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit SpinEdit(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int value() const;
    void setValue(int value);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &position) const override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
};
