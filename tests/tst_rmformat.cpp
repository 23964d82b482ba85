// The merge tool's reading and writing of RealMedia and old RealAudio files, on clips built byte
// by byte, read back by the test fixture's own reader.

#include "MergeToolRun.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace RealMediaTest;

class RmFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void keepsEveryDependentFieldRight_data();
    void keepsEveryDependentFieldRight();
    void putsClipInformation_data();
    void putsClipInformation();
    void addsEventAndMapStreams_data();
    void addsEventAndMapStreams();
    void replacesStreamsOfAnEarlierMerge_data();
    void replacesStreamsOfAnEarlierMerge();
    void refusesWhatItCannotMerge_data();
    void refusesWhatItCannotMerge();
    void rewritesRealAudioTexts_data();
    void rewritesRealAudioTexts();
};

namespace {

const QByteArray twoEvents = "u 00:00:02.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
                             "u 00:00:00.0 00:01:00.0 &&_rpcontextwin&&http://example.com/b?rpcontextheight=250\r\n";
const QByteArray everyRecord = twoEvents
                               + "i 00:00:00.0 00:00:10.0 The title\r\n"
                                 "c 00:00:00.0 00:00:10.0 (c) Somebody\r\n"
                                 "a 00:00:00.0 00:00:10.0 An author\r\n"
                                 "n 00:00:00.0 00:00:10.0 one, two\r\n"
                                 "q 00:00:00.0 00:00:10.0  First line second line\r\n";
const QByteArray timedRecords = timedEventScript();
const QByteArray clickMap = quotedClickMap();

// An event packet as the test expects it: its timestamp in milliseconds, then the payload's fields.
struct EventRecord
{
    quint32 time;
    quint32 startTenths;
    quint32 stopTenths;
    quint16 type;
    QByteArray text;
};

QByteArray typeSpecificData(const QByteArray &tag)
{
    return tag + QByteArray(8, '\x01');
}

// An audio and a video stream, 30 packets interleaved over three seconds, as an encoder writes
// them.
Clip sampleClip(int packetVersion = 0)
{
    Clip clip;
    clip.streams = {{0, "Audio", "audio/x-pn-realaudio", typeSpecificData(".ra\xfd")},
                    {1, "Video", "video/x-pn-realvideo", typeSpecificData("VIDO")}};
    for (quint32 time = 0; time < 3000; time += 200) {
        for (quint16 stream : {0, 1}) {
            QByteArray payload(int(50 + time / 10 + stream * 300), char('a' + stream));
            payload[0] = char(time / 200);
            clip.packets.append({stream, time + stream * 20, payload, quint16(packetVersion), quint8(stream ? 2 : 0)});
        }
    }
    return clip;
}

struct MergeRun
{
    int exitCode = -1;
    QByteArray log;
    QString source;
    QString output;
};

// Runs the tool in folder on source bytes saved as sourceName; map null means no -m option.
MergeRun runMerge(const QTemporaryDir &folder, const QByteArray &source, const QByteArray &events,
                  const QByteArray &map = QByteArray(), const QString &sourceName = "a.rm")
{
    const auto write = [&folder](const QString &name, const QByteArray &bytes) { writeFile(folder.filePath(name), bytes); };
    write(sourceName, source);
    write("events.txt", events);
    QStringList arguments = {"-i", sourceName, "-o", "out.rm", "-e", "events.txt", "-l", "log.txt"};
    if (!map.isNull()) {
        write("map.txt", map);
        arguments << "-m" << "map.txt";
    }
    const ToolRun tool = runMergeTool(folder.path(), arguments);
    return {tool.exitCode, readFile(folder.filePath("log.txt")), folder.filePath(sourceName), folder.filePath("out.rm")};
}

// What is inconsistent in the clip's own fields, or nothing.
QString inconsistency(const ReadClip &clip)
{
    if (!clip.error.isEmpty())
        return clip.error;
    if (clip.dataOffset != clip.dataChunkOffset)
        return QString("PROP names the data at %1, but it is at %2").arg(clip.dataOffset).arg(clip.dataChunkOffset);
    const quint32 firstIndex = clip.indexes.isEmpty() ? 0 : quint32(clip.indexes.first().offset);
    if (clip.indexOffset != firstIndex)
        return QString("PROP names the index at %1, but it is at %2").arg(clip.indexOffset).arg(firstIndex);
    if (clip.packetCount != quint32(clip.packets.size()) || clip.dataPacketCount != quint32(clip.packets.size()))
        return QString("%1 packets, counted as %2 in PROP and %3 in DATA")
            .arg(clip.packets.size()).arg(clip.packetCount).arg(clip.dataPacketCount);
    qint64 packetBytes = 0;
    for (const ReadPacket &packet : clip.packets)
        packetBytes += packet.length;
    if (clip.dataSize != 18 + packetBytes)
        return QString("DATA size %1 instead of %2").arg(clip.dataSize).arg(18 + packetBytes);
    if (clip.nextDataOffset != 0)
        return "DATA names a next DATA chunk";
    if (clip.streamCount != clip.streams.size())
        return QString("PROP counts %1 streams, the header has %2").arg(clip.streamCount).arg(clip.streams.size());
    for (const ReadPacket &packet : clip.packets) {
        const auto isItsStream = [&](const ReadStream &stream) { return stream.number == packet.stream; };
        if (!std::ranges::any_of(clip.streams, isItsStream))
            return QString("a packet of stream %1, which has no header").arg(packet.stream);
    }
    // The test clips' logical streams name the DATA chunk as their streams' data.
    for (const ReadStream &stream : clip.streams) {
        if (std::ranges::any_of(stream.dataOffsets, [&](quint32 offset) { return offset != clip.dataChunkOffset; }))
            return QString("logical stream %1 does not name the DATA chunk").arg(stream.number);
    }
    for (qsizetype number = 0; number < clip.indexes.size(); ++number) {
        const ReadIndex &index = clip.indexes[number];
        const quint32 next = number + 1 < clip.indexes.size() ? quint32(clip.indexes[number + 1].offset) : 0;
        if (index.nextIndexOffset != next)
            return QString("index %1 links to %2 instead of %3").arg(number).arg(index.nextIndexOffset).arg(next);
        if (index.size != 20 + 14 * index.records.size())
            return QString("index %1 has size %2").arg(number).arg(index.size);
        for (const IndexRecord &record : index.records) {
            const bool found = std::ranges::any_of(clip.packets, [&](const ReadPacket &packet) {
                return packet.offset == record.offset && packet.stream == index.stream
                       && packet.timestamp == record.timestamp;
            });
            if (!found)
                return QString("index %1 names no packet at %2").arg(number).arg(record.offset);
        }
    }
    return QString();
}

// Where an added packet is not put before the first source packet with a later timestamp.
QString misplacedPacket(const ReadClip &merged, const QList<quint16> &addedStreams)
{
    QList<quint32> sourceTimes;
    for (const ReadPacket &packet : merged.packets) {
        if (!addedStreams.contains(packet.stream))
            sourceTimes.append(packet.timestamp);
    }
    qsizetype sourcePacketsBefore = 0;
    for (const ReadPacket &packet : merged.packets) {
        if (!addedStreams.contains(packet.stream)) {
            ++sourcePacketsBefore;
            continue;
        }
        const auto isLater = [&](quint32 time) { return time > packet.timestamp; };
        const qsizetype firstLater = std::ranges::find_if(sourceTimes, isLater) - sourceTimes.begin();
        if (sourcePacketsBefore != firstLater)
            return QString("packet of stream %1 at %2 ms comes after %3 source packets instead of %4")
                .arg(packet.stream).arg(packet.timestamp).arg(sourcePacketsBefore).arg(firstLater);
    }
    return QString();
}

quint16 u16At(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

quint32 u32At(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

QByteArray withU16(QByteArray bytes, qsizetype at, quint16 value)
{
    qToBigEndian(value, bytes.data() + at);
    return bytes;
}

QByteArray withoutHeaderSize(const QByteArray &header, int version)
{
    return version == 3 ? withU16(header, 6, 0) : withU16(withU16(header, 18, 0), 20, 0);
}

} // namespace

void RmFormatTest::keepsEveryDependentFieldRight_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<int>("streamsAdded");
    QTest::addColumn<bool>("contentAdded");
    QTest::addColumn<int>("packetsAdded");

    // The event stream (two URL events, title, author and copyright), the click map and the file
    // information stream; CONT; six packets.
    Clip clip = sampleClip();
    QTest::newRow("events, map and information into a bare clip") << buildClip(clip) << everyRecord << clickMap << 3
                                                                  << true << 6;
    clip.indexed = true;
    QTest::newRow("indexed clip") << buildClip(clip) << everyRecord << clickMap << 3 << true << 6;
    QTest::newRow("indexed clip, nothing to merge") << buildClip(clip) << QByteArray("") << QByteArray() << 0 << false
                                                    << 0;
    clip.indexSizeWithoutRecords = true;
    QTest::newRow("index sizes without their records") << buildClip(clip) << twoEvents << QByteArray() << 1 << false
                                                       << 2;
    clip = sampleClip(1);
    clip.indexed = true;
    QTest::newRow("version-1 packet headers") << buildClip(clip) << everyRecord << clickMap << 3 << true << 6;
    clip = sampleClip();
    clip.content = QList<QByteArray>{"T", "A", "C", "K"};
    clip.dataSizeError = 1000;
    QTest::newRow("DATA size too large") << buildClip(clip) << twoEvents << clickMap << 2 << false << 3;
    clip.dataSizeError = -500;
    clip.trailingBytes = QByteArray(8, '\0');
    QTest::newRow("DATA size too small and trailing bytes") << buildClip(clip) << twoEvents << clickMap << 2 << false
                                                            << 3;
    clip.trailingBytes = QByteArray("\0\0\0\0\xff\xfe", 6);
    clip.indexed = true;
    QTest::newRow("index followed by trailing bytes") << buildClip(clip) << everyRecord << clickMap << 3 << false << 6;
    clip = sampleClip();
    clip.packets.clear();
    QTest::newRow("no packets at all") << buildClip(clip) << everyRecord << clickMap << 3 << true << 6;
    clip = sampleClip();
    std::ranges::reverse(clip.packets);
    clip.indexed = true;
    QTest::newRow("packets out of time order") << buildClip(clip) << everyRecord << clickMap << 3 << true << 6;
    clip = sampleClip();
    clip.indexed = clip.indexBeforeData = true;
    clip.logicalStream = 2;
    QTest::newRow("index before the data, logical stream") << buildClip(clip) << everyRecord << clickMap << 3 << true
                                                           << 6;
}

void RmFormatTest::keepsEveryDependentFieldRight()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(int, streamsAdded);
    QFETCH(bool, contentAdded);
    QFETCH(int, packetsAdded);

