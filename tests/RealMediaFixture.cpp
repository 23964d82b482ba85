#include "RealMediaFixture.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <limits>

using namespace RealMediaTest;

namespace {

constexpr int packetsPerSecond = 25;
constexpr quint32 packetSpacing = 1000 / packetsPerSecond; // milliseconds
constexpr int largestPayload = 0xFFFF - 12;
constexpr qint64 largestOffset = std::numeric_limits<quint32>::max();

void appendU8(QByteArray &out, quint8 value)
{
    out.append(char(value));
}

void appendU16(QByteArray &out, quint16 value)
{
    out.append(char(value >> 8)).append(char(value));
}

void appendU32(QByteArray &out, quint32 value)
{
    appendU16(out, quint16(value >> 16));
    appendU16(out, quint16(value));
}

void storeU32(QByteArray &out, qsizetype at, quint32 value)
{
    qToBigEndian(value, out.data() + at);
}

quint16 u16At(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

quint32 u32At(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

QByteArray chunk(const QByteArray &id, const QByteArray &body, quint16 version = 0)
{
    QByteArray bytes = id;
    appendU32(bytes, quint32(10 + body.size()));
    appendU16(bytes, version);
    return bytes + body;
}

QByteArray fileHeader(quint32 headerCount)
{
    QByteArray body;
    appendU32(body, 0);
    appendU32(body, headerCount);
    return chunk(".RMF", body);
}

struct PropertiesFields
{
    quint32 maxBitRate = 0, averageBitRate = 0, maxPacketSize = 0, averagePacketSize = 0, packetCount = 0;
    quint32 duration = 0, indexOffset = 0, dataOffset = 0;
    quint16 streamCount = 0;
};

QByteArray propertiesChunk(const PropertiesFields &fields)
{
    QByteArray body;
    for (const quint32 value : {fields.maxBitRate, fields.averageBitRate, fields.maxPacketSize,
                                fields.averagePacketSize, fields.packetCount, fields.duration, quint32(0),
                                fields.indexOffset, fields.dataOffset})
        appendU32(body, value);
    appendU16(body, fields.streamCount);
    appendU16(body, 3); // may be saved, perfect play
    return chunk("PROP", body);
}

QByteArray contentChunk(const QList<QByteArray> &texts)
{
    QByteArray body;
    for (const QByteArray &text : texts) {
        appendU16(body, quint16(text.size()));
        body += text;
    }
    return chunk("CONT", body);
}

QByteArray streamChunk(const Stream &stream, quint32 maxPacketSize, quint32 averagePacketSize, quint32 duration)
{
    QByteArray body;
    appendU16(body, stream.number);
    for (const quint32 value : {quint32(8000), quint32(8000), maxPacketSize, averagePacketSize, quint32(0),
                                quint32(0), duration})
        appendU32(body, value);
    appendU8(body, quint8(stream.name.size()));
    body += stream.name;
    appendU8(body, quint8(stream.mimeType.size()));
    body += stream.mimeType;
    appendU32(body, quint32(stream.typeSpecificData.size()));
    body += stream.typeSpecificData;
    return chunk("MDPR", body);
}

QByteArray dataHeader(quint32 size, quint32 packetCount)
{
    QByteArray bytes = "DATA";
    appendU32(bytes, size);
    appendU16(bytes, 0);
    appendU32(bytes, packetCount);
    appendU32(bytes, 0);
    return bytes;
}

QByteArray packetHeader(const Packet &packet, int payloadSize)
{
    QByteArray bytes;
    appendU16(bytes, packet.version);
    appendU16(bytes, quint16((packet.version == 0 ? 12 : 13) + payloadSize));
    appendU16(bytes, packet.stream);
    appendU32(bytes, packet.timestamp);
    if (packet.version == 0) {
        appendU8(bytes, 0);
        appendU8(bytes, packet.flags);
    } else {
        appendU16(bytes, 0);
        appendU8(bytes, packet.flags);
    }
    return bytes;
}

QByteArray indexChunk(quint16 stream, const QList<IndexRecord> &records, quint32 nextIndexOffset,
                      bool sizeWithoutRecords)
{
    QByteArray body;
    appendU32(body, quint32(records.size()));
    appendU16(body, stream);
    appendU32(body, nextIndexOffset);
    for (const IndexRecord &record : records) {
        appendU16(body, 0);
        appendU32(body, record.timestamp);
        appendU32(body, record.offset);
        appendU32(body, record.packetNumber);
    }
    QByteArray bytes = chunk("INDX", body);
    if (sizeWithoutRecords)
        storeU32(bytes, 4, 20);
    return bytes;
}

Stream syntheticStream()
{
    QByteArray typeSpecificData = "SYNT";
    appendU32(typeSpecificData, 0);
    return {0, "Synthetic", "application/octet-stream", typeSpecificData};
}

// A repeating pattern to take payloads from, different for every packet.
QByteArray payloadPattern()
{
    QByteArray pattern(2 * largestPayload, Qt::Uninitialized);
    quint32 state = 12345;
    for (char &byte : pattern) {
        state = state * 1103515245 + 12345;
        byte = char(state >> 23);
    }
    return pattern;
}

void fail(const QFile &file)
{
    qFatal("cannot write %s: %s", qPrintable(file.fileName()), qPrintable(file.errorString()));
}

void writeOrFail(QFile &file, const QByteArray &bytes)
{
    if (file.write(bytes) != bytes.size())
        fail(file);
}

} // namespace

void writeRealMediaClip(const QString &path, qint64 approximateSize, ClipPayload payload)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(file);
    const Stream stream = syntheticStream();
    // The fields that depend on the packets are filled in at the end.
    const QByteArray provisionalHeader = fileHeader(4) + propertiesChunk({}) + streamChunk(stream, 0, 0, 0);
    const qint64 dataOffset = provisionalHeader.size();
    writeOrFail(file, provisionalHeader + dataHeader(0, 0));

    const QByteArray pattern = payload == ClipPayload::Pattern ? payloadPattern() : QByteArray();
    QList<IndexRecord> records;
    QByteArray batch;
    qint64 offset = dataOffset + 18;
    quint32 packetCount = 0;
    quint32 maxPacketSize = 0;
    const qint64 indexReserve = 20 + 14 * (approximateSize / 4000 / packetsPerSecond + 1);
    do {
        const int payloadSize = payload == ClipPayload::Holes ? largestPayload : 400 + int(packetCount * 997 % 3600);
        const Packet packet{0, packetCount * packetSpacing, {}, 0, 2};
        const QByteArray header = packetHeader(packet, payloadSize);
        if (packetCount % packetsPerSecond == 0 && offset <= largestOffset)
            records.append({packet.timestamp, quint32(offset), packetCount});
        if (payload == ClipPayload::Holes) {
            if (!file.seek(offset))
                fail(file);
            writeOrFail(file, header);
        } else {
            batch += header;
            batch.append(pattern.constData() + packetCount * 131 % largestPayload, payloadSize);
            if (batch.size() > (1 << 20)) {
                writeOrFail(file, batch);
                batch.clear();
            }
        }
        offset += header.size() + payloadSize;
        maxPacketSize = std::max<quint32>(maxPacketSize, quint32(header.size() + payloadSize));
        ++packetCount;
    } while (offset + indexReserve < approximateSize);
    writeOrFail(file, batch);
    if (!file.resize(offset) || !file.seek(offset))
        fail(file);

    const bool indexed = offset <= largestOffset;
    if (indexed)
        writeOrFail(file, indexChunk(stream.number, records, 0, false));
    const qint64 packetBytes = offset - dataOffset - 18;
    PropertiesFields properties;
    properties.maxBitRate = properties.averageBitRate = 8000;
    properties.maxPacketSize = maxPacketSize;
    properties.averagePacketSize = quint32(packetBytes / packetCount);
    properties.packetCount = packetCount;
    properties.duration = packetCount * packetSpacing;
    properties.indexOffset = indexed ? quint32(offset) : 0;
    properties.dataOffset = quint32(dataOffset);
    properties.streamCount = 1;
    const QByteArray header = fileHeader(indexed ? 4 : 3) + propertiesChunk(properties)
                              + streamChunk(stream, maxPacketSize, properties.averagePacketSize, properties.duration);
    const quint32 dataSize = quint32(std::min<qint64>(18 + packetBytes, largestOffset));
    if (!file.seek(0))
        fail(file);
    writeOrFail(file, header + dataHeader(dataSize, packetCount));
    if (!file.flush())
        fail(file);
}

namespace RealMediaTest {

QByteArray logicalStreamData(const QList<Property> &properties, const QList<quint16> &physicalStreams,
                             quint32 dataOffset)
{
    QByteArray body;
    appendU16(body, 0); // version
    appendU16(body, quint16(physicalStreams.size()));
    for (const quint16 number : physicalStreams)
        appendU16(body, number);
    for (qsizetype number = 0; number < physicalStreams.size(); ++number)
        appendU32(body, dataOffset);
    appendU16(body, 0); // rules
    appendU16(body, quint16(properties.size()));
    for (const Property &property : properties) {
        QByteArray entry;
        appendU16(entry, 0);
        appendU8(entry, quint8(property.name.size()));
        entry += property.name;
        appendU32(entry, property.type);
        appendU16(entry, quint16(property.value.size()));
        entry += property.value;
        appendU32(body, quint32(4 + entry.size()));
        body += entry;
    }
    QByteArray bytes;
    appendU32(bytes, quint32(4 + body.size()));
    return bytes + body;
}

QByteArray timedEventScript()
{
    return "u 00:00:02.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
           "u 00:00:00.1 00:01:00.0 &&_rpcontextwin&&http://example.com/b?rpcontextheight=250\r\n"
           "i 00:00:00.0 00:00:10.0 The title\r\n"
           "c 00:00:01.5 00:00:10.0 (c) Somebody\r\n"
           "a 00:00:00.0 00:00:20.0 An author\r\n"
           "n 00:00:00.0 00:00:10.0 one, two\r\n"
           "q 00:00:00.0 00:00:10.0  First line second line\r\n";
}

QByteArray quotedClickMap()
{
    return "DURATION=0:0:1:5:0\r\n<MAP START=0:0:0:0:0 END=0:0:1:5:0 COORDS=0,0,1024,768>"
           "<AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"http://pop.example/\" "
           "ALT=\"Click \"here\"\"></MAP>\r\n";
}

QByteArray buildClip(const Clip &clip)
{
    // The header's length does not depend on the offsets it holds, so it is laid out first.
    const auto streamHeaders = [&clip](quint32 dataOffset) {
        QList<Stream> streams = clip.streams;
        if (clip.logicalStream) {
            QList<quint16> physical;
            for (const Stream &stream : clip.streams)
                physical.append(stream.number);
            streams.append({*clip.logicalStream, "", "logical-audio/x-pn-multirate-realaudio",
                            logicalStreamData({}, physical, dataOffset)});
        }
        if (clip.fileInfoStream)
            streams.append({*clip.fileInfoStream, "", "logical-fileinfo", logicalStreamData(clip.fileInfo)});
        QByteArray chunks;
        for (const Stream &stream : streams)
            chunks += streamChunk(stream, 1000, 500, 10000);
        if (clip.content)
            chunks.prepend(contentChunk(*clip.content));
        return std::pair{chunks, quint16(streams.size())};
    };
    QList<QList<int>> indexedPackets; // per index chunk, the numbers of its packets
    for (qsizetype streamIndex = 0; clip.indexed && streamIndex < clip.streams.size(); ++streamIndex) {
        QList<int> numbers;
        for (int number = 0; number < clip.packets.size(); ++number) {
            if (clip.packets[number].stream == clip.streams[streamIndex].number)
                numbers.append(number);
        }
        indexedPackets.append(numbers);
    }
    qint64 indexBytes = 0;
    for (const QList<int> &numbers : indexedPackets)
        indexBytes += 20 + 14 * numbers.size();
    const quint32 headerCount
        = quint32(1 + clip.content.has_value() + streamHeaders(0).second + 1 + indexedPackets.size());
    const qint64 headerEnd = fileHeader(0).size() + propertiesChunk({}).size() + streamHeaders(0).first.size();
    const qint64 dataOffset = headerEnd + (clip.indexBeforeData ? indexBytes : 0);

    QByteArray packets;
    QList<qint64> packetOffsets;
    quint32 maxPacketSize = 0;
    for (const Packet &packet : clip.packets) {
        packetOffsets.append(dataOffset + 18 + packets.size());
        const QByteArray bytes = packetHeader(packet, int(packet.payload.size())) + packet.payload;
        maxPacketSize = std::max<quint32>(maxPacketSize, quint32(bytes.size()));
        packets += bytes;
    }

    QByteArray indexes;
    const qint64 firstIndexOffset = clip.indexBeforeData ? headerEnd : dataOffset + 18 + packets.size();
    for (qsizetype position = 0; position < indexedPackets.size(); ++position) {
        QList<IndexRecord> records;
        for (const int number : indexedPackets[position])
            records.append({clip.packets[number].timestamp, quint32(packetOffsets[number]), quint32(number)});
        const bool last = position + 1 == indexedPackets.size();
        const qint64 nextOffset = firstIndexOffset + indexes.size() + 20 + 14 * records.size();
        indexes += indexChunk(clip.streams[position].number, records, last ? 0 : quint32(nextOffset),
                              clip.indexSizeWithoutRecords);
    }

    PropertiesFields properties;
    properties.maxBitRate = properties.averageBitRate = quint32(8000 * clip.streams.size());
    properties.maxPacketSize = maxPacketSize;
    properties.averagePacketSize = clip.packets.isEmpty() ? 0 : quint32(packets.size() / clip.packets.size());
    properties.packetCount = quint32(clip.packets.size());
    properties.duration = clip.packets.isEmpty() ? 0 : clip.packets.last().timestamp + packetSpacing;
    properties.indexOffset = indexedPackets.isEmpty() ? 0 : quint32(firstIndexOffset);
    properties.dataOffset = quint32(dataOffset);
    properties.streamCount = streamHeaders(0).second;

    QByteArray file = fileHeader(headerCount) + propertiesChunk(properties) + streamHeaders(quint32(dataOffset)).first;
    if (clip.indexBeforeData)
        file += indexes;
    file += dataHeader(quint32(18 + packets.size() + clip.dataSizeError), quint32(clip.packets.size()));
    file += packets;
    if (!clip.indexBeforeData)
        file += indexes;
    return file + clip.trailingBytes;
}

const ReadStream *ReadClip::stream(const QByteArray &mimeType) const
{
    const auto found = std::ranges::find(streams, mimeType, &ReadStream::mimeType);
    return found == streams.end() ? nullptr : &*found;
}

QList<ReadPacket> ReadClip::packetsOf(quint16 number) const
{
    QList<ReadPacket> found;
    for (const ReadPacket &packet : packets) {
        if (packet.stream == number)
            found.append(packet);
    }
    return found;
}

} // namespace RealMediaTest

namespace {

// Reads a file by offset; a read past its end leaves an error behind and returns nothing.
class FileReader
{
public:
    explicit FileReader(const QString &path)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::ReadOnly))
            error = "cannot open " + path;
    }

    qint64 size() const { return m_file.size(); }

    QByteArray read(qint64 offset, qint64 count, const char *what)
    {
        if (!error.isEmpty())
            return QByteArray(count, '\0');
        QByteArray bytes;
        if (offset >= 0 && count >= 0 && offset + count <= m_file.size() && m_file.seek(offset))
            bytes = m_file.read(count);
        if (bytes.size() != count) {
            error = QString("%1 at offset %2 runs past the end of the file").arg(what).arg(offset);
            bytes = QByteArray(count, '\0');
        }
        return bytes;
    }

    QString error;

