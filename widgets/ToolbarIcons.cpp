#include "widgets/ToolbarIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <map>

namespace {

const QColor ink(0x33, 0x3d, 0x4a);
const QColor paper(0xfa, 0xfa, 0xf5);
const QColor green(0x2e, 0x9d, 0x4c);
const QColor red(0xd2, 0x3b, 0x32);
const QColor blue(0x2f, 0x6f, 0xd6);
const QColor amber(0xf0, 0xa8, 0x20);

// Draws on a 24 x 24 canvas, at a size only once that size is asked for: a window shows few of
// the sizes an icon offers, and drawing them all would slow every start.
class DrawnIconEngine : public QIconEngine
{
public:
    DrawnIconEngine(std::function<void(QPainter &)> draw, QList<int> sizes)
        : m_draw(std::move(draw)), m_sizes(std::move(sizes)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        QPixmap &drawn = m_drawn[side];
        if (drawn.isNull())
            drawn = draw(side);
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return drawn;
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : m_sizes)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_draw, m_sizes); }

private:
    QPixmap draw(int side) const
    {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 24.0, side / 24.0);
        m_draw(painter);
        return pixmap;
    }

    std::function<void(QPainter &)> m_draw;
    QList<int> m_sizes;
    std::map<int, QPixmap> m_drawn;
};

QIcon drawnIcon(std::function<void(QPainter &)> draw, QList<int> sizes = {24, 48})
{
    return QIcon(new DrawnIconEngine(std::move(draw), std::move(sizes)));
}

// A clip: a sheet with a film strip along its left edge.
void drawClip(QPainter &painter)
{
    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(paper);
    painter.drawRoundedRect(QRectF(3.5, 2.5, 14, 18), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRect(QRectF(4, 3, 3, 17));
    painter.setBrush(paper);
    for (double y = 4.5; y < 19; y += 3.5)
        painter.drawRect(QRectF(4.8, y, 1.4, 1.6));
}

void drawBadge(QPainter &painter, const QColor &color)
{
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(color);
    painter.drawEllipse(QPointF(17, 17), 6, 6);
}

} // namespace

QIcon addIcon()
{
    return drawnIcon([](QPainter &painter) {
        drawClip(painter);
        drawBadge(painter, green);
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(17, 13.5), QPointF(17, 20.5));
        painter.drawLine(QPointF(13.5, 17), QPointF(20.5, 17));
    });
}

QIcon editIcon()
{
    return drawnIcon([](QPainter &painter) {
        drawClip(painter);
        painter.translate(16, 14);
        painter.rotate(45);
        painter.setPen(QPen(ink, 1));
        painter.setBrush(amber);
        painter.drawRect(QRectF(-2, -9, 4, 13));
        painter.setBrush(ink);
        QPainterPath tip;
        tip.moveTo(-2, 4);
        tip.lineTo(2, 4);
        tip.lineTo(0, 8);
        tip.closeSubpath();
        painter.drawPath(tip);
    });
}

QIcon removeIcon()
{
    return drawnIcon([](QPainter &painter) {
        drawClip(painter);
        drawBadge(painter, red);
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(13.5, 17), QPointF(20.5, 17));
    });
}

QIcon clearIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setPen(QPen(ink, 1.2));
        painter.setBrush(paper);
        for (int offset : {4, 2, 0})
            painter.drawRoundedRect(QRectF(2.5 + offset, 2.5 + offset, 13, 15), 1.5, 1.5);
        drawBadge(painter, red);
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(14.5, 14.5), QPointF(19.5, 19.5));
        painter.drawLine(QPointF(19.5, 14.5), QPointF(14.5, 19.5));
    });
}

QIcon startIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setPen(QPen(green.darker(130), 1.2));
        painter.setBrush(green);
        painter.drawEllipse(QRectF(2, 2, 20, 20));
        QPainterPath triangle;
        triangle.moveTo(9.5, 7);
        triangle.lineTo(17, 12);
        triangle.lineTo(9.5, 17);
        triangle.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPath(triangle);
    });
}

QIcon stopIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setPen(QPen(red.darker(130), 1.2));
        painter.setBrush(red);
        painter.drawEllipse(QRectF(2, 2, 20, 20));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(8, 8, 8, 8), 1, 1);
    });
}

QIcon helpIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setPen(QPen(blue.darker(130), 1.2));
        painter.setBrush(blue);
        painter.drawEllipse(QRectF(2, 2, 20, 20));
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(15);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    });
}

// A play button on a clip with a pointer: a clip that can be clicked.
QIcon programIcon()
{
    return drawnIcon(
        [](QPainter &painter) {
            painter.setPen(QPen(blue.darker(150), 1));
            painter.setBrush(blue);
            painter.drawRoundedRect(QRectF(1.5, 3.5, 21, 15), 3, 3);
            QPainterPath triangle;
            triangle.moveTo(8.5, 7);
            triangle.lineTo(15, 11);
            triangle.lineTo(8.5, 15);
            triangle.closeSubpath();
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::white);
            painter.drawPath(triangle);
            QPainterPath pointer;
            pointer.moveTo(15, 13);
            pointer.lineTo(15, 23);
            pointer.lineTo(17.5, 20.5);
            pointer.lineTo(19.5, 23.5);
            pointer.lineTo(21, 22.5);
            pointer.lineTo(19, 19.5);
            pointer.lineTo(22.5, 19.5);
            pointer.closeSubpath();
            painter.setPen(QPen(ink, 1));
            painter.setBrush(amber);
            painter.drawPath(pointer);
        },
        {16, 24, 32, 48, 64});
}
