#pragma once

#include <QString>

// The batch as the runner sees it: rows in list order, each a source clip, its output and a
// status. The window's file list stands behind it; the runner reads the paths afresh at each use,
// since they may be edited while a batch runs.
class ClipList
{
public:
    virtual ~ClipList() = default;

    virtual int rowCount() const = 0;
    virtual QString sourcePath(int row) const = 0;
    virtual QString outputPath(int row) const = 0;
    virtual void setStatus(int row, const QString &status) = 0;
};
