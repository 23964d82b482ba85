#include "jobs/ClipContents.h"

#include "jobs/ClipReadError.h"
#include "platform/CodePage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// Every value is checked for its kind: a listing that is not as the tool writes it is refused
// whole rather than read in part.
class ListingReader
{
public:
    explicit ListingReader(const CodePage &codePage) : m_codePage(codePage) {}

    [[noreturn]] static void refuse(const QString &key, const QString &what)
    {
        throw ClipReadError(QStringLiteral("the merge tool's listing is not as expected: %1 %2").arg(key, what));
    }

    static QJsonValue member(const QJsonObject &object, const char *key)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined())
            refuse(QLatin1String(key), QStringLiteral("is missing"));
        return value;
    }

    static QJsonObject object(const QJsonValue &value, const QString &key)
    {
        if (!value.isObject())
            refuse(key, QStringLiteral("is not an object"));
        return value.toObject();
    }

    static QJsonArray array(const QJsonObject &object, const char *key)
    {
        const QJsonValue value = member(object, key);
        if (!value.isArray())
            refuse(QLatin1String(key), QStringLiteral("is not an array"));
        return value.toArray();
    }

    static qint64 number(const QJsonObject &object, const char *key)
    {
        const QJsonValue value = member(object, key);
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number < 0 || number != double(qint64(number)))
            refuse(QLatin1String(key), QStringLiteral("is not a whole number"));
        return qint64(number);
    }

    static QList<qint64> numbers(const QJsonObject &object, const char *key)
    {
        QList<qint64> values;
        for (const QJsonValue &value : array(object, key)) {
            if (!value.isDouble() || value.toDouble() < 0)
                refuse(QLatin1String(key), QStringLiteral("holds something other than whole numbers"));
            values.append(qint64(value.toDouble()));
        }
        return values;
    }

    static QString name(const QJsonObject &object, const char *key)
    {
        const QJsonValue value = member(object, key);
        if (!value.isString())
            refuse(QLatin1String(key), QStringLiteral("is not a string"));
        return value.toString();
    }

    // A text in the scripts' code page may happen to be valid UTF-8 (GBK's bytes for a single
    // Chinese character often are), in which case the tool lists it as a JSON string: so a
    // string is taken back to its bytes too, and every text decoded alike.
    QString text(const QJsonObject &object, const char *key) const
    {
        const QJsonValue value = member(object, key);
        if (value.isString())
            return m_codePage.decode(value.toString().toUtf8());
        static const QRegularExpression hexBytes(QStringLiteral("^([0-9a-f]{2})*$"));
        const QJsonValue bytes = value.toObject().value(QLatin1String("bytes"));
        if (!bytes.isString() || !hexBytes.match(bytes.toString()).hasMatch())
            refuse(QLatin1String(key), QStringLiteral("is neither a string nor {\"bytes\": hexadecimal}"));
        return m_codePage.decode(QByteArray::fromHex(bytes.toString().toLatin1()));
    }

private:
    const CodePage &m_codePage;
};

ClipContents::Stream readStream(const ListingReader &reader, const QJsonObject &stream)
{
    ClipContents::Stream read{ListingReader::number(stream, "number"), reader.text(stream, "mimeType"),
                              reader.text(stream, "name"), {}};
    if (stream.contains(QLatin1String("fileInformation"))) {
        for (const QJsonValue &value : ListingReader::array(stream, "fileInformation")) {
            const QJsonObject information = ListingReader::object(value, QStringLiteral("fileInformation"));
            read.fileInformation.append({reader.text(information, "name"), reader.text(information, "text")});
        }
    }
    return read;
}

ClipContents::Event readEvent(const ListingReader &reader, const QJsonObject &event)
{
    return {ListingReader::number(event, "stream"),      ListingReader::number(event, "sequence"),
            ListingReader::name(event, "type"),          ListingReader::number(event, "startTenths"),
            ListingReader::number(event, "endTenths"),   reader.text(event, "text")};
}

ClipContents::Region readRegion(const ListingReader &reader, const QJsonObject &region)
{
    ClipContents::Region read;
    read.shape = ListingReader::name(region, "shape");
    read.coordinates = ListingReader::numbers(region, "coordinates");
    read.startMilliseconds = ListingReader::number(region, "startMilliseconds");
    read.endMilliseconds = ListingReader::number(region, "endMilliseconds");
    read.action = ListingReader::name(region, "action");
    if (region.contains(QLatin1String("seekMilliseconds")))
        read.seekMilliseconds = ListingReader::number(region, "seekMilliseconds");
    read.url = reader.text(region, "url");
    read.status = reader.text(region, "status");
    return read;
}

ClipContents::ImageMap readImageMap(const ListingReader &reader, const QJsonObject &map)
{
    ClipContents::ImageMap read;
    read.stream = ListingReader::number(map, "stream");
    read.sequence = ListingReader::number(map, "sequence");
    read.startMilliseconds = ListingReader::number(map, "startMilliseconds");
    read.endMilliseconds = ListingReader::number(map, "endMilliseconds");
    read.area = ListingReader::numbers(map, "area");
    for (const QJsonValue &region : ListingReader::array(map, "regions"))
        read.regions.append(readRegion(reader, ListingReader::object(region, QStringLiteral("regions"))));
    return read;
}

// Each element of the array, read as an object.
template <typename Item, typename Read>
QList<Item> readArray(const QJsonObject &root, const char *key, Read read)
{
    QList<Item> items;
    for (const QJsonValue &value : ListingReader::array(root, key))
        items.append(read(ListingReader::object(value, QLatin1String(key))));
    return items;
}

} // namespace

ClipContents parseClipListing(const QByteArray &json, const CodePage &codePage)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        ListingReader::refuse(QStringLiteral("the document"), QStringLiteral("is no JSON (%1)").arg(error.errorString()));
    if (!document.isObject())
        ListingReader::refuse(QStringLiteral("the document"), QStringLiteral("is not an object"));
    const QJsonObject root = document.object();
    const ListingReader reader(codePage);

    ClipContents contents;
    contents.kind = ListingReader::name(root, "clip");
    if (contents.kind == QLatin1String("RealMedia"))
        contents.packets = ListingReader::number(root, "packets");
    else if (contents.kind == QLatin1String("RealAudio"))
        contents.realAudioVersion = ListingReader::number(root, "version");
    else
        ListingReader::refuse(QStringLiteral("clip"), QStringLiteral("is neither RealMedia nor RealAudio"));
    contents.information = readArray<ClipContents::Information>(root, "information", [&](const QJsonObject &item) {
        return ClipContents::Information{ListingReader::name(item, "field"), reader.text(item, "text")};
    });
    contents.streams = readArray<ClipContents::Stream>(
        root, "streams", [&](const QJsonObject &stream) { return readStream(reader, stream); });
    contents.events = readArray<ClipContents::Event>(
        root, "events", [&](const QJsonObject &event) { return readEvent(reader, event); });
    contents.imageMaps = readArray<ClipContents::ImageMap>(
        root, "imageMaps", [&](const QJsonObject &map) { return readImageMap(reader, map); });
    return contents;
}
