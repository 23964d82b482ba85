#include "widgets/ListView.h"

#include <QHeaderView>
#include <QStyleOptionHeader>

namespace {

// Qt measures every heading in bold, for a heading that lights up with its selected column; these
// headings never light up. Measured in the font they are drawn in, they keep their height, and the
// window's start is spared loading a bold face that nothing there draws.
class PlainHeader : public QHeaderView
{
public:
    explicit PlainHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        ensurePolished();
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    }
};

} // namespace

ListView::ListView(QWidget *parent) : QTreeWidget(parent)
{
    setHeader(new PlainHeader(this));
    setColumnCount(0);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

void ListView::addColumn(const QString &heading, Qt::Alignment alignment, int width)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    m_alignments.append(alignment | Qt::AlignVCenter);
    headerItem()->setText(column, heading);
    headerItem()->setTextAlignment(column, m_alignments.last());
    if (width == StretchWidth) {
        header()->setSectionResizeMode(column, QHeaderView::Stretch);
    } else {
        header()->setSectionResizeMode(column, QHeaderView::Fixed);
        header()->resizeSection(column, width);
    }
}

QTreeWidgetItem *ListView::addRow(const QString &caption, const QStringList &subItems)
{
    return insertRow(rowCount(), caption, subItems);
}

QTreeWidgetItem *ListView::insertRow(int row, const QString &caption, const QStringList &subItems)
{
    auto *item = new QTreeWidgetItem(QStringList(caption) + subItems);
    for (int column = 0; column < m_alignments.size(); ++column)
        item->setTextAlignment(column, m_alignments[column]);
    insertTopLevelItem(row, item);
    return item;
}

QString ListView::caption(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item ? item->text(0) : QString();
}

QString ListView::subItem(int row, int index) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item ? item->text(index + 1) : QString();
}

void ListView::setSubItem(int row, int index, const QString &text)
{
    if (QTreeWidgetItem *item = topLevelItem(row))
        item->setText(index + 1, text);
}

int ListView::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ListView::selectRow(int row)
{
    clearSelection();
    if (QTreeWidgetItem *item = topLevelItem(row)) {
        item->setSelected(true);
        setCurrentItem(item);
    }
}

void ListView::removeRow(int row)
{
    delete takeTopLevelItem(row);
    // Qt hands the selection on to a neighbouring row; a second delete or an edit would then act
    // on a row the person never picked.
    selectionModel()->clear();
}
