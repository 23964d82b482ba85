#pragma once

#include "jobs/ClipList.h"

struct OutputRule;
class ListView;

// The window's file list as the batch runner sees it: caption = source, sub-item 0 = output,
// sub-item 1 = status. Each row also keeps the folder its clip was added with and whether its
// output was set by hand, so that a new output rule knows which rows it moves.
class FileList : public ClipList
{
public:
    explicit FileList(ListView &view) : m_view(view) {}

    int rowCount() const override;
    QString sourcePath(int row) const override;
    QString outputPath(int row) const override;
    void setStatus(int row, const QString &status) override;

    // Lists a clip to be processed, found below this folder, with its output by the rule.
    void addClip(const QString &sourcePath, const QString &addedFolder, const OutputRule &rule);
    // Gives every row whose output was not set by hand its output by the rule.
    void applyRule(const OutputRule &rule);
    void markOutputSetByHand(int row);
    bool isOutputSetByHand(int row) const;

private:
    ListView &m_view;
};