private:
    QFile m_file;
};

// Reads fields one after the other; running short marks the result as damaged.
class FieldReader
{
public:
    explicit FieldReader(const QByteArray &bytes, qsizetype at = 0)
        : m_bytes(bytes)
        , m_at(at)
    {}

    quint8 u8() { return quint8(take(1).at(0)); }
    quint16 u16() { return u16At(take(2), 0); }
    quint32 u32() { return u32At(take(4), 0); }
    QByteArray take(qsizetype count)
    {
        if (count < 0 || m_at + count > m_bytes.size()) {
            damaged = true;
            return QByteArray(std::max<qsizetype>(count, 4), '\0');
        }
        const QByteArray taken = m_bytes.mid(m_at, count);
        m_at += count;
        return taken;
    }
    qsizetype at() const { return m_at; }

    bool damaged = false;

private:
    QByteArray m_bytes;
    qsizetype m_at;
};

void readLogicalStream(ReadStream &stream)
{
    FieldReader reader(stream.typeSpecificData);
    reader.u32();
    if (reader.u16() != 0)
        return;
    const quint16 physicalStreams = reader.u16();
    reader.take(2 * physicalStreams);
    for (int number = 0; number < physicalStreams; ++number)
        stream.dataOffsets.append(reader.u32());
    reader.take(2 * reader.u16());
    const quint16 propertyCount = reader.u16();
    for (int number = 0; number < propertyCount && !reader.damaged; ++number) {
        const quint32 size = reader.u32();
        FieldReader property(reader.take(size - 4));
        property.u16();
        Property read;
        read.name = property.take(property.u8());
        read.type = property.u32();
        read.value = property.take(property.u16());
        stream.properties.append(read);
    }
}

