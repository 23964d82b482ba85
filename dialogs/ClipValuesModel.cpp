// ClipValuesModel: the listed clips' values as a table, each cell the text the clip will get.
#include "dialogs/ClipValuesModel.h"

#include "jobs/ClipPaths.h"
#include "jobs/OneLineText.h"

#include <QDate>
#include <QDir>

namespace {

// What a screen reader says of an item's cell: its heading and text, and where the text comes from.
QString spokenCell(const QString &heading, const QString &shown, const QString &own)
{
    if (own == ClipValues::off)
        return QStringLiteral("%1: off for this clip").arg(heading);
    if (shown.isEmpty())
        return QStringLiteral("%1: none").arg(heading);
    if (own.isEmpty())
        return QStringLiteral("%1: %2 (from the batch)").arg(heading, shown);
    return QStringLiteral("%1: %2").arg(heading, shown);
}

QString shownItemText(const JobSettings &settings, ClipItem item)
{
    const ClipInformation &information = settings.clipInformation;
    const auto ifChecked = [](const ClipInfoItem &info) { return info.checked ? info.text : QString(); };
    switch (item) {
    case ClipItem::Title:
        return ifChecked(information.title);
    case ClipItem::Copyright:
        return ifChecked(information.copyright);
    case ClipItem::Author:
        return ifChecked(information.author);
    case ClipItem::Keywords:
        return ifChecked(information.keywords);
    case ClipItem::Description:
        return ifChecked(information.description);
    case ClipItem::ShowText:
        return settings.withMap ? settings.clickMap.showText : QString();
    case ClipItem::PopUpUrl:
        break;
    }
    return settings.withMap ? settings.clickMap.popUpUrl : QString();
}

} // namespace

ClipValuesModel::ClipValuesModel(ClipValuesRows &rows, std::function<JobSettings()> batchSettings, QObject *parent)
    : QAbstractTableModel(parent), m_rows(rows), m_batchSettings(std::move(batchSettings))
{
}

void ClipValuesModel::follow(const QAbstractItemModel &list)
{
    connect(&list, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &parent, int first, int last) {
                if (!parent.isValid())
                    beginInsertRows(QModelIndex(), first, last);
            });
    connect(&list, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &parent, int first) {
        if (parent.isValid())
            return;
        forgetShown();
        endInsertRows();
        // The rows after it moved on: their {index} changed.
        rowsChanged(first, rowCount() - 1);
    });
    connect(&list, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &parent, int first, int last) {
                if (!parent.isValid())
                    beginRemoveRows(QModelIndex(), first, last);
            });
    connect(&list, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &parent, int first) {
        if (parent.isValid())
            return;
        forgetShown();
        endRemoveRows();
        if (first < rowCount())
            rowsChanged(first, rowCount() - 1);
    });
    connect(&list, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&list, &QAbstractItemModel::modelReset, this, [this] {
        forgetShown();
        endResetModel();
    });
    connect(&list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                if (!topLeft.parent().isValid())
                    rowsChanged(topLeft.row(), bottomRight.row());
            });
}

void ClipValuesModel::batchChanged()
{
    if (rowCount() > 0)
        rowsChanged(0, rowCount() - 1);
    else
        forgetShown();
}

void ClipValuesModel::setOwnColumns(const QStringList &columns)
{
    if (columns == m_ownColumns)
        return;
    beginResetModel();
    m_ownColumns = columns;
    forgetShown();
    endResetModel();
}

void ClipValuesModel::forgetShown()
{
    m_batch.reset();
    m_shown.clear();
}

void ClipValuesModel::rowsChanged(int first, int last)
{
    // The batch's own settings may be what changed: read them again too.
    forgetShown();
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

int ClipValuesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.rowCount();
}

int ClipValuesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : firstOwnColumn + int(m_ownColumns.size());
}

QString ClipValuesModel::itemHeading(ClipItem item)
{
    static const QStringList headings{QStringLiteral("Title"),       QStringLiteral("Copyright"),
                                      QStringLiteral("Author"),      QStringLiteral("Keywords"),
                                      QStringLiteral("Description"), QStringLiteral("Show Text"),
                                      QStringLiteral("Pop-up URL")};
    return headings[int(item)];
}

