// Reads the merge tool's output back with independent readers, Debian's ffmpeg and ffprobe above
// all: clip information as tags, the added streams with their packets and times, and every audio
// and video frame decoding as it did in the source. MediaInfo and hachoir read the merged clip as
// they read its source.

#include "JsonListingText.h"
#include "MergeToolRun.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class RmFfprobeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mergedClipReadsBack_data();
    void mergedClipReadsBack();
    void mergingAgainReplacesTheInteractiveStreams();
    void otherReadersReadTheMergedClip();
    void fixtureClipReadsBack();
    void refusesBrokenClips_data();
    void refusesBrokenClips();
    void realAudioReadsBack_data();
    void realAudioReadsBack();
    void jsonListingAgreesWithFfprobe_data();
    void jsonListingAgreesWithFfprobe();

private:
    QByteArray ffprobe(const QStringList &arguments);
    // One line per decoded audio and video frame with its checksum.
    QByteArray frameChecksums(const QString &clip, const QString &streams = "0:v?");
    QMap<QString, QByteArray> tags(const QString &clip);
    QString merge(const QString &source, const QByteArray &events, const QByteArray &map, int expectedExit = 0);

    QTemporaryDir m_folder;
    QString m_ffmpeg;
    QString m_ffprobe;
    QString m_clip;
    QString m_mediainfo;
    QString m_hachoir;
};