    QTemporaryDir folder;
    const MergeRun run = runMerge(folder, source, events, map);

    QCOMPARE(run.exitCode, 0);
    QVERIFY2(isCompleteToolLog(run.log), run.log.constData());
    const ReadClip before = readClip(run.source);
    const ReadClip after = readClip(run.output);
    QVERIFY2(inconsistency(after).isEmpty(), qPrintable(inconsistency(after)));
    const QString lost = packetDifference(before, after);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
    QCOMPARE(after.headerCount, before.headerCount + streamsAdded + contentAdded);
    QCOMPARE(after.streams.size(), before.streams.size() + streamsAdded);
    QCOMPARE(after.content.has_value(), before.content.has_value() || contentAdded);
    QCOMPARE(after.packets.size(), before.packets.size() + packetsAdded);
    QCOMPARE(after.indexes.size(), before.indexes.size());
    for (qsizetype number = 0; number < before.indexes.size(); ++number)
        QCOMPARE(after.indexes[number].records.size(), before.indexes[number].records.size());
    QCOMPARE(after.trailingBytes, before.trailingBytes);
}

void RmFormatTest::putsClipInformation_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QList<QByteArray>>("content");
    QTest::addColumn<QList<Property>>("fileInfo");

    const QByteArray description = " First line second line";
    Clip clip = sampleClip();
    QTest::newRow("every record into a clip without either")
        << buildClip(clip) << everyRecord
        << QList<QByteArray>{"The title", "An author", "(c) Somebody", description}
        << QList<Property>{{"Keywords", 2, QByteArray("one, two\0", 9)}, {"Description", 2, description + '\0'}};
    QTest::newRow("byte-order mark skipped at the start only")
        << buildClip(clip) << QByteArray("\xEF\xBB\xBFi 00:00:00.0 00:00:10.0 \xEF\xBB\xBFT\r\n")
        << QList<QByteArray>{"\xEF\xBB\xBFT", "", "", ""} << QList<Property>();
    QTest::newRow("title and author only: no file information stream")
        << buildClip(clip) << QByteArray("i 00:00:00.0 00:00:10.0 T\r\na 00:00:00.0 00:00:10.0 A\r\n")
        << QList<QByteArray>{"T", "A", "", ""} << QList<Property>();
    clip.content = QList<QByteArray>{"Old title", "Old author", "Old copyright", "Old comment"};
    QTest::newRow("values the script does not name stay")
        << buildClip(clip) << QByteArray("c 00:00:00.0 00:00:10.0 New copyright\r\n")
        << QList<QByteArray>{"Old title", "Old author", "New copyright", "Old comment"} << QList<Property>();
    QTest::newRow("no record leaves everything")
        << buildClip(clip) << twoEvents
        << QList<QByteArray>{"Old title", "Old author", "Old copyright", "Old comment"} << QList<Property>();
    clip.fileInfoStream = 2;
    clip.fileInfo = {{"Title", 2, QByteArray("Old title\0", 10)},
                     {"Keywords", 2, "old"},
                     {"Abstract", 2, QByteArray("kept\0", 5)},
                     {"Bitrate", 0, QByteArray("\0\0\x1f\x40", 4)}};
    QTest::newRow("file information brought up to date")
        << buildClip(clip) << everyRecord
        << QList<QByteArray>{"The title", "An author", "(c) Somebody", description}
        << QList<Property>{{"Title", 2, QByteArray("The title\0", 10)},
                           {"Keywords", 2, "one, two"},
                           {"Abstract", 2, QByteArray("kept\0", 5)},
                           {"Bitrate", 0, QByteArray("\0\0\x1f\x40", 4)},
                           {"Description", 2, description + '\0'}};
    QTest::newRow("file information without a record")
        << buildClip(clip) << QByteArray("")
        << QList<QByteArray>{"Old title", "Old author", "Old copyright", "Old comment"} << clip.fileInfo;
}

