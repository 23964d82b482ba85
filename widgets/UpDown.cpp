#include "widgets/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setFixedSize(16, 11);
    return button;
}

} // namespace

UpDown::UpDown(QLineEdit *associate, int minimum, int maximum, QWidget *parent)
    : QWidget(parent), m_associate(associate), m_up(arrowButton(Qt::UpArrow, this)),
      m_down(arrowButton(Qt::DownArrow, this)), m_minimum(minimum), m_maximum(maximum), m_position(minimum)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    m_associate->setReadOnly(true);
    m_associate->installEventFilter(this);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::setPosition(int position)
{
    const int previous = m_position;
    m_position = std::clamp(position, m_minimum, m_maximum);
    m_associate->setText(QStringLiteral("%1").arg(m_position, 2, 10, QLatin1Char('0')));
    if (m_position != previous)
        emit valueChanged(m_position);
}

void UpDown::stepBy(int steps)
{
    const int target = std::clamp(m_position + steps, m_minimum, m_maximum);
    if (target != m_position)
        setPosition(target);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_associate && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
