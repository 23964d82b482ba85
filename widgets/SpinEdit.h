#pragma once

#include <QAbstractSpinBox>

// A whole-number field with arrow buttons that never step beyond its bounds. Any two characters
// may be typed; the value is the number shown (the minimum when the text is no whole number), and
// a number out of range is set to the nearer bound once the focus leaves.
class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
    // Assistive technology reads and sets the field through these, as for Qt's own spin boxes.
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(int minimum READ minimum)
    Q_PROPERTY(int maximum READ maximum)
    Q_PROPERTY(int stepSize READ stepSize CONSTANT)
public:
    explicit SpinEdit(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int value() const;
    void setValue(int value);
    int stepSize() const { return 1; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &position) const override;

signals:
    void valueChanged(int value);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void announceValue();

    int m_minimum = 0;
    int m_maximum = 100;
};
