// FileList: the window's list of clips, as the batch runner and the commands see it.
#pragma once

#include "app/FileRow.h"
#include "dialogs/ClipValuesModel.h"
#include "jobs/ClipList.h"

#include <QStringList>

struct OutputRule;
class ListView;

// The window's file list as the batch runner sees it: caption = source, sub-item 0 = output,
// sub-item 1 = status. Each row also keeps the folder its clip was added with and whether its
// output was set by hand, so that a new output rule knows which rows it moves. A finished row
// says what became of its clip as its tooltip and its accessible description, so that a screen
// reader reads it too. A clip's own values go with its row: removing the row drops them.
class FileList : public ClipList, public ClipValuesRows
{
public:
    explicit FileList(ListView &view) : m_view(view) {}

    int rowCount() const override;
    QString sourcePath(int row) const override;
    QString outputPath(int row) const override;
    // A new status drops what the row said about its last job.
    void setStatus(int row, const QString &status) override;
    QString status(int row) const;
    // What became of the row's clip, one item a line; shown over every column.
    void setDetails(int row, const QStringList &lines);
    QString details(int row) const;
    ClipValues clipValues(int row) const override;
    void setClipValues(int row, const ClipValues &values) override;

    // Lists a clip to be processed, found below this folder, with its output by the rule.
    void addClip(const QString &sourcePath, const QString &addedFolder, const OutputRule &rule);
    // Gives every row whose output was not set by hand its output by the rule.
    void applyRule(const OutputRule &rule);
    void markOutputSetByHand(int row);
    bool isOutputSetByHand(int row) const;

    // A row whole, taken out and put back (at the index it is to have) as it was.
    FileRow row(int row) const;
    FileRow takeRow(int row);
    void insertRow(int row, const FileRow &value);
    // Gives a listed row these values, in place.
    void replaceRow(int row, const FileRow &value);

private:
    void writeRow(int row, const FileRow &value);

    ListView &m_view;
};
