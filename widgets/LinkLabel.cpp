#include "widgets/LinkLabel.h"

#include "platform/UserPrompts.h"

LinkLabel::LinkLabel(const QString &address, QWidget *parent) : ClickableLabel(address, parent), m_address(address)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    // Fixed, so that a window background of another role does not turn the text to its own.
    setForegroundRole(QPalette::WindowText);
    setColor(palette().color(QPalette::Highlight));
    connect(this, &ClickableLabel::clicked, this, &LinkLabel::open);
}

bool LinkLabel::open()
{
    if (!UserPrompts::current().openUrl(m_address))
        return false;
    m_visited = true;
    setColor(QColor(0x80, 0x00, 0x80));
    return true;
}

void LinkLabel::setColor(const QColor &color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}