namespace {

QByteArray runProgram(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        qFatal("%s did not finish normally", qPrintable(program));
    if (exitCode)
        *exitCode = process.exitCode();
    else if (process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

const QByteArray everyRecord = "u 00:00:01.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
                               "u 00:01:00.0 00:01:30.0 &&_rpbrowser&&http://example.com/late\r\n"
                               "u 00:00:00.0 00:00:10.0 &&_rpcontextwin&&http://example.com/c"
                               "?rpcontextheight=250&rpcontextwidth=280\r\n"
                               "i 00:00:00.0 00:00:10.0 The title\r\n"
                               "c 00:00:00.0 00:00:10.0 (c) 2024 Somebody\r\n"
                               "a 00:00:00.0 00:00:10.0 An author\r\n"
                               "n 00:00:00.0 00:00:10.0 clips, tests\r\n"
                               "q 00:00:00.0 00:00:10.0  A description in two lines\r\n";
const QByteArray clickMap = "DURATION=0:0:1:5:0\r\n<MAP START=0:0:0:0:0 END=0:0:1:5:0 COORDS=0,0,1024,768>"
                            "<AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"http://pop.example/\" "
                            "ALT=\"Visit us\"></MAP>\r\n";

using Tags = QMap<QString, QByteArray>;

// The tags ffprobe shows for the four texts of CONT or a RealAudio header; it leaves out empty ones.
Tags informationTags(const QByteArray &title, const QByteArray &author, const QByteArray &copyright,
                     const QByteArray &comment)
{
    Tags tags;
    const QList<std::pair<QString, QByteArray>> texts
        = {{"title", title}, {"author", author}, {"copyright", copyright}, {"comment", comment}};
    for (const auto &[name, text] : texts) {
        if (!text.isEmpty())
            tags.insert(name, text);
    }
    return tags;
}

} // namespace

QByteArray RmFfprobeTest::ffprobe(const QStringList &arguments)
{
    return runProgram(m_ffprobe, QStringList{"-v", "error"} + arguments);
}

QByteArray RmFfprobeTest::frameChecksums(const QString &clip, const QString &streams)
{
    return runProgram(m_ffmpeg, {"-v", "error", "-i", clip, "-map", streams, "-map", "0:a", "-f", "framemd5", "-"});
}

QMap<QString, QByteArray> RmFfprobeTest::tags(const QString &clip)
{
    QMap<QString, QByteArray> found;
    const QByteArray output = ffprobe({"-show_entries", "format_tags", "-of", "default=noprint_wrappers=1", clip});
    for (const QByteArray &line : output.split('\n')) {
        if (line.startsWith("TAG:"))
            found.insert(QString::fromUtf8(line.mid(4, line.indexOf('=') - 4)), line.mid(line.indexOf('=') + 1));
    }
    return found;
}

// Runs the tool on source in its folder; returns the output's path.
QString RmFfprobeTest::merge(const QString &source, const QByteArray &events, const QByteArray &map, int expectedExit)
{
    const QString folder = QFileInfo(source).path();
    writeFile(folder + "/events.txt", events);
    QStringList arguments = {"-i", source, "-o", folder + "/out.rm", "-e", "events.txt", "-l", "log.txt"};
    if (!map.isNull()) {
        writeFile(folder + "/map.txt", map);
        arguments << "-m" << "map.txt";
    }
    const ToolRun run = runMergeTool(folder, arguments);
    const QByteArray log = readFile(folder + "/log.txt");
    if (run.exitCode != expectedExit || !isCompleteToolLog(log))
        qWarning("rmevents exited with %d: %s", run.exitCode, log.constData());
    return run.exitCode == expectedExit ? folder + "/out.rm" : QString();
}

void RmFfprobeTest::initTestCase()
{
    m_ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    m_ffprobe = QStandardPaths::findExecutable("ffprobe");
    if (m_ffmpeg.isEmpty() || m_ffprobe.isEmpty())
        QSKIP("needs ffmpeg and ffprobe (Debian's ffmpeg package, which the build script installs)");
    m_mediainfo = QStandardPaths::findExecutable("mediainfo");
    m_hachoir = QStandardPaths::findExecutable("hachoir-metadata");
    QVERIFY(m_folder.isValid());
    m_clip = m_folder.filePath("clip.rmvb");
    runProgram(m_ffmpeg, {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=176x144:rate=15", "-f", "lavfi", "-i",
                          "sine", "-t", "2", "-c:v", "rv20", "-c:a", "ac3", "-f", "rm", m_clip});
}

void RmFfprobeTest::mergedClipReadsBack_data()
{
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<Tags>("expectedTags");
    QTest::addColumn<QByteArrayList>("eventTimes"); // packet times of the event stream, empty for none

    Tags every = informationTags("The title", "An author", "(c) 2024 Somebody",
                                                      " A description in two lines");
    every.insert("Keywords", "clips, tests");
    every.insert("Description", " A description in two lines");
    // Title, copyright and author are timed events too, beside the URL events.
    QTest::newRow("URL events, click map, every record") << everyRecord << clickMap << every
                                                         << QByteArrayList{"0", "0", "0", "0", "1000", "60000"};
    QTest::newRow("clip information only")
        << QByteArray("i 00:00:00.0 00:00:10.0 Only a title\r\n") << QByteArray()
        << informationTags("Only a title", "", "", "") << QByteArrayList{"0"};
    QTest::newRow("keywords only: no events") << QByteArray("n 00:00:00.0 00:00:10.0 some, words\r\n")
                                              << QByteArray() << Tags{{"Keywords", "some, words"}}
                                              << QByteArrayList();
    QTest::newRow("one URL event only") << QByteArray("u 00:00:01.0 00:00:02.0 &&_rpbrowser&&http://a/\r\n")
                                        << QByteArray() << informationTags("", "", "", "") << QByteArrayList{"1000"};
}

void RmFfprobeTest::mergedClipReadsBack()
{
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(Tags, expectedTags);
    QFETCH(QByteArrayList, eventTimes);

    QTemporaryDir folder;
    const QString source = folder.filePath("clip.rmvb");
    QVERIFY(QFile::copy(m_clip, source));
    const QString output = merge(source, events, map);
    QVERIFY(!output.isEmpty());

    QCOMPARE(tags(output), expectedTags);

    QByteArrayList expectedTypes = {"video", "audio"};
    if (!eventTimes.isEmpty())
        expectedTypes << "data";
    if (!map.isNull())
        expectedTypes << "data";
    const QByteArray types = ffprobe({"-show_entries", "stream=codec_type", "-of", "csv=p=0", output});
    QCOMPARE(types.trimmed().split('\n'), expectedTypes);

    // The added streams' packets: the events at their start times, the map at the start.
    const QByteArray packets = ffprobe({"-show_entries", "packet=stream_index,pts,flags", "-of", "csv=p=0", output});
    QByteArrayList eventPackets;
    QByteArrayList mapPackets;
    for (const QByteArray &line : packets.trimmed().split('\n')) {
        const QByteArrayList fields = line.split(',');
        if (fields[0] == "2" && !eventTimes.isEmpty())
            eventPackets << fields[1] + "," + fields[2];
        else if (fields[0] == (eventTimes.isEmpty() ? "2" : "3"))
            mapPackets << fields[1] + "," + fields[2];
    }
    QByteArrayList expectedEventPackets;
    for (const QByteArray &time : eventTimes)
        expectedEventPackets << time + ",K_";
    QCOMPARE(eventPackets, expectedEventPackets);
    QCOMPARE(mapPackets, map.isNull() ? QByteArrayList() : QByteArrayList{"0,K_"});

    // Every packet of the source's streams unchanged, and every frame decoding as before.
    const QStringList hashed = {"-show_data_hash", "MD5", "-show_entries",
                                "packet=stream_index,pts,dts,flags,size,data_hash", "-select_streams", "v", "-of",
                                "csv=p=0"};
    QCOMPARE(ffprobe(hashed + QStringList{output}), ffprobe(hashed + QStringList{source}));
    QStringList audioHashed = hashed;
    audioHashed[5] = "a";
    QCOMPARE(ffprobe(audioHashed + QStringList{output}), ffprobe(audioHashed + QStringList{source}));
    const QByteArray sourceFrames = frameChecksums(source);
    QVERIFY(sourceFrames.count("\n0,") >= 30 && sourceFrames.count("\n1,") >= 30);
    QCOMPARE(frameChecksums(output), sourceFrames);
}

void RmFfprobeTest::mergingAgainReplacesTheInteractiveStreams()
{
    QTemporaryDir folder;
    const QString source = folder.filePath("clip.rmvb");
    QVERIFY(QFile::copy(m_clip, source));
    const QString first = merge(source, everyRecord, clickMap);
    QVERIFY(!first.isEmpty());
    const QString merged = folder.filePath("merged.rm");
    QVERIFY(QFile::rename(first, merged));

    const QString output = merge(merged, "u 00:00:03.0 00:00:04.0 &&_rpbrowser&&http://new.example/\r\n",
                                 QByteArray(clickMap).replace("pop.example", "new.example"));
    QVERIFY(!output.isEmpty());
    QVERIFY2(readFile(folder.filePath("log.txt")).contains("\r\nReplaced the old interactive streams "),
             readFile(folder.filePath("log.txt")).constData());

    // One set of streams, the new one.
    const QByteArray types = ffprobe({"-show_entries", "stream=codec_type", "-of", "csv=p=0", output});
    QCOMPARE(types.trimmed().split('\n'), (QByteArrayList{"video", "audio", "data", "data"}));
    const ToolRun listing = runMergeTool(folder.path(), {"--list", output});
    QCOMPARE(listing.exitCode, 0);
    QByteArrayList interactive;
    for (const QByteArray &line : listing.standardOutput.split('\n')) {
        if (line.startsWith("Event ") || line.startsWith("Region "))
            interactive << line.mid(line.indexOf(':') + 2);
    }
    QCOMPARE(interactive, (QByteArrayList{"rectangle 0,0,1024,768 from 0:00:00.000 to 0:01:05.000, open in a browser, "
                                          "URL \"http://new.example/\", status \"Visit us\"",
                                          "URL from 00:00:03.0 to 00:00:04.0: &&_rpbrowser&&http://new.example/"}));

    // The clip information of the first merge stays, and every frame decodes as in the source.
    QCOMPARE(tags(output), tags(merged));
    QCOMPARE(frameChecksums(output), frameChecksums(source));
}

void RmFfprobeTest::otherReadersReadTheMergedClip()
{
    if (m_mediainfo.isEmpty() || m_hachoir.isEmpty())
        QSKIP("needs mediainfo and hachoir-metadata (Debian's mediainfo and hachoir packages, which the build "
              "script installs)");
    QTemporaryDir folder;
    const QString source = folder.filePath("clip.rmvb");
    QVERIFY(QFile::copy(m_clip, source));
    const QString output = merge(source, everyRecord, clickMap);
    QVERIFY(!output.isEmpty());

    // No complaint about the merged clip that the source does not get as well.
    const auto complaints = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            qFatal("%s did not finish normally", qPrintable(program));
        return QByteArray::number(process.exitCode()) + " " + process.readAllStandardError();
    };
    QCOMPARE(complaints(m_mediainfo, {output}), complaints(m_mediainfo, {source}));
    QCOMPARE(complaints(m_hachoir, {output}), complaints(m_hachoir, {source}));

    // MediaInfo: the clip information, and the audio and video as in the source.
    QCOMPARE(runProgram(m_mediainfo, {"--Inform=General;%Title%|%Performer%|%Copyright%", output}).trimmed(),
             QByteArray("The title|An author|(c) 2024 Somebody"));
    for (const char *section : {"Video;%Format%|%Width%|%Height%|%FrameRate%|%Duration%",
                                   "Audio;%Format%|%Channels%|%SamplingRate%|%Duration%"})
        QCOMPARE(runProgram(m_mediainfo, {"--Inform=" + QString(section), output}),
                 runProgram(m_mediainfo, {"--Inform=" + QString(section), source}));

    // hachoir: the clip information and both added streams by their types.
    const QByteArray metadata = runProgram(m_hachoir, {output});
    for (const char *line : {"- Title: The title", "- Author: An author", "- Copyright: (c) 2024 Somebody",
                                   "- MIME type: application/x-pn-realevent", "- MIME type: application/x-pn-imagemap"})
        QVERIFY2(metadata.contains(line), metadata.constData());
}

void RmFfprobeTest::fixtureClipReadsBack()
{
    QTemporaryDir folder;
    const QString source = folder.filePath("synthetic.rm");
    writeRealMediaClip(source, 300000);
    const RealMediaTest::ReadClip clip = RealMediaTest::readClip(source);
    QVERIFY(clip.error.isEmpty());

    // ffprobe walks the packets on its own and agrees with the fixture's reader.
    QByteArrayList expected;
    for (const RealMediaTest::ReadPacket &packet : clip.packets)
        expected << QByteArray::number(packet.timestamp) + "," + QByteArray::number(packet.payload.size());
    const QByteArray packets = ffprobe({"-show_entries", "packet=pts,size", "-of", "csv=p=0", source});
    QCOMPARE(packets.trimmed().split('\n'), expected);

    const QString output = merge(source, everyRecord, clickMap);
    QVERIFY(!output.isEmpty());
    const QByteArray merged = ffprobe({"-show_entries", "packet=stream_index,pts,size", "-of", "csv=p=0", output});
    QByteArrayList kept;
    for (const QByteArray &line : merged.trimmed().split('\n')) {
        if (line.startsWith("0,"))
            kept << line.mid(2);
    }
    QCOMPARE(kept, expected);
    QCOMPARE(merged.count("\n1,") + merged.startsWith("1,"), 6);
    QCOMPARE(merged.count("\n2,"), 1);
}

void RmFfprobeTest::refusesBrokenClips_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("failure");