void RmFormatTest::putsClipInformation()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, events);
    QFETCH(QList<QByteArray>, content);
    QFETCH(QList<Property>, fileInfo);

    QTemporaryDir folder;
    const MergeRun run = runMerge(folder, source, events);

    QCOMPARE(run.exitCode, 0);
    const ReadClip after = readClip(run.output);
    QVERIFY2(inconsistency(after).isEmpty(), qPrintable(inconsistency(after)));
    QVERIFY(after.content);
    QCOMPARE(*after.content, content);
    QCOMPARE(after.chunkIds.mid(0, 2), (QList<QByteArray>{"PROP", "CONT"}));
    const ReadStream *fileInfoStream = after.stream("logical-fileinfo");
    QCOMPARE(fileInfoStream != nullptr, !fileInfo.isEmpty());
    if (fileInfoStream)
        QCOMPARE(fileInfoStream->properties, fileInfo);
}

void RmFormatTest::addsEventAndMapStreams_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QList<quint16>>("newNumbers"); // event stream, map stream

    Clip clip = sampleClip();
    QTest::newRow("streams 0 and 1") << buildClip(clip) << QList<quint16>{2, 3};
    clip.streams[1].number = 7;
    for (Packet &packet : clip.packets)
        packet.stream = packet.stream == 1 ? 7 : 0;
    clip.fileInfoStream = 3;
    clip.fileInfo = {{"Title", 2, "x"}};
    QTest::newRow("numbers with a gap and file information") << buildClip(clip) << QList<quint16>{8, 9};
}

