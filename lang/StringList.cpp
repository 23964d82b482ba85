#include "lang/StringList.h"

void StringList::assign(const QStringList &lines)
{
    m_lines = lines;
    changed();
}

void StringList::append(const QString &line)
{
    m_lines.append(line);
    changed();
}

void StringList::insert(qsizetype index, const QString &line)
{
    m_lines.insert(index, line);
    changed();
}

void StringList::replace(qsizetype index, const QString &line)
{
    m_lines.replace(index, line);
    changed();
}

void StringList::removeAt(qsizetype index)
{
    m_lines.removeAt(index);
    changed();
}

void StringList::clear()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    changed();
}

void StringList::changed()
{
    if (m_onChange)
        m_onChange();
}
