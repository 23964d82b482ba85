// ClipValues: one clip's own values over the batch's, and the job settings they give.
#pragma once

#include "jobs/JobSettings.h"
#include "jobs/Placeholders.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>

// The items a clip can hold a value of its own for, in the values table's column order.
enum class ClipItem { Title, Copyright, Author, Keywords, Description, ShowText, PopUpUrl };
inline constexpr int clipItemCount = 7;

// The values table's column names of the items, in ClipItem order: "Title" ... "PopUpUrl".
const QStringList &clipItemColumns();

// What a clip holds over the batch: per item the batch's value (empty), off ("-") or its own
// text (placeholders allowed), and its cells of the table's own columns, which fill {Column}.
// A plain value: copy it, compare it, keep one per listed clip.
struct ClipValues
{
    std::array<QString, clipItemCount> items;
    // Own columns' cells, keyed by the column's name as the table's header writes it.
    QMap<QString, QString> cells;

    // The text that switches an item off for the clip.
    static inline const QString off = QStringLiteral("-");

    const QString &item(ClipItem which) const { return items[size_t(which)]; }
    void setItem(ClipItem which, const QString &value) { items[size_t(which)] = value; }
    // Whether no item nor cell holds anything: the clip takes the batch's values as they are.
    bool isEmpty() const;

    // These values over the defaults of the table's "*" row: every empty item or cell of these
    // takes the default's.
    ClipValues over(const ClipValues &defaults) const;

    bool operator==(const ClipValues &other) const = default;
};

// The clip's job settings: the batch's, with the clip's own values over them and every text
// filled for the clip's place (the URLs percent-encoded). An own text switches its item on; "-"
// switches it off. An own show text or pop-up URL switches the click event on for the batch's
// duration; "-" in either switches it off.
JobSettings clipJobSettings(const JobSettings &batch, const ClipValues &values, const ClipPlace &place);