void RmFormatTest::addsEventAndMapStreams()
{
    QFETCH(QByteArray, source);
    QFETCH(QList<quint16>, newNumbers);

    QTemporaryDir folder;
    const MergeRun run = runMerge(folder, source, timedRecords, clickMap);

    QCOMPARE(run.exitCode, 0);
    const ReadClip after = readClip(run.output);
    QVERIFY2(inconsistency(after).isEmpty(), qPrintable(inconsistency(after)));
    QVERIFY2(misplacedPacket(after, newNumbers).isEmpty(), qPrintable(misplacedPacket(after, newNumbers)));

    const ReadStream *events = after.stream("application/x-pn-realevent");
    QVERIFY(events);
    QCOMPARE(events->number, newNumbers[0]);
    QCOMPARE(events->duration, 60000u);
    QCOMPARE(events->typeSpecificData, QByteArray());
    const QList<ReadPacket> eventPackets = after.packetsOf(events->number);
    // In time order, whatever the script's order; equal start times keep the script's order.
    // Keywords and description are no events.
    const QList<EventRecord> expected = {
        {0, 0, 100, 0x0000, "The title"},
        {0, 0, 200, 0x0001, "An author"},
        {100, 1, 600, 0x0020, "&&_rpcontextwin&&http://example.com/b?rpcontextheight=250"},
        {1500, 15, 100, 0x0002, "(c) Somebody"},
        {2000, 20, 50, 0x0020, "&&_rpexternal&&http://example.com/a"}};
    QCOMPARE(eventPackets.size(), expected.size());
    for (qsizetype number = 0; number < expected.size(); ++number) {
        const ReadPacket &packet = eventPackets[number];
        const EventRecord &event = expected[number];
        const QByteArray &payload = packet.payload;
        QCOMPARE(packet.version, quint16(0));
        QCOMPARE(packet.flags, quint8(2));
        QCOMPARE(packet.timestamp, event.time);
        QCOMPARE(payload.size(), 14 + event.text.size() + 1);
        QCOMPARE(u16At(payload, 0), quint16(number)); // sequence number
        QCOMPARE(u32At(payload, 2), event.startTenths);
        QCOMPARE(u32At(payload, 6), event.stopTenths);
        QCOMPARE(u16At(payload, 10), quint16(2 + event.text.size() + 1)); // type, text and NUL
        QCOMPARE(u16At(payload, 12), event.type);
        QCOMPARE(payload.mid(14), event.text + '\0');
    }

    const ReadStream *map = after.stream("application/x-pn-imagemap");
    QVERIFY(map);
    QCOMPARE(map->number, newNumbers[1]);
    QCOMPARE(map->typeSpecificData, QByteArray());
    const QList<ReadPacket> mapPackets = after.packetsOf(map->number);
    QCOMPARE(mapPackets.size(), 1);
    QCOMPARE(mapPackets.first().timestamp, 0u);
    QCOMPARE(mapPackets.first().flags, quint8(2));
    const QByteArray payload = mapPackets.first().payload;
    QCOMPARE(u16At(payload, 0), quint16(0)); // sequence number
    QCOMPARE(u16At(payload, 2), quint16(1)); // regions
    QCOMPARE(u32At(payload, 4), 0u);         // the map from 0 to 1 minute 5 seconds, in milliseconds
    QCOMPARE(u32At(payload, 8), 65000u);
    const QList<quint16> edges = {0, 0, 1024, 768};
    for (qsizetype edge = 0; edge < 4; ++edge)
        QCOMPARE(u16At(payload, 12 + 2 * edge), edges[edge]);
    const QByteArray region = payload.mid(20);
    QCOMPARE(u32At(region, 0), 0u);
    QCOMPARE(u32At(region, 4), 65000u);
    QCOMPARE(u16At(region, 8), quint16(1));  // rectangle
    QCOMPARE(u16At(region, 10), quint16(4)); // its four values
    for (qsizetype edge = 0; edge < 4; ++edge)
        QCOMPARE(u16At(region, 12 + 2 * edge), edges[edge]);
    QCOMPARE(u16At(region, 20), quint16(1)); // open the URL in a browser
    QCOMPARE(u32At(region, 22), 0u);         // seek time
    QCOMPARE(region.mid(26), QByteArray("\x00\x14http://pop.example/\0\x00\x0d" "Click \"here\"\0", 37));
}