void readStream(ReadClip &clip, const QByteArray &bytes, qint64 offset)
{
    FieldReader reader(bytes, 10);
    ReadStream stream;
    stream.number = reader.u16();
    for (quint32 *field : {&stream.maxBitRate, &stream.averageBitRate, &stream.maxPacketSize, &stream.averagePacketSize,
                           &stream.startTime, &stream.preroll, &stream.duration})
        *field = reader.u32();
    stream.name = reader.take(reader.u8());
    stream.mimeType = reader.take(reader.u8());
    stream.typeSpecificData = reader.take(reader.u32());
    if (stream.mimeType.startsWith("logical-"))
        readLogicalStream(stream);
    if (reader.damaged)
        clip.error = QString("damaged MDPR chunk at offset %1").arg(offset);
    clip.streams.append(stream);
}

void readProperties(ReadClip &clip, const QByteArray &bytes)
{
    FieldReader reader(bytes, 10);
    for (quint32 *field : {&clip.maxBitRate, &clip.averageBitRate, &clip.maxPacketSize, &clip.averagePacketSize,
                           &clip.packetCount, &clip.duration, &clip.preroll, &clip.indexOffset, &clip.dataOffset})
        *field = reader.u32();
    clip.streamCount = reader.u16();
    clip.flags = reader.u16();
}

