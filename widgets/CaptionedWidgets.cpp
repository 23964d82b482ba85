#include "widgets/CaptionedWidgets.h"

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