void RmFormatTest::replacesStreamsOfAnEarlierMerge_data()
{
    QTest::addColumn<QByteArray>("original"); // the clip before any merge
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QByteArrayList>("eventTexts");
    QTest::addColumn<QByteArrayList>("mapUrls");
    QTest::addColumn<int>("indexesRemoved");

    Clip clip = sampleClip();
    clip.indexed = true;
    const QByteArray original = buildClip(clip);
    QTemporaryDir folder;
    const MergeRun first = runMerge(folder, original, timedRecords, clickMap);
    if (first.exitCode != 0)
        qFatal("the first merge failed: %s", first.log.constData());
    const QByteArray merged = readFile(first.output);
    const QByteArray newEvent = "u 00:00:03.0 00:00:04.0 &&_rpbrowser&&http://new.example/\r\n";
    const QByteArray newMap = QByteArray(clickMap).replace("pop.example", "new.example");
    QTest::newRow("merged clip merged again")
        << original << merged << newEvent << newMap << QByteArrayList{"&&_rpbrowser&&http://new.example/"}
        << QByteArrayList{"http://new.example/"} << 0;
    QTest::newRow("merged again with neither")
        << original << merged << QByteArray("") << QByteArray() << QByteArrayList() << QByteArrayList() << 0;

    // Another writer's event stream, with an index of its own.
    Clip withEvents = clip;
    withEvents.streams.append({2, "Events", "application/x-pn-realevent", QByteArray(8, 'x')});
    withEvents.packets.insert(3, {2, 0, QByteArray(30, 'e')});
    withEvents.packets.insert(10, {2, 800, QByteArray(20, 'f')});
    QTest::newRow("indexed event stream") << original << buildClip(withEvents) << newEvent << QByteArray()
                                          << QByteArrayList{"&&_rpbrowser&&http://new.example/"} << QByteArrayList()
                                          << 1;
}

