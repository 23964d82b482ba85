#pragma once

#include <QHash>
#include <QList>
#include <QString>

class ClipList;

// Which outputs of a list may not be written: no merge may write over a clip of the batch, so an
// output that is the source of any row, or the output of a row before it made from another
// source, is refused. Every path of the list is looked up once, when the check is made, so that a
// batch of thousands of clips costs one look-up per path, not one per pair of rows.
class OutputClashes
{
public:
    explicit OutputClashes(const ClipList &clips);

    // Why the row's output may not be written (a warning naming the file), or empty.
    QString of(int row) const;

private:
    const ClipList &m_clips;
    QList<QString> m_sourceKeys;
    QList<QString> m_outputKeys;
    // The rows by their source, and by their output.
    QHash<QString, QList<int>> m_rowsBySource;
    QHash<QString, QList<int>> m_rowsByOutput;
};
