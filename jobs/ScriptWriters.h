#pragma once

#include <QList>
#include <QString>

// One row of the time-event list, as the event dialog stores it.
struct TimeEventRow
{
    QString start;  // "HH:MM:SS.0"
    QString end;
    QString target; // "Media Browser", "External Browser" or "Related Info Pane"
    QString url;

    bool operator==(const TimeEventRow &) const = default;
};

// One clip-information item: written only when checked and its text is not empty.
struct ClipInfoItem
{
    bool checked = false;
    QString text;

    bool operator==(const ClipInfoItem &) const = default;
};

struct ClipInformation
{
    ClipInfoItem title;
    ClipInfoItem copyright;
    ClipInfoItem author;
    ClipInfoItem keywords;
    ClipInfoItem description; // the description field's whole text, line breaks included

    bool operator==(const ClipInformation &) const = default;
};

// The click-to-pop-up event: for this duration from the start, the whole picture opens the URL.
struct ClickMap
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    QString popUpUrl;
    QString showText;

    bool operator==(const ClickMap &) const = default;
};

// What comes before a URL event's URL to name its browser target; any target that is not the
// media browser or an external browser is the related-info pane.
QString targetMarker(const QString &target);
// What follows a URL that opens in the related-info pane: the size the pane opens with.
inline const QString contextPaneSize = QStringLiteral("?rpcontextheight=250&rpcontextwidth=280");

// The description field's text that the event script writes as this description: the script
// joins the field's lines into one, each after a blank, so the line breaks typed are not
// recovered, but the script written from the text is the same.
QString descriptionFieldText(const QString &scriptDescription);

// The text of the event script: a URL-event line per row in list order, then the checked
// clip-information lines; every line ends with CR LF. A line break inside a text is written as a
// space, and the description's lines are joined, so no text opens a line of its own.
QString eventScript(const QList<TimeEventRow> &rows, const ClipInformation &information);

// The text of the image-map script: the duration line and the one-area map line, each ending
// with CR LF; a line break inside the URL or the show text is written as a space.
QString clickMapScript(const ClickMap &map);