void RmFormatTest::replacesStreamsOfAnEarlierMerge()
{
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(QByteArrayList, eventTexts);
    QFETCH(QByteArrayList, mapUrls);
    QFETCH(int, indexesRemoved);

    QTemporaryDir folder;
    writeFile(folder.filePath("original.rm"), original);
    const MergeRun run = runMerge(folder, source, events, map);

    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.log.contains("\r\nReplaced the old interactive streams 2 (application/x-pn-realevent)"),
             run.log.constData());
    const ReadClip before = readClip(run.source);
    const ReadClip after = readClip(run.output);
    QVERIFY2(inconsistency(after).isEmpty(), qPrintable(inconsistency(after)));
    const QString lost = packetDifference(readClip(folder.filePath("original.rm")), after);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
    QCOMPARE(after.indexes.size(), before.indexes.size() - indexesRemoved);

    QByteArrayList foundEvents;
    QByteArrayList foundMaps;
    for (const ReadStream &stream : after.streams) {
        for (const ReadPacket &packet : after.packetsOf(stream.number)) {
            if (stream.mimeType == "application/x-pn-realevent")
                foundEvents << packet.payload.mid(14).chopped(1);
            else if (stream.mimeType == "application/x-pn-imagemap")
                foundMaps << packet.payload.mid(48, u16At(packet.payload, 46) - 1);
        }
    }
    QCOMPARE(foundEvents, eventTexts);
    QCOMPARE(foundMaps, mapUrls);
    const auto countOf = [&after](const QByteArray &mimeType) {
        return std::ranges::count(after.streams, mimeType, &ReadStream::mimeType);
    };
    QCOMPARE(countOf("application/x-pn-realevent"), eventTexts.isEmpty() ? 0 : 1);
    QCOMPARE(countOf("application/x-pn-imagemap"), mapUrls.isEmpty() ? 0 : 1);
}

