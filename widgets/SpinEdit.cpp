#include "widgets/SpinEdit.h"

#include <QAccessible>
#include <QLineEdit>
#include <algorithm>

SpinEdit::SpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    lineEdit()->setMaxLength(2);
    setValue(0);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::announceValue);
}

void SpinEdit::announceValue()
{
    emit valueChanged(value());
    QAccessibleValueChangeEvent event(this, value());
    QAccessible::updateAccessibility(&event);
}

void SpinEdit::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(value());
}

int SpinEdit::value() const
{
    bool isNumber = false;
    const int typed = text().trimmed().toInt(&isNumber);
    return isNumber ? typed : m_minimum;
}

void SpinEdit::setValue(int value)
{
    lineEdit()->setText(QString::number(std::clamp(value, m_minimum, m_maximum)));
}

void SpinEdit::stepBy(int steps)
{
    setValue(std::clamp(value(), m_minimum, m_maximum) + steps);
    selectAll();
}

QValidator::State SpinEdit::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent *event)
{
    setValue(value());
    QAbstractSpinBox::focusOutEvent(event);
}
