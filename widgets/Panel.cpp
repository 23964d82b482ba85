#include "widgets/Panel.h"

#include <QPainter>

void Panel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void Panel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignCenter, m_caption);
}