void RmFormatTest::refusesWhatItCannotMerge_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("sourceName");
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QByteArray>("failure");

    const QByteArray notClip = "is not a RealMedia or RealAudio file";
    QTest::newRow("empty file") << QByteArray() << "a.rm" << twoEvents << QByteArray()
                                << QByteArray("Failed: source \"a.rm\" is empty; no output written.");
    QTest::newRow("text") << QByteArray("Hello, world") << "a.rm" << twoEvents << QByteArray()
                          << notClip + " (it begins with 'Hell')";
    QTest::newRow("RealMedia in lower case") << QByteArray(".rmf\0\0\0\x12", 8) << "a.rm" << twoEvents << QByteArray()
                                             << notClip;
    Clip clip = sampleClip();
    clip.indexed = true;
    const QByteArray whole = buildClip(clip);
    QTest::newRow("cut in the header") << whole.left(60) << "a.rm" << twoEvents << QByteArray()
                                       << QByteArray("the source is truncated: ");
    QTest::newRow("cut before the data") << whole.left(whole.indexOf("DATA")) << "a.rm" << twoEvents << QByteArray()
                                         << QByteArray("before its DATA chunk");
    Clip bare = sampleClip();
    QTest::newRow("cut in the packets") << buildClip(bare).chopped(100) << "a.rm" << twoEvents << QByteArray()
                                        << QByteArray("the source is truncated: packet 30 of 30");
    QTest::newRow("cut in the index") << whole.chopped(5) << "a.rm" << twoEvents << QByteArray()
                                      << QByteArray("INDX chunk at offset");
    bare.packets[3].version = 2;
    QTest::newRow("unknown packet version") << buildClip(bare) << "a.rm" << twoEvents << QByteArray()
                                            << QByteArray("packet 4 of 30 (offset ");
    bare = sampleClip();
    const QByteArray plain = buildClip(bare);
    const qsizetype firstPacket = plain.indexOf("DATA") + 18;
    QTest::newRow("packet shorter than its header") << withU16(plain, firstPacket + 2, 5) << "a.rm" << twoEvents
                                                    << QByteArray() << QByteArray("is shorter than its own header");
    QTest::newRow("second DATA chunk") << plain + QByteArray("DATA\0\0\0\x12\0\0\0\0\0\0\0\0\0\0", 18) << "a.rm"
                                       << twoEvents << QByteArray() << QByteArray("second DATA chunk");
    bare.packets[5].stream = 9;
    QTest::newRow("packet of a stream without a header")
        << buildClip(bare) << "a.rm" << twoEvents << QByteArray() << QByteArray("belongs to stream 9");
    QTest::newRow("no PROP chunk") << QByteArray(plain).replace("PROP", "PROQ") << "a.rm" << twoEvents << QByteArray()
                                   << QByteArray("holds 0 PROP chunks");
    const QByteArray longUrl = "u 00:00:01.0 00:00:02.0 &&_rpbrowser&&" + QByteArray(65510, 'x') + "\r\n";
    QTest::newRow("URL too long for a packet") << plain << "a.rm" << longUrl << QByteArray()
                                               << QByteArray("the URL event on line 1 is too long for one packet");

    const QList<QByteArray> texts = {"t", "a", "c", "k"};
    const QByteArray audio(4000, 'z');
    QTest::newRow("RealAudio of version 5") << buildRealAudioClip(5, texts, audio) << "a.ra" << QByteArray("")
                                            << QByteArray() << QByteArray("RealAudio file of version 5");
    QTest::newRow("URL events into RealAudio") << buildRealAudioClip(4, texts, audio) << "a.ra" << twoEvents
                                               << QByteArray() << QByteArray("cannot carry URL events or a click map");
    QTest::newRow("click map into RealAudio") << buildRealAudioClip(3, texts, audio) << "a.ra" << QByteArray("")
                                              << clickMap << QByteArray("cannot carry URL events or a click map");
    QTest::newRow("RealAudio title over 255 bytes")
        << buildRealAudioClip(3, texts, audio) << "a.ra" << "i 00:00:00.0 00:00:10.0 " + QByteArray(300, 'T') + "\r\n"
        << QByteArray() << QByteArray("the title is 300 bytes long; an old RealAudio file holds at most 255");
    QTest::newRow("cut RealAudio header") << buildRealAudioClip(4, texts, audio).left(40) << "a.ra" << QByteArray("")
                                          << QByteArray() << QByteArray("the RealAudio header is damaged");
}

