// ClipValuesModel: the listed clips' values as a table, each cell the text the clip will get.
#pragma once

#include "jobs/ClipValues.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The listed clips as the values table sees them, in list order; the window's file list stands
// behind it and keeps each clip's values with its row.
class ClipValuesRows
{
public:
    virtual ~ClipValuesRows() = default;

    virtual int rowCount() const = 0;
    virtual QString sourcePath(int row) const = 0;
    virtual ClipValues clipValues(int row) const = 0;
    virtual void setClipValues(int row, const ClipValues &values) = 0;
};

// A row per listed clip; the columns Clip, the seven items and then the table's own columns. An
// item's cell shows the text the clip will get with its placeholders filled: the clip's own, or
// the batch's drawn grey, or nothing when the clip won't get the item. Editing sets the clip's own
// value ("-" switches the item off); emptying a cell gives it back to the batch. The cells are
// worked out when shown, so a list of any length opens at once.
class ClipValuesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int clipColumn = 0;
    static constexpr int firstItemColumn = 1;
    static constexpr int firstOwnColumn = firstItemColumn + clipItemCount;
    // The colour of a value that comes from the batch's tabs.
    static inline const QColor inheritedColour = QColor(128, 128, 128);

    // The batch's settings are read afresh after batchChanged().
    ClipValuesModel(ClipValuesRows &rows, std::function<JobSettings()> batchSettings, QObject *parent = nullptr);

    // Keeps up with the file list: its rows added, removed, changed or cleared. The list's rows
    // must be the rows' own, in the same order.
    void follow(const QAbstractItemModel &list);
    // The time events, the click event or the clip information changed.
    void batchChanged();

    // The table's own columns, which fill {Column} placeholders.
    QStringList ownColumns() const { return m_ownColumns; }
    void setOwnColumns(const QStringList &columns);

    // The row's values as its job reads them: a cell, empty when it has none, for every own
    // column, as a table gives every clip, so that {Column} fills alike for a clip listed later.
    ClipValues rowValues(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // An item column's heading: "Title" ... "Show Text", "Pop-up URL".
    static QString itemHeading(ClipItem item);

signals:
    // A person set or emptied a clip's own value.
    void valuesEdited();

private:
    // What a row shows, worked out once for as long as nothing changes.
    struct ShownRow
    {
        ClipValues values;
        std::array<QString, clipItemCount> texts;
    };

    const ShownRow &shownRow(int row) const;
    QString ownText(const ShownRow &shown, int column) const;
    void forgetShown();
    void rowsChanged(int first, int last);

    ClipValuesRows &m_rows;
    std::function<JobSettings()> m_batchSettings;
    QStringList m_ownColumns;
    mutable std::optional<JobSettings> m_batch;
    mutable std::vector<std::optional<ShownRow>> m_shown;
};
