#include "widgets/CaptionedWidgets.h"

void CheckBox::setCaption(const QString &caption)
{
    setText(caption);
    if (m_buddy)
        m_buddy->setAccessibleName(caption);
}

void CheckBox::setBuddy(QWidget *field)
{
    m_buddy = field;
    field->setAccessibleName(text());
}

void ToolButton::setCaption(const QString &caption)
{
    m_caption = caption;
    if (!m_separator)
        setText(caption);
}

void ToolButton::makeSeparator(int width)
{
    m_separator = true;
    setText(QString());
    setEnabled(false);
    setAutoRaise(true);
    setFixedWidth(width);
}