    QTest::newRow("truncated RealMedia clip") << "truncated" << QByteArray("Failed: the source is truncated: packet ");
    QTest::newRow("WAV file named .rm") << "wav"
                                        << QByteArray("is not a RealMedia or RealAudio file (it begins with 'RIFF')");
    QTest::newRow("RealAudio of version 5") << "ra5" << QByteArray("RealAudio file of version 5");
}

void RmFfprobeTest::refusesBrokenClips()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, failure);

    QTemporaryDir folder;
    const QString source = folder.filePath("broken.rm");
    if (kind == "truncated") {
        const QByteArray clip = readFile(m_clip);
        writeFile(source, clip.left(clip.size() / 2));
    } else if (kind == "wav") {
        runProgram(m_ffmpeg, {"-v", "error", "-f", "lavfi", "-i", "sine", "-t", "0.5", "-f", "wav", source});
    } else {
        writeFile(source, RealMediaTest::buildRealAudioClip(5, {"t", "a", "c", "k"}, QByteArray(2000, 'x')));
    }
    const QByteArray before = readFile(source);

    QVERIFY(merge(source, everyRecord, QByteArray(), 1).endsWith("out.rm"));

    QVERIFY(!QFileInfo::exists(folder.filePath("out.rm")));
    const QByteArray log = readFile(folder.filePath("log.txt"));
    QVERIFY2(log.contains(failure), log.constData());
    QVERIFY2(log.endsWith("; no output written.\r\n***\r\n"), log.constData());
    QCOMPARE(readFile(source), before);
}