void RmFormatTest::refusesWhatItCannotMerge()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, sourceName);
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(QByteArray, failure);

    QTemporaryDir folder;
    const MergeRun run = runMerge(folder, source, events, map, sourceName);

    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFileInfo::exists(run.output));
    QVERIFY2(isCompleteToolLog(run.log), run.log.constData());
    QVERIFY2(run.log.contains("\r\nFailed: "), run.log.constData());
    QVERIFY2(run.log.contains(failure), run.log.constData());
    QVERIFY2(run.log.contains("; no output written.\r\n***\r\n"), run.log.constData());
    QFile kept(run.source);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(kept.readAll() == source);
}

void RmFormatTest::rewritesRealAudioTexts_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("sourceName");
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QList<QByteArray>>("texts");
    QTest::addColumn<QByteArray>("summary");

    const QByteArray all = "i 00:00:00.0 00:00:10.0 New title\r\n"
                           "c 00:00:00.0 00:00:10.0 New copyright, a good deal longer than before\r\n"
                           "a 00:00:00.0 00:00:10.0 Au\r\n"
                           "q 00:00:00.0 00:00:10.0  About it\r\n";
    const QList<QByteArray> allTexts
        = {"New title", "Au", "New copyright, a good deal longer than before", " About it"};
    QTest::newRow("version 3, every text") << 3 << "a.ra" << all << allTexts
                                           << QByteArray("Merged 0 URL events and 4 clip-information records");
    QTest::newRow("version 4, every text") << 4 << "a.ra" << all << allTexts
                                           << QByteArray("Merged 0 URL events and 4 clip-information records");
    QTest::newRow("version 4 named .rm, title only")
        << 4 << "a.rm" << QByteArray("i 00:00:00.0 00:00:10.0 T\r\n")
        << QList<QByteArray>{"T", "Old author", "Old copyright", "Old comment"}
        << QByteArray("Merged 0 URL events and 1 clip-information record");
    QTest::newRow("version 3, keywords left out")
        << 3 << "a.ra"
        << QByteArray("n 00:00:00.0 00:00:10.0 k\r\nq 00:00:00.0 00:00:10.0 " + QByteArray(255, 'd') + "\r\n")
        << QList<QByteArray>{"Old title", "Old author", "Old copyright", QByteArray(255, 'd')}
        << QByteArray("Keywords left out: an old RealAudio file has no place for them.\r\n"
                      "Merged 0 URL events and 1 clip-information record");
}

void RmFormatTest::rewritesRealAudioTexts()
{
    QFETCH(int, version);
    QFETCH(QString, sourceName);
    QFETCH(QByteArray, events);
    QFETCH(QList<QByteArray>, texts);
    QFETCH(QByteArray, summary);

    QByteArray audio(20000, Qt::Uninitialized);
    for (qsizetype at = 0; at < audio.size(); ++at)
        audio[at] = char(at * 7 + at / 251);
    const QByteArray source
        = buildRealAudioClip(version, {"Old title", "Old author", "Old copyright", "Old comment"}, audio);
    QTemporaryDir folder;
    const MergeRun run = runMerge(folder, source, events, QByteArray(), sourceName);

    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.log.contains("\r\nSource is RealAudio of version " + QByteArray::number(version) + ".\r\n"),
             run.log.constData());
    QVERIFY2(run.log.contains(summary), run.log.constData());
    QFile output(run.output);
    QVERIFY(output.open(QIODevice::ReadOnly));
    const QByteArray merged = output.readAll();
    const RealAudioTexts read = readRealAudioTexts(merged);
    QCOMPARE(read.texts, texts);
    QVERIFY(merged.mid(read.audioOffset) == audio);
    // Only the texts and the header-size field that counts them have changed.
    const qsizetype textsAt = version == 3 ? 22 : 69;
    QCOMPARE(withoutHeaderSize(merged.left(textsAt), version), withoutHeaderSize(source.left(textsAt), version));
    QCOMPARE(qint64(read.headerSize), version == 3 ? read.audioOffset - 8 : read.audioOffset - 16);
}

QTEST_GUILESS_MAIN(RmFormatTest)
#include "tst_rmformat.moc"
