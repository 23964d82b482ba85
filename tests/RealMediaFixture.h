#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// RealMedia and old RealAudio clips for tests and benchmarks, built without ffmpeg, and a reader
// of RealMedia files that knows nothing of the merge tool's code.

enum class ClipPayload {
    Pattern, // every packet carries bytes of its own
    Holes,   // payloads are left as holes of the file: a clip of gigabytes takes no disk space
};

// Writes a small but valid RealMedia file of about approximateSize bytes: one data stream whose
// packets (25 a second, up to a few kilobytes, or 64 KiB with holes) follow a DATA chunk, and an
// index with a record a second. It is written as it is built, so the size may be large; past
// 4 GiB, where RealMedia cannot address packets, it has no index. Any failure is fatal.
void writeRealMediaClip(const QString &path, qint64 approximateSize, ClipPayload payload = ClipPayload::Pattern);

namespace RealMediaTest {

struct Packet
{
    quint16 stream = 0;
    quint32 timestamp = 0;
    QByteArray payload;
    quint16 version = 0; // 0, or 1 for the header with an ASM rule
    quint8 flags = 2;    // keyframe
};

struct Stream
{
    quint16 number = 0;
    QByteArray name;
    QByteArray mimeType;
    QByteArray typeSpecificData;
};

struct Property
{
    QByteArray name;
    quint32 type = 2; // string
    QByteArray value;
    friend bool operator==(const Property &, const Property &) = default;
};

// What a test clip holds. Streams' headers and packets are written as given, in this order.
struct Clip
{
    QList<Stream> streams;
    std::optional<QList<QByteArray>> content; // title, author, copyright, comment
    // A logical-fileinfo stream with this number and these properties, after the other streams.
    std::optional<quint16> fileInfoStream;
    QList<Property> fileInfo;
    QList<Packet> packets;
    // An index chunk per stream, a record for each of its packets, after the data.
    bool indexed = false;
    // Puts the index chunks among the header chunks, before the data, instead.
    bool indexBeforeData = false;
    // Adds a logical stream with this number grouping the streams above, whose data offsets all
    // name the DATA chunk.
    std::optional<quint16> logicalStream;
    // Leaves the records out of each index chunk's size field, as some writers do.
    bool indexSizeWithoutRecords = false;
    qint64 dataSizeError = 0; // added to the DATA chunk's size field
    QByteArray trailingBytes;
};

QByteArray buildClip(const Clip &clip);

// An event script with two URL events, one at a tenth and out of time order, and every
// clip-information record with times of its own.
QByteArray timedEventScript();
// A click map of 1 minute 5 seconds whose show text holds double quotes.
QByteArray quotedClickMap();

// The type-specific data of a logical stream with these properties, grouping these physical
// streams whose data lies at dataOffset.
QByteArray logicalStreamData(const QList<Property> &properties, const QList<quint16> &physicalStreams = {},
                             quint32 dataOffset = 0);

struct ReadPacket
{
    qint64 offset = 0;
    quint16 version = 0;
    quint16 length = 0;
    quint16 stream = 0;
    quint32 timestamp = 0;
    quint8 flags = 0;
    QByteArray header; // all of it, as stored
    QByteArray payload;
};

struct ReadStream
{
    quint16 number = 0;
    quint32 maxBitRate = 0, averageBitRate = 0, maxPacketSize = 0, averagePacketSize = 0;
    quint32 startTime = 0, preroll = 0, duration = 0;
    QByteArray name, mimeType, typeSpecificData;
    QList<Property> properties; // of a logical stream
    QList<quint32> dataOffsets; // of a logical stream
};

struct IndexRecord
{
    quint32 timestamp = 0;
    quint32 offset = 0;
    quint32 packetNumber = 0;
};

struct ReadIndex
{
    qint64 offset = 0;
    quint32 size = 0;
    quint16 stream = 0;
    quint32 nextIndexOffset = 0;
    QList<IndexRecord> records;
};

struct ReadClip
{
    QString error; // empty when the file reads as RealMedia
    QList<QByteArray> chunkIds; // top-level chunks in file order
    quint32 headerCount = 0;
    quint32 maxBitRate = 0, averageBitRate = 0, maxPacketSize = 0, averagePacketSize = 0, packetCount = 0;
    quint32 duration = 0, preroll = 0, indexOffset = 0, dataOffset = 0;
    quint16 streamCount = 0, flags = 0;
    std::optional<QList<QByteArray>> content;
    QList<ReadStream> streams;
    qint64 dataChunkOffset = -1;
    quint32 dataSize = 0, dataPacketCount = 0, nextDataOffset = 0;
    QList<ReadPacket> packets;
    QList<ReadIndex> indexes;
    QByteArray trailingBytes;

    const ReadStream *stream(const QByteArray &mimeType) const;
    QList<ReadPacket> packetsOf(quint16 stream) const;
};

// Reads a RealMedia file chunk by chunk and its packets by count; payloads only when asked,
// which keeps clips of gigabytes readable.
ReadClip readClip(const QString &path, bool withPayloads = true);

// How merged differs from source in the packets of the source's streams: empty when merged holds
// every one of them, in the same order, with the same header fields and payload.
QString packetDifference(const ReadClip &source, const ReadClip &merged);

// An old RealAudio file: version 3 with VSELP ("lpcJ") or 4 with AC-3 ("dnet"), mono, these four
// texts (title, author, copyright, comment) and these audio bytes. Version 5 gets a plausible
// header only. For version 4, audio holds byte-swapped AC-3 frames as RealMedia packets carry them.
QByteArray buildRealAudioClip(int version, const QList<QByteArray> &texts, const QByteArray &audio);

// The four texts of a version 3 or 4 RealAudio file, and where its audio begins.
struct RealAudioTexts
{
    QList<QByteArray> texts;
    qint64 audioOffset = -1;
    quint32 headerSize = 0;
};
RealAudioTexts readRealAudioTexts(const QByteArray &file);

} // namespace RealMediaTest
