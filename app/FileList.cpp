// FileList: the window's list of clips, as the batch runner and the commands see it.
#include "app/FileList.h"

#include "jobs/OutputRule.h"
#include "jobs/RowStatus.h"
#include "widgets/ListView.h"

namespace {

const int addedFolderRole = Qt::UserRole;
const int setByHandRole = Qt::UserRole + 1;
const int clipValuesRole = Qt::UserRole + 2;

} // namespace

int FileList::rowCount() const
{
    return m_view.rowCount();
}

QString FileList::sourcePath(int row) const
{
    return m_view.caption(row);
}

QString FileList::outputPath(int row) const
{
    return m_view.subItem(row, 0);
}

void FileList::setStatus(int row, const QString &status)
{
    m_view.setSubItem(row, 1, status);
    setDetails(row, {});
}

QString FileList::status(int row) const
{
    return m_view.subItem(row, 1);
}

void FileList::setDetails(int row, const QStringList &lines)
{
    QTreeWidgetItem *item = m_view.topLevelItem(row);
    if (!item)
        return;
    const QString text = lines.join(QLatin1Char('\n'));
    for (int column = 0; column < m_view.columnCount(); ++column) {
        item->setToolTip(column, text);
        item->setData(column, Qt::AccessibleDescriptionRole, text);
    }
}

QString FileList::details(int row) const
{
    const QTreeWidgetItem *item = m_view.topLevelItem(row);
    return item ? item->toolTip(0) : QString();
}

ClipValues FileList::clipValues(int row) const
{
    const QTreeWidgetItem *item = m_view.topLevelItem(row);
    return item ? item->data(0, clipValuesRole).value<ClipValues>() : ClipValues();
}

void FileList::setClipValues(int row, const ClipValues &values)
{
    if (QTreeWidgetItem *item = m_view.topLevelItem(row))
        item->setData(0, clipValuesRole, values == ClipValues() ? QVariant() : QVariant::fromValue(values));
}

void FileList::addClip(const QString &sourcePath, const QString &addedFolder, const OutputRule &rule)
{
    QTreeWidgetItem *item = m_view.addRow(
        sourcePath, {ruleOutputPath(rule, sourcePath, addedFolder), RowStatus::toBeProcessed});
    item->setData(0, addedFolderRole, addedFolder);
}

void FileList::applyRule(const OutputRule &rule)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (isOutputSetByHand(row))
            continue;
        const QTreeWidgetItem *item = m_view.topLevelItem(row);
        m_view.setSubItem(row, 0, ruleOutputPath(rule, sourcePath(row), item->data(0, addedFolderRole).toString()));
    }
}

void FileList::markOutputSetByHand(int row)
{
    if (QTreeWidgetItem *item = m_view.topLevelItem(row))
        item->setData(0, setByHandRole, true);
}

bool FileList::isOutputSetByHand(int row) const
{
    const QTreeWidgetItem *item = m_view.topLevelItem(row);
    return item && item->data(0, setByHandRole).toBool();
}

FileRow FileList::row(int row) const
{
    const QString details = this->details(row);
    return {sourcePath(row),
            outputPath(row),
            status(row),
            isOutputSetByHand(row),
            m_view.topLevelItem(row)->data(0, addedFolderRole).toString(),
            details.isEmpty() ? QStringList() : details.split(QLatin1Char('\n')),
            clipValues(row)};
}

FileRow FileList::takeRow(int row)
{
    FileRow value = this->row(row);
    m_view.removeRow(row);
    return value;
}

void FileList::insertRow(int row, const FileRow &value)
{
    m_view.insertRow(row, value.sourcePath, {value.outputPath, value.status});
    writeRow(row, value);
}

void FileList::replaceRow(int row, const FileRow &value)
{
    QTreeWidgetItem *item = m_view.topLevelItem(row);
    item->setText(0, value.sourcePath);
    m_view.setSubItem(row, 0, value.outputPath);
    m_view.setSubItem(row, 1, value.status);
    writeRow(row, value);
}

// What a row keeps beside its three texts.
void FileList::writeRow(int row, const FileRow &value)
{
    QTreeWidgetItem *item = m_view.topLevelItem(row);
    item->setData(0, addedFolderRole, value.addedFolder);
    item->setData(0, setByHandRole, value.outputSetByHand);
    setDetails(row, value.details);
    setClipValues(row, value.values);
}
