#include "jobs/OutputClash.h"

#include "jobs/ClipList.h"
#include "jobs/ClipPaths.h"
#include "jobs/FailureReasons.h"

OutputClashes::OutputClashes(const ClipList &clips) : m_clips(clips)
{
    const int rows = clips.rowCount();
    m_sourceKeys.reserve(rows);
    m_outputKeys.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        m_sourceKeys.append(fileIdentity(clips.sourcePath(row)));
        m_outputKeys.append(fileIdentity(clips.outputPath(row)));
        m_rowsBySource[m_sourceKeys.last()].append(row);
        m_rowsByOutput[m_outputKeys.last()].append(row);
    }
}

QString OutputClashes::of(int row) const
{
    const QString &output = m_outputKeys[row];
    const QString &source = m_sourceKeys[row];
    // An output that is its own source is the tool launch's to refuse, with a message of its own.
    if (source == output)
        return QString();
    for (const int other : m_rowsBySource.value(output)) {
        if (other != row)
            return FailureReasons::outputWarning(FailureReasons::outputIsAnotherSource, m_clips.outputPath(row));
    }
    // The same clip listed twice writes the same merged clip again; another clip's would be lost.
    for (const int earlier : m_rowsByOutput.value(output)) {
        if (earlier < row && m_sourceKeys[earlier] != source)
            return FailureReasons::outputWarning(FailureReasons::outputOfEarlierRow, m_clips.outputPath(row));
    }
    return QString();
}
