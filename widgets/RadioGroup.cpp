#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QStyle>

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent), m_buttons(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    m_layout->setHorizontalSpacing(4);
    connect(m_buttons, &QButtonGroup::idToggled, this, &RadioGroup::updateTabStop);
}

// Tab reaches the group at its selected item only; the arrow keys move between the items.
void RadioGroup::updateTabStop()
{
    for (QAbstractButton *item : m_buttons->buttons())
        item->setFocusPolicy(item->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void RadioGroup::setItems(const QStringList &items)
{
    const int selected = itemIndex();
    m_items = items;
    rebuild();
    setItemIndex(selected);
}

void RadioGroup::setColumns(int columns)
{
    m_columns = std::max(columns, 1);
    rebuild();
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *selected = m_buttons->button(index))
        selected->setChecked(true);
}

QRadioButton *RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_buttons->button(index));
}

// Items fill the columns top to bottom, as many rows as the longest column needs.
void RadioGroup::rebuild()
{
    const int selected = itemIndex();
    for (QAbstractButton *old : m_buttons->buttons()) {
        m_buttons->removeButton(old);
        delete old;
    }
    const int rows = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *radio = new QRadioButton(m_items[i], this);
        // Trailing blanks belong to the item's text but should not widen its column.
        const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio)
                              + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
        radio->setMinimumWidth(indicator + radio->fontMetrics().horizontalAdvance(m_items[i].trimmed()) + 4);
        radio->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        m_buttons->addButton(radio, i);
        const int column = rows ? i / rows : 0;
        m_layout->addWidget(radio, rows ? i % rows : 0, column);
        m_layout->setColumnStretch(column, std::max(m_layout->columnStretch(column), radio->minimumWidth()));
        if (i > 0)
            setTabOrder(button(i - 1), radio);
    }
    setItemIndex(selected);
}
