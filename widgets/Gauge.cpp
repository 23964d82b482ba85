#include "widgets/Gauge.h"

#include <QPainter>
#include <algorithm>

Gauge::Gauge(QWidget *parent) : QWidget(parent), m_foreColor(Qt::blue) {}

void Gauge::setMaxValue(qint64 maxValue)
{
    m_maxValue = std::max<qint64>(maxValue, 0);
    m_progress = std::clamp<qint64>(m_progress, 0, m_maxValue);
    update();
}

void Gauge::setProgress(qint64 progress)
{
    m_progress = std::clamp<qint64>(progress, 0, m_maxValue);
    update();
}

int Gauge::percentDone() const
{
    if (m_maxValue <= 0)
        return 0;
    return int(m_progress * 100 / m_maxValue);
}

void Gauge::setForeColor(const QColor &color)
{
    m_foreColor = color;
    update();
}

void Gauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, palette().base());
    const double fraction = m_maxValue > 0 ? double(m_progress) / double(m_maxValue) : 0.0;
    QRect filled = area;
    filled.setWidth(int(area.width() * fraction));
    painter.fillRect(filled, m_foreColor);

    const QString text = QString::number(percentDone()) + QLatin1Char('%');
    painter.setPen(palette().text().color());
    painter.drawText(area, Qt::AlignCenter, text);
    painter.save();
    painter.setClipRect(filled);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, text);
    painter.restore();
    painter.setPen(palette().mid().color());
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}