void readContent(ReadClip &clip, const QByteArray &bytes)
{
    FieldReader reader(bytes, 10);
    QList<QByteArray> texts;
    for (int text = 0; text < 4; ++text)
        texts.append(reader.take(reader.u16()));
    clip.content = texts;
}

// An index chunk at offset; returns how far it reaches.
qint64 readIndex(ReadClip &clip, FileReader &file, qint64 offset)
{
    const QByteArray header = file.read(offset, 20, "INDX chunk");
    ReadIndex index;
    index.offset = offset;
    index.size = u32At(header, 4);
    const quint32 recordCount = u32At(header, 10);
    index.stream = u16At(header, 14);
    index.nextIndexOffset = u32At(header, 16);
    const QByteArray records = file.read(offset + 20, 14 * qint64(recordCount), "index records");
    for (quint32 number = 0; number < recordCount; ++number) {
        FieldReader reader(records, 14 * qsizetype(number));
        reader.u16();
        IndexRecord record;
        record.timestamp = reader.u32();
        record.offset = reader.u32();
        record.packetNumber = reader.u32();
        index.records.append(record);
    }
    clip.indexes.append(index);
    return index.size == 20 ? 20 + 14 * qint64(recordCount) : index.size;
}

bool isChunkId(const QByteArray &id)
{
    return id.size() == 4 && std::ranges::all_of(id, [](char c) { return c >= 0x20 && c < 0x7f; });
}

} // namespace

