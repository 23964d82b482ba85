#pragma once

#include <QStringList>
#include <QTreeWidget>

// A report-style list: each row has a caption (first column) and sub-items (the further columns).
// Read-only, whole-row selection, at most one selected row, no sorting.
class ListView : public QTreeWidget
{
    Q_OBJECT
public:
    // A column of fixed width; stretched columns share the width that is left.
    static constexpr int StretchWidth = -1;

    explicit ListView(QWidget *parent = nullptr);

    void addColumn(const QString &heading, Qt::Alignment alignment, int width);

    int rowCount() const { return topLevelItemCount(); }
    QTreeWidgetItem *addRow(const QString &caption, const QStringList &subItems);
    QTreeWidgetItem *insertRow(int row, const QString &caption, const QStringList &subItems);
    QString caption(int row) const;
    QString subItem(int row, int index) const;
    void setSubItem(int row, int index, const QString &text);
    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);
    void removeRow(int row);

private:
    QList<Qt::Alignment> m_alignments;
};
