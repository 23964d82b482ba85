#pragma once

#include "jobs/ClipList.h"

class ListView;

// The window's file list as the batch runner sees it: caption = source, sub-item 0 = output,
// sub-item 1 = status.
class FileList : public ClipList
{
public:
    explicit FileList(ListView &view) : m_view(view) {}

    int rowCount() const override;
    QString sourcePath(int row) const override;
    QString outputPath(int row) const override;
    void setStatus(int row, const QString &status) override;

private:
    ListView &m_view;
};
