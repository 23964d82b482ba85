#include "JsonListingText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

// The members of a JSON listing, each checked for its kind; the first one missing or of the wrong
// kind is remembered, and reads as zero or empty.
class ListingReader
{
public:
    QString problem;

    quint32 number(const QJsonObject &object, const QString &key) { return count(object.value(key), key); }

    QByteArray name(const QJsonObject &object, const QString &key)
    {
        if (!object.value(key).isString())
            fail(key + " is not a string");
        return object.value(key).toString().toUtf8();
    }

    QByteArray text(const QJsonObject &object, const QString &key)
    {
        const QByteArray bytes = listedText(object.value(key));
        if (bytes.isNull())
            fail(key + " is neither a string nor bytes");
        return bytes;
    }

    QJsonArray array(const QJsonObject &object, const QString &key)
    {
        if (!object.value(key).isArray())
            fail(key + " is not an array");
        return object.value(key).toArray();
    }

    QByteArray numberList(const QJsonObject &object, const QString &key)
    {
        QByteArrayList values;
        for (const QJsonValue value : array(object, key))
            values << QByteArray::number(count(value, key));
        return values.join(',');
    }

private:
    quint32 count(const QJsonValue &value, const QString &what)
    {
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number < 0 || number != quint32(number))
            fail(what + " is not a count");
        return quint32(number);
    }

    void fail(const QString &what)
    {
        if (problem.isEmpty())
            problem = what;
    }
};

// Control bytes as \xNN, every other byte as it is.
QByteArray shown(const QByteArray &text)
{
    QByteArray line;
    for (const char byte : text) {
        if (uchar(byte) < 0x20 || uchar(byte) == 0x7f)
            line += "\\x" + QByteArray::number(uchar(byte), 16).rightJustified(2, '0').toUpper();
        else
            line += byte;
    }
    return line;
}

QByteArray counted(qsizetype count, const QByteArray &noun)
{
    return QByteArray::number(count) + " " + noun + (count == 1 ? "" : "s");
}

QByteArray tenthsText(quint32 tenths)
{
    return QString::asprintf("%02u:%02u:%02u.%u", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60, tenths % 10)
        .toUtf8();
}

QByteArray millisecondsText(quint32 milliseconds)
{
    return QString::asprintf("%u:%02u:%02u.%03u", milliseconds / 3600000, milliseconds / 60000 % 60,
                             milliseconds / 1000 % 60, milliseconds % 1000)
        .toUtf8();
}

QByteArrayList streamLines(ListingReader &read, const QJsonArray &streams)
{
    QByteArrayList lines;
    for (const QJsonValue value : streams) {
        const QJsonObject stream = value.toObject();
        lines << "Stream " + QByteArray::number(read.number(stream, "number")) + ": "
                     + shown(read.text(stream, "mimeType")) + " \"" + shown(read.text(stream, "name")) + "\"";
        if (!stream.contains("fileInformation"))
            continue;
        for (const QJsonValue information : read.array(stream, "fileInformation"))
            lines << "File information " + shown(read.text(information.toObject(), "name")) + ": "
                         + shown(read.text(information.toObject(), "text"));
    }
    return lines;
}

QByteArrayList eventLines(ListingReader &read, const QJsonArray &events)
{
    QByteArrayList lines;
    for (const QJsonValue value : events) {
        const QJsonObject event = value.toObject();
        lines << "Event " + QByteArray::number(read.number(event, "sequence")) + " (stream "
                     + QByteArray::number(read.number(event, "stream")) + "): " + read.name(event, "type") + " from "
                     + tenthsText(read.number(event, "startTenths")) + " to "
                     + tenthsText(read.number(event, "endTenths")) + ": " + shown(read.text(event, "text"));
    }
    return lines;
}

QByteArrayList imageMapLines(ListingReader &read, const QJsonArray &maps)
{
    QByteArrayList lines;
    for (const QJsonValue value : maps) {
        const QJsonObject map = value.toObject();
        const QJsonArray regions = read.array(map, "regions");
        lines << "Image map " + QByteArray::number(read.number(map, "sequence")) + " (stream "
                     + QByteArray::number(read.number(map, "stream")) + "): from "
                     + millisecondsText(read.number(map, "startMilliseconds")) + " to "
                     + millisecondsText(read.number(map, "endMilliseconds")) + ", area "
                     + read.numberList(map, "area") + ", " + counted(regions.size(), "region");
        for (qsizetype number = 0; number < regions.size(); ++number) {
            const QJsonObject region = regions[number].toObject();
            QByteArray line = "Region " + QByteArray::number(number + 1) + ": " + read.name(region, "shape") + " "
                              + read.numberList(region, "coordinates") + " from "
                              + millisecondsText(read.number(region, "startMilliseconds")) + " to "
                              + millisecondsText(read.number(region, "endMilliseconds")) + ", "
                              + read.name(region, "action");
            if (region.contains("seekMilliseconds"))
                line += " to " + millisecondsText(read.number(region, "seekMilliseconds"));
            lines << line + ", URL \"" + shown(read.text(region, "url")) + "\", status \""
                         + shown(read.text(region, "status")) + "\"";
        }
    }
    return lines;
}

} // namespace

QByteArray listedText(const QJsonValue &value)
{
    if (value.isString()) {
        const QByteArray utf8 = value.toString().toUtf8();
        return utf8.isNull() ? QByteArray("") : utf8; // an empty text is no missing one
    }
    const QJsonObject object = value.toObject();
    const QByteArray hex = object.value("bytes").toString().toLatin1();
    const QByteArray bytes = QByteArray::fromHex(hex);
    // Lower-case digits, two a byte, and nothing else.
    if (object.keys() != QStringList{"bytes"} || bytes.isEmpty() || bytes.toHex() != hex)
        return {};
    return bytes;
}

QByteArray textListingFromJson(const QByteArray &json, QString *problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject()) {
        *problem = "not a JSON object: " + error.errorString();
        return {};
    }
    const QJsonObject listing = document.object();
    ListingReader read;
    const QJsonArray streams = read.array(listing, "streams");
    QByteArrayList lines;
    if (read.name(listing, "clip") == "RealMedia")
        lines << "Clip: RealMedia, " + counted(streams.size(), "stream") + ", "
                     + counted(read.number(listing, "packets"), "packet");
    else
        lines << "Clip: old RealAudio of version " + QByteArray::number(read.number(listing, "version"));
    for (const QJsonValue value : read.array(listing, "information")) {
        const QByteArray field = read.name(value.toObject(), "field");
        lines << field.left(1).toUpper() + field.mid(1) + ": " + shown(read.text(value.toObject(), "text"));
    }
    lines << streamLines(read, streams) << eventLines(read, read.array(listing, "events"))
          << imageMapLines(read, read.array(listing, "imageMaps"));
    *problem = read.problem;
    return problem->isEmpty() ? lines.join('\n') + '\n' : QByteArray();
}

QByteArray eventsBeforeImageMaps(const QByteArray &listing)
{
    QByteArrayList others;
    QByteArrayList events;
    QByteArrayList maps;
    for (const QByteArray &line : listing.split('\n')) {
        if (line.startsWith("Event "))
            events << line;
        else if (line.startsWith("Image map ") || line.startsWith("Region "))
            maps << line;
        else
            others << line;
    }
    // The empty line after the last line end stays last.
    const QByteArray last = others.takeLast();
    return (others + events + maps + QByteArrayList{last}).join('\n');
}
