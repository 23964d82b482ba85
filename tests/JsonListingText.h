#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>

// Reads the merge tool's JSON listing (rmevents --list --json) the way a reader outside the tool
// does, knowing nothing of the tool's code, and writes back the text listing (rmevents --list) it
// stands for: compared with the tool's own text listing, that checks the JSON field by field.

// The bytes of a text: a JSON string's UTF-8, or the bytes an object {"bytes": HEX} spells. Null
// for anything else.
QByteArray listedText(const QJsonValue &value);

// The text listing the JSON document holds, with every event before the image maps. Empty, and
// the reason in *problem, when the JSON does not parse or lacks a key or has one of the wrong kind.
QByteArray textListingFromJson(const QByteArray &json, QString *problem);

// A text listing with its event lines moved before the image maps and their regions, each in its
// own order: the order textListingFromJson writes.
QByteArray eventsBeforeImageMaps(const QByteArray &listing);