void RmFfprobeTest::realAudioReadsBack_data()
{
    QTest::addColumn<int>("version");

    QTest::newRow("version 3, VSELP") << 3;
    QTest::newRow("version 4, AC-3") << 4;
}

void RmFfprobeTest::realAudioReadsBack()
{
    QFETCH(int, version);

    // Version 3 decodes any 20-byte frames; version 4 takes the AC-3 frames of the test clip.
    QByteArray audio;
    if (version == 3) {
        audio.resize(20 * 400);
        for (qsizetype at = 0; at < audio.size(); ++at)
            audio[at] = char(at * 37 + at / 7);
    } else {
        for (const RealMediaTest::ReadPacket &packet : RealMediaTest::readClip(m_clip).packetsOf(1))
            audio += packet.payload;
    }
    QTemporaryDir folder;
    const QString source = folder.filePath("old.ra");
    const QList<QByteArray> oldTexts = {"Old title", "Old author", "Old (c)", "Old comment"};
    writeFile(source, RealMediaTest::buildRealAudioClip(version, oldTexts, audio));
    QCOMPARE(tags(source), informationTags("Old title", "Old author", "Old (c)", "Old comment"));

    const QString output = merge(source,
                                 "i 00:00:00.0 00:00:10.0 New title\r\n"
                                 "q 00:00:00.0 00:00:10.0  A longer comment than the old one\r\n",
                                 QByteArray());
    QVERIFY(!output.isEmpty());

    QCOMPARE(tags(output), informationTags("New title", "Old author", "Old (c)", " A longer comment than the old one"));
    const QByteArray sourceFrames = frameChecksums(source, "0:a");
    QVERIFY(sourceFrames.count("\n0,") >= 10);
    QCOMPARE(runProgram(m_ffmpeg, {"-v", "error", "-i", output, "-map", "0:a", "-f", "framemd5", "-"}),
             runProgram(m_ffmpeg, {"-v", "error", "-i", source, "-map", "0:a", "-f", "framemd5", "-"}));
}