QVariant ClipValuesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == clipColumn)
        return QStringLiteral("Clip");
    if (section < firstOwnColumn)
        return itemHeading(ClipItem(section - firstItemColumn));
    return m_ownColumns.value(section - firstOwnColumn);
}

const ClipValuesModel::ShownRow &ClipValuesModel::shownRow(int row) const
{
    if (m_shown.size() != size_t(rowCount()))
        m_shown.assign(size_t(rowCount()), std::nullopt);
    std::optional<ShownRow> &shown = m_shown[size_t(row)];
    if (!shown) {
        if (!m_batch)
            m_batch = m_batchSettings();
        // The preview fills {date} with today, the day a batch started now would get.
        const ClipPlace place{m_rows.sourcePath(row), row + 1, QDate::currentDate()};
        ShownRow made{rowValues(row), {}};
        const JobSettings settings = clipJobSettings(*m_batch, made.values, place);
        for (int item = 0; item < clipItemCount; ++item)
            made.texts[size_t(item)] = shownItemText(settings, ClipItem(item));
        shown = std::move(made);
    }
    return *shown;
}

ClipValues ClipValuesModel::rowValues(int row) const
{
    ClipValues values = m_rows.clipValues(row);
    for (const QString &column : m_ownColumns) {
        if (!values.cells.contains(column))
            values.cells.insert(column, QString());
    }
    return values;
}

QString ClipValuesModel::ownText(const ShownRow &shown, int column) const
{
    if (column < firstOwnColumn)
        return shown.values.item(ClipItem(column - firstItemColumn));
    return shown.values.cells.value(m_ownColumns.value(column - firstOwnColumn));
}

QVariant ClipValuesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int column = index.column();
    if (column == clipColumn) {
        const QString path = m_rows.sourcePath(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return path.mid(fileNameStart(path));
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return QDir::toNativeSeparators(path);
        default:
            return {};
        }
    }
    const ShownRow &shown = shownRow(index.row());
    const QString own = ownText(shown, column);
    if (column >= firstOwnColumn) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return own;
        if (role == Qt::AccessibleTextRole)
            return QStringLiteral("%1: %2").arg(m_ownColumns.value(column - firstOwnColumn),
                                                own.isEmpty() ? QStringLiteral("none") : own);
        return {};
    }
    const ClipItem item = ClipItem(column - firstItemColumn);
    const QString &text = shown.texts[size_t(item)];
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::EditRole:
        return own;
    case Qt::ForegroundRole:
        return own.isEmpty() ? QVariant(inheritedColour) : QVariant();
    case Qt::AccessibleTextRole:
        return spokenCell(itemHeading(item), text, own);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (own.isEmpty())
            return QStringLiteral("From the batch");
        if (own == ClipValues::off)
            return QStringLiteral("Off for this clip");
        return QStringLiteral("This clip's own value: %1").arg(own);
    default:
        return {};
    }
}

Qt::ItemFlags ClipValuesModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() != clipColumn ? flags | Qt::ItemIsEditable : flags;
}

bool ClipValuesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() == clipColumn || index.row() >= rowCount()
        || index.column() >= columnCount())
        return false;
    ClipValues values = m_rows.clipValues(index.row());
    const QString text = value.toString();
    if (index.column() < firstOwnColumn) {
        // As in a values table, only the description and the own columns hold lines.
        const ClipItem item = ClipItem(index.column() - firstItemColumn);
        values.setItem(item, item == ClipItem::Description ? text : oneLineText(text));
    } else {
        values.cells[m_ownColumns[index.column() - firstOwnColumn]] = text;
    }
    if (values == m_rows.clipValues(index.row()))
        return true;
    m_rows.setClipValues(index.row(), values);
    // A list that is not followed says nothing; the row is shown anew either way.
    rowsChanged(index.row(), index.row());
    emit valuesEdited();
    return true;
}