namespace RealMediaTest {

ReadClip readClip(const QString &path, bool withPayloads)
{
    ReadClip clip;
    FileReader file(path);
    const QByteArray start = file.read(0, 18, ".RMF chunk");
    if (!start.startsWith(".RMF")) {
        clip.error = file.error.isEmpty() ? "not a RealMedia file" : file.error;
        return clip;
    }
    clip.headerCount = u32At(start, 14);
    qint64 offset = u32At(start, 4);
    for (;;) {
        const QByteArray header = file.read(offset, 10, "chunk header");
        if (!file.error.isEmpty())
            break;
        const QByteArray id = header.left(4);
        const quint32 size = u32At(header, 4);
        clip.chunkIds.append(id);
        if (id == "DATA")
            break;
        if (id == "INDX") {
            offset += readIndex(clip, file, offset);
            continue;
        }
        const QByteArray bytes = file.read(offset, size, "header chunk");
        if (id == "PROP")
            readProperties(clip, bytes);
        else if (id == "CONT")
            readContent(clip, bytes);
        else if (id == "MDPR")
            readStream(clip, bytes, offset);
        offset += std::max<quint32>(size, 10);
    }
    if (!file.error.isEmpty()) {
        clip.error = file.error;
        return clip;
    }

    const QByteArray data = file.read(offset, 18, "DATA chunk");
    clip.dataChunkOffset = offset;
    clip.dataSize = u32At(data, 4);
    clip.dataPacketCount = u32At(data, 10);
    clip.nextDataOffset = u32At(data, 14);
    offset += 18;
    for (quint32 number = 0; number < clip.dataPacketCount && file.error.isEmpty(); ++number) {
        const QByteArray header = file.read(offset, 13, "packet header");
        ReadPacket packet;
        packet.offset = offset;
        packet.version = u16At(header, 0);
        packet.length = u16At(header, 2);
        packet.stream = u16At(header, 4);
        packet.timestamp = u32At(header, 6);
        const int headerSize = packet.version == 0 ? 12 : 13;
        packet.flags = packet.version == 0 ? quint8(header.at(11)) : quint8(header.at(12));
        packet.header = header.left(headerSize);
        if (packet.version > 1 || packet.length < headerSize) {
            clip.error = QString("bad packet header at offset %1").arg(offset);
            return clip;
        }
        if (withPayloads)
            packet.payload = file.read(offset + headerSize, packet.length - headerSize, "packet");
        clip.packets.append(packet);
        offset += packet.length;
    }
    while (file.error.isEmpty() && offset < file.size()) {
        const QByteArray header = file.size() - offset >= 10 ? file.read(offset, 10, "chunk") : QByteArray();
        const QByteArray id = header.left(4);
        const quint32 size = header.isEmpty() ? 0 : u32At(header, 4);
        if (id == "INDX") {
            clip.chunkIds.append(id);
            offset += readIndex(clip, file, offset);
        } else if (isChunkId(id) && size >= 10 && offset + size <= file.size()) {
            clip.chunkIds.append(id);
            offset += size;
        } else {
            clip.trailingBytes = file.read(offset, file.size() - offset, "trailing bytes");
            break;
        }
    }
    clip.error = file.error;
    return clip;
}

QString packetDifference(const ReadClip &source, const ReadClip &merged)
{
    QList<ReadPacket> kept;
    for (const ReadPacket &packet : merged.packets) {
        const auto ownsPacket = [&](const ReadStream &stream) { return stream.number == packet.stream; };
        if (std::ranges::any_of(source.streams, ownsPacket))
            kept.append(packet);
    }
    if (kept.size() != source.packets.size())
        return QString("%1 packets of the source's streams instead of %2").arg(kept.size()).arg(source.packets.size());
    for (qsizetype number = 0; number < kept.size(); ++number) {
        const ReadPacket &was = source.packets[number];
        const ReadPacket &is = kept[number];
        if (is.header != was.header || is.payload != was.payload)
            return QString("packet %1 (stream %2, time %3) differs").arg(number).arg(was.stream).arg(was.timestamp);
    }
    return QString();
}

QByteArray buildRealAudioClip(int version, const QList<QByteArray> &texts, const QByteArray &audio)
{
    QByteArray textBytes;
    for (const QByteArray &text : texts) {
        appendU8(textBytes, quint8(text.size()));
        textBytes += text;
    }
    QByteArray file = ".ra\xfd";
    appendU16(file, quint16(version));
    if (version == 3) {
        QByteArray header(8, '\0');
        appendU16(header, 1000);          // bytes per minute
        appendU32(header, quint32(audio.size()));
        header += textBytes;
        header += QByteArray("\0\x04lpcJ", 6);
        appendU16(file, quint16(header.size()));
        return file + header + audio;
    }
    appendU16(file, 0);
    file += ".ra4";
    appendU32(file, quint32(audio.size()));
    appendU16(file, quint16(version));
    const qsizetype headerSizeAt = file.size();
    appendU32(file, 0);
    appendU16(file, 2);                  // flavor
    appendU32(file, 417);                // coded frame size
    appendU32(file, 0);
    appendU32(file, 720000);             // bytes per minute
    appendU32(file, 720000);
    appendU16(file, 1);                  // sub-packet height
    appendU16(file, 417);                // frame size
    appendU16(file, 0);                  // sub-packet size
    appendU16(file, 0);
    if (version == 5) {
        file += QByteArray(6, '\0');
        appendU16(file, 44100);
        appendU32(file, 16);
        appendU16(file, 1);
        file += "Int0dnet";
        return file + QByteArray(4, '\0') + audio;
    }
    appendU16(file, 44100);              // sample rate
    appendU16(file, 0);
    appendU16(file, 16);                 // sample size
    appendU16(file, 1);                  // channels
    file += "\x04Int0\x04" "dnet";
    file += QByteArray(3, '\0');
    file += textBytes;
    storeU32(file, headerSizeAt, quint32(file.size() - 16));
    return file + audio;
}

RealAudioTexts readRealAudioTexts(const QByteArray &file)
{
    RealAudioTexts result;
    const int version = u16At(file, 4);
    FieldReader reader(file);
    if (version == 3) {
        result.headerSize = u16At(file, 6);
        reader.take(22);
    } else {
        result.headerSize = u32At(file, 18);
        reader.take(56);
        reader.take(reader.u8());
        reader.take(reader.u8());
        reader.take(3);
    }
    for (int text = 0; text < 4; ++text)
        result.texts.append(reader.take(reader.u8()));
    result.audioOffset = version == 3 ? 8 + result.headerSize : reader.at();
    return result;
}

} // namespace RealMediaTest
