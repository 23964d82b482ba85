#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class CodePage;

// What a clip carries, as the bundled merge tool lists it (rmevents --list --json). Texts are
// decoded in the code page the scripts are written in, since that is what the merge put into
// the clip.
struct ClipContents
{
    struct Information
    {
        QString field; // "title", "author", "copyright" or "comment"
        QString text;
    };
    struct NamedText
    {
        QString name;
        QString text;
    };
    struct Stream
    {
        qint64 number = 0;
        QString mimeType;
        QString name;
        QList<NamedText> fileInformation;
    };
    struct Event
    {
        qint64 stream = 0;
        qint64 sequence = 0;
        QString type; // "title", "author", "copyright", "URL", "custom" or "type 0x...."
        qint64 startTenths = 0;
        qint64 endTenths = 0;
        QString text;
    };
    struct Region
    {
        QString shape;
        QList<qint64> coordinates;
        qint64 startMilliseconds = 0;
        qint64 endMilliseconds = 0;
        QString action;
        std::optional<qint64> seekMilliseconds;
        QString url;
        QString status;
    };
    struct ImageMap
    {
        qint64 stream = 0;
        qint64 sequence = 0;
        qint64 startMilliseconds = 0;
        qint64 endMilliseconds = 0;
        QList<qint64> area; // left, top, right, bottom
        QList<Region> regions;
    };

    QString kind; // "RealMedia" or "RealAudio"
    qint64 packets = 0;           // of RealMedia
    qint64 realAudioVersion = 0;  // of old RealAudio
    QList<Information> information;
    QList<Stream> streams;
    QList<Event> events;
    QList<ImageMap> imageMaps;
};

// Reads the tool's JSON listing; texts, whether JSON strings or {"bytes": HEX}, are taken as
// bytes in this code page. Throws ClipReadError when the listing is not as the tool writes it.
ClipContents parseClipListing(const QByteArray &json, const CodePage &codePage);
