#include "app/FileList.h"

#include "widgets/ListView.h"

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
}