void RmFfprobeTest::jsonListingAgreesWithFfprobe_data()
{
    QTest::addColumn<bool>("merged");

    QTest::newRow("as ffmpeg wrote it") << false;
    QTest::newRow("merged") << true;
}

// A clip ffmpeg wrote, with ffmpeg's own clip information: the JSON listing says what the text
// listing says, and its clip information is what ffprobe shows as tags.
void RmFfprobeTest::jsonListingAgreesWithFfprobe()
{
    QFETCH(bool, merged);

    QTemporaryDir folder;
    QString clip = folder.filePath("tagged.rm");
    runProgram(m_ffmpeg, {"-v", "error", "-i", m_clip, "-c", "copy", "-metadata", "title=片段 clip", "-metadata",
                          "author=Somebody", "-metadata", "comment=A \"quoted\" comment", "-f", "rm", clip});
    if (merged)
        clip = merge(clip, everyRecord, clickMap);
    QVERIFY(!clip.isEmpty());
    const ToolRun text = runMergeTool(folder.path(), {"--list", clip});
    const ToolRun json = runMergeTool(folder.path(), {"--list", "--json", clip});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(json.exitCode, 0);

    QString problem;
    const QByteArray jsonAsText = textListingFromJson(json.standardOutput, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(jsonAsText, eventsBeforeImageMaps(text.standardOutput));

    const QJsonObject listing = QJsonDocument::fromJson(json.standardOutput).object();
    Tags listed;
    for (const QJsonValue information : listing["information"].toArray())
        listed.insert(information["field"].toString(), listedText(information["text"]));
    for (const QJsonValue stream : listing["streams"].toArray()) {
        for (const QJsonValue information : stream["fileInformation"].toArray())
            listed.insert(QString::fromUtf8(listedText(information["name"])), listedText(information["text"]));
    }
    QCOMPARE(listed, tags(clip));
}

QTEST_GUILESS_MAIN(RmFfprobeTest)
#include "tst_rmffprobe.moc"
