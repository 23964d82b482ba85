// Runs the bundled merge tool as Clipvane does: a separate process given an argument list, with
// real files in a temporary folder. The RealMedia format itself is tested in tst_rmformat.

#include "JsonListingText.h"
#include "MergeToolRun.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

class RmEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void mergesValidScripts_data();
    void mergesValidScripts();
    void reportsScriptProblems_data();
    void reportsScriptProblems();
    void reportsEveryProblemOfBothScripts();
    void listsTheFirstHundredProblems();
    void reportsUnreadableScripts_data();
    void reportsUnreadableScripts();
    void refusesScriptsThatAreNoPlainFiles_data();
    void refusesScriptsThatAreNoPlainFiles();
    void refusesALogThatIsAPipe();
    void leavesAnOutputItDidNotWriteAlone();
    void refusesUnusableFiles_data();
    void refusesUnusableFiles();
    void refusesToOverwriteItsInputs_data();
    void refusesToOverwriteItsInputs();
    void acceptsAnyFileNames_data();
    void acceptsAnyFileNames();
    void rejectsBadCommandLines_data();
    void rejectsBadCommandLines();
    void refusesALogThatWouldBeTheOutput();
    void removesOutputOfFailedMerge_data();
    void removesOutputOfFailedMerge();
    void mergesSourceOver4GiBGrowingTheOutput();
    void listsWhatAMergeWrote_data();
    void listsWhatAMergeWrote();
    void listsRealAudioTexts();
    void listingRefusesWhatItCannotRead_data();
    void listingRefusesWhatItCannotRead();
    void listsAsJsonWhatItListsAsText_data();
    void listsAsJsonWhatItListsAsText();
    void jsonKeepsTextsOfAnyCharacterSet_data();
    void jsonKeepsTextsOfAnyCharacterSet();
};

namespace {

const QByteArray everyRecord = "i 00:00:00.0 00:00:00.0 A title\r\n"
                               "c 00:00:00.0 00:00:00.0 (c) 2024 Somebody\r\n"
                               "a 00:00:00.0 00:00:00.0 An author\r\n"
                               "n 00:00:00.0 00:00:00.0 clip, test\r\n"
                               "q 00:00:00.0 00:00:00.0 A description\r\n"
                               "u 00:00:01.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
                               "u 00:01:00.0 00:02:00.0 &&_rpbrowser&&http://example.com/b?x=1&y=2\r\n"
                               "u 60:60:60.0 60:60:60.0 &&_rpcontextwin&&http://example.com/c\r\n";

const QByteArray oneEvent = "u 00:00:01.0 00:00:02.0 &&_rpbrowser&&http://example.com/\r\n";

QByteArray mapLine(const QByteArray &end, const QByteArray &url, const QByteArray &alt)
{
    return "<MAP START=0:0:0:0:0 END=" + end
        + " COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"" + url + "\" ALT=\""
        + alt + "\"></MAP>";
}

const QByteArray validMap = "DURATION=0:0:1:5:0\r\n" + mapLine("0:0:1:5:0", "http://example.com/", "Visit us")
    + "\r\n";

// More than one of the tool's read windows.
constexpr qint64 clipSize = 5 * 1024 * 1024 + 3;

// Empty when merged is a RealMedia file holding every packet of source unchanged.
QString mergeDifference(const QString &source, const QString &merged)
{
    const RealMediaTest::ReadClip read = RealMediaTest::readClip(merged);
    return read.error.isEmpty() ? RealMediaTest::packetDifference(RealMediaTest::readClip(source), read)
                                : "output: " + read.error;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

QStringList folderContents(const QString &folder)
{
    return sorted(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

// A temporary working folder holding a RealMedia clip a.rm and the scripts events.txt and map.txt.
class Workspace
{
public:
    explicit Workspace(const QByteArray &events = oneEvent, const QByteArray &map = validMap)
    {
        if (!folder.isValid())
            qFatal("cannot create a temporary folder");
        writeRealMediaClip(path("a.rm"), clipSize);
        source = readFile(path("a.rm"));
        writeFile(path("events.txt"), events);
        writeFile(path("map.txt"), map);
    }

    QString path(const QString &name) const { return folder.filePath(name); }
    ToolRun run(const QStringList &arguments) const { return runMergeTool(folder.path(), arguments); }
    QByteArray log() const { return readFile(path("log.txt")); }

    QTemporaryDir folder;
    QByteArray source;
};

const QStringList mergeWithMap = {"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-m", "map.txt",
                                  "-l", "log.txt"};
const QStringList mergeWithoutMap = {"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", "log.txt"};

// Payloads of the event and image-map streams, field by field as a player reads them, for what
// the merge itself never writes: each text after its length, which counts a closing NUL.
QByteArray eventPayload(quint16 sequence, quint32 startTenths, quint32 stopTenths, quint16 type,
                        const QByteArray &text)
{
    QByteArray payload;
    QDataStream(&payload, QIODevice::WriteOnly) << sequence << startTenths << stopTenths
                                                << quint16(text.size() + 3) << type;
    return payload + text + '\0';
}

// A map of one circle, with an empty URL, that seeks the player to 0:00:45.678.
QByteArray seekingMapPayload(const QByteArray &status)
{
    QByteArray payload;
    QDataStream fields(&payload, QIODevice::WriteOnly);
    fields << quint16(7) << quint16(1) << quint32(500) << quint32(90000) << quint16(0) << quint16(0) << quint16(320)
           << quint16(240);
    fields << quint32(1000) << quint32(2000) << quint16(2) << quint16(3) << quint16(160) << quint16(120)
           << quint16(50) << quint16(3) << quint32(45678) << quint16(1);
    return payload + QByteArray(1, '\0') + char((status.size() + 1) >> 8) + char(status.size() + 1) + status + '\0';
}

} // namespace

void RmEventsTest::mergesValidScripts_data()
{
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QString>("summary");

    QTest::newRow("every record and a click map")
        << everyRecord << validMap << "Merged 3 URL events, 5 clip-information records and a click map";
    QTest::newRow("no click map") << everyRecord << QByteArray()
                                  << "Merged 3 URL events and 5 clip-information records";
    QTest::newRow("empty event script") << QByteArray("") << validMap
                                        << "Merged 0 URL events, 0 clip-information records and a click map";
    QTest::newRow("bare line feeds, no line end at the end")
        << QByteArray("u 00:00:01.0 00:00:02.0 &&_rpbrowser&&http://a\n"
                      "i 00:00:00.0 00:00:00.0 Title")
        << QByteArray("DURATION=0:0:1:5:0\n" + mapLine("0:0:1:5:0", "http://a", "b"))
        << "Merged 1 URL event, 1 clip-information record and a click map";
    QTest::newRow("free text, empty and 8-bit values")
        << QByteArray("u 00:00:01.0 00:00:02.0 &&_rpexternal&&\r\n"
                      "i 00:00:00.0 00:00:00.0 \r\n"
                      "q 00:00:00.0 00:00:00.0  leading blank, \"quotes\", \xe9\xff and a lone \r inside\r\n"
                      "u 00:00:01.0 00:00:02.0 &&_rpcontextwin&&&&_rpbrowser&& \" ALT=\"\r\n")
        << QByteArray("DURATION=0:000:01:05:0\r\n"
                      + mapLine("0:000:01:05:0", "http://a/?q=\" ALT=\"", "\xe9 \"></MAP> end") + "\r\n")
        << "Merged 2 URL events, 2 clip-information records and a click map";
    QTest::newRow("byte-order marks before both scripts")
        << "\xEF\xBB\xBF" + oneEvent << "\xEF\xBB\xBF" + validMap
        << "Merged 1 URL event, 0 clip-information records and a click map";
}

void RmEventsTest::mergesValidScripts()
{
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(QString, summary);

    Workspace workspace(events, map);
    const ToolRun run = workspace.run(map.isNull() ? mergeWithoutMap : mergeWithMap);

    QCOMPARE(run.exitCode, 0);
    const QString difference = mergeDifference(workspace.path("a.rm"), workspace.path("out.rm"));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QVERIFY(readFile(workspace.path("a.rm")) == workspace.source);
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY(log.startsWith("Source \"a.rm\", output \"out.rm\".\r\n"));
    const QString bytes = QString(" into \"out.rm\" (%1 bytes).").arg(QFileInfo(workspace.path("out.rm")).size());
    QVERIFY2(log.contains("\r\n" + (summary + bytes).toUtf8() + "\r\n"), log.constData());
}

void RmEventsTest::reportsScriptProblems_data()
{
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QByteArray>("problem");

    QTest::newRow("byte-order mark after the start")
        << oneEvent + "\xEF\xBB\xBF" + oneEvent << validMap
        << QByteArray("events.txt:2: unknown record letter '\\xEF'");
    QTest::newRow("two byte-order marks")
        << "\xEF\xBB\xBF\xEF\xBB\xBF" + oneEvent << validMap
        << QByteArray("events.txt:1: unknown record letter '\\xEF'");
    QTest::newRow("byte-order mark after the start of the map")
        << oneEvent << " \xEF\xBB\xBF" + validMap
        << QByteArray("map.txt:1: expected the line to begin with 'DURATION='");
    QTest::newRow("unknown record letter")
        << oneEvent + "x 00:00:01.0 00:00:02.0 text\r\n" << validMap
        << QByteArray("events.txt:2: unknown record letter 'x'");
    QTest::newRow("hours over 60")
        << QByteArray("u 61:00:00.0 00:00:02.0 &&_rpbrowser&&http://a\r\n") << validMap
        << QByteArray("events.txt:1: bad start time '61:00:00.0'");
    QTest::newRow("seconds over 60 in the end time")
        << oneEvent + oneEvent + "u 00:00:01.0 00:00:61.0 &&_rpbrowser&&http://a\r\n" << validMap
        << QByteArray("events.txt:3: bad end time '00:00:61.0'");
    QTest::newRow("time without leading zeros")
        << QByteArray("u 1:2:3 00:00:02.0 &&_rpbrowser&&http://a\r\n") << validMap
        << QByteArray("events.txt:1: bad start time '1:2:3'");
    QTest::newRow("time without tenths")
        << QByteArray("i 00:00:00 00:00:00.0 Title\r\n") << validMap
        << QByteArray("events.txt:1: bad start time '00:00:00'");
    QTest::newRow("URL without target marker")
        << oneEvent + "u 00:00:01.0 00:00:02.0 http://a\r\n" << validMap
        << QByteArray("events.txt:2: expected a blank and a target marker");
    QTest::newRow("unknown target marker")
        << QByteArray("u 00:00:01.0 00:00:02.0 &&_rpwindow&&http://a\r\n") << validMap
        << QByteArray("events.txt:1: expected a blank and a target marker");
    QTest::newRow("information without its text")
        << QByteArray("a 00:00:00.0 00:00:00.0\r\n") << validMap
        << QByteArray("events.txt:1: expected a blank and the text after the end time");
    QTest::newRow("repeated information letter")
        << "c 00:00:00.0 00:00:00.0 one\r\n" + oneEvent + "c 00:00:00.0 00:00:00.0 two\r\n" << validMap
        << QByteArray("events.txt:3: repeated 'c' (copyright) record; the first is on line 1");
    QTest::newRow("blank line") << oneEvent + "\r\n" + oneEvent << validMap
                                << QByteArray("events.txt:2: blank line");
    QTest::newRow("map with mismatched duration")
        << oneEvent << "DURATION=0:0:1:5:0\r\n" + mapLine("0:0:1:6:0", "http://a", "b") + "\r\n"
        << QByteArray("map.txt:2: END=0:0:1:6:0 differs from DURATION=0:0:1:5:0");
    QTest::newRow("map with a signed duration")
        << oneEvent << "DURATION=0:0:-1:5:0\r\n" + mapLine("0:0:1:5:0", "http://a", "b") + "\r\n"
        << QByteArray("map.txt:1: bad duration '0:0:-1:5:0'");
    QTest::newRow("map duration with a part missing")
        << oneEvent << "DURATION=0:1:5:0\r\n" + mapLine("0:0:1:5:0", "http://a", "b") + "\r\n"
        << QByteArray("map.txt:1: bad duration '0:1:5:0'");
    QTest::newRow("map without ALT")
        << oneEvent
        << QByteArray("DURATION=0:0:1:5:0\r\n<MAP START=0:0:0:0:0 END=0:0:1:5:0 COORDS=0,0,1024,768>"
                      "<AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"http://a\"></MAP>\r\n")
        << QByteArray("map.txt:2: missing '\" ALT=\"' after the URL");
    QTest::newRow("map without its end")
        << oneEvent << "DURATION=0:0:1:5:0\r\n" + mapLine("0:0:1:5:0", "http://a", "b").chopped(1) + "\r\n"
        << QByteArray("map.txt:2: expected the line to end with '\"></MAP>'");
    QTest::newRow("map with one line") << oneEvent << QByteArray("DURATION=0:0:1:5:0\r\n")
                                       << QByteArray("map.txt:2: missing the <MAP> line");
    QTest::newRow("map with three lines") << oneEvent << validMap + "\r\n"
                                          << QByteArray("map.txt:3: unexpected line");
    QTest::newRow("empty map") << oneEvent << QByteArray("")
                               << QByteArray("map.txt:1: empty click map");
}

void RmEventsTest::reportsScriptProblems()
{
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(QByteArray, problem);

    Workspace workspace(events, map);
    const ToolRun run = workspace.run(mergeWithMap);

    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFileInfo::exists(workspace.path("out.rm")));
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains("\r\n" + problem), log.constData());
    QVERIFY(log.contains("\r\nFailed: 1 problem in the scripts; no output written.\r\n"));
}

void RmEventsTest::reportsEveryProblemOfBothScripts()
{
    Workspace workspace("x 00:00:01.0 00:00:02.0 text\r\n" + oneEvent + "\r\n",
                        "DURATION=0:0:1:5:0\r\n" + mapLine("0:0:1:6:0", "http://a", "b"));
    const ToolRun run = workspace.run(mergeWithMap);

    QCOMPARE(run.exitCode, 1);
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains("\r\nevents.txt:1: unknown record letter 'x'\r\n"
                          "events.txt:3: blank line\r\n"
                          "map.txt:2: END=0:0:1:6:0 differs from DURATION=0:0:1:5:0\r\n"
                          "Failed: 3 problems in the scripts; no output written.\r\n"),
             log.constData());
}

void RmEventsTest::listsTheFirstHundredProblems()
{
    Workspace workspace(oneEvent + QByteArray(150, '\n'));
    const ToolRun run = workspace.run(mergeWithMap);

    QCOMPARE(run.exitCode, 1);
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QCOMPARE(log.count(": blank line\r\n"), 100);
    QVERIFY2(log.contains("\r\nevents.txt:101: blank line\r\n"
                          "events.txt: 50 more problems not listed\r\n"
                          "Failed: 150 problems in the scripts; no output written.\r\n"),
             log.constData());
}

void RmEventsTest::reportsUnreadableScripts_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("folderToMake");
    QTest::addColumn<QByteArray>("problem");

    QTest::newRow("missing event script") << "missing.txt" << "map.txt" << QString()
                                          << QByteArray("cannot read event script \"missing.txt\": ");
    QTest::newRow("event script is a folder") << "scripts" << "map.txt" << "scripts"
                                              << QByteArray("cannot read event script \"scripts\": it is a folder");
    QTest::newRow("missing click map") << "events.txt" << "missing.txt" << QString()
                                       << QByteArray("cannot read click map \"missing.txt\": ");
}

void RmEventsTest::reportsUnreadableScripts()
{
    QFETCH(QString, events);
    QFETCH(QString, map);
    QFETCH(QString, folderToMake);
    QFETCH(QByteArray, problem);

    Workspace workspace;
    if (!folderToMake.isEmpty())
        QVERIFY(QDir(workspace.folder.path()).mkdir(folderToMake));
    const ToolRun run = workspace.run({"-i", "a.rm", "-o", "out.rm", "-e", events, "-m", map, "-l", "log.txt"});

    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFileInfo::exists(workspace.path("out.rm")));
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains("\r\n" + problem), log.constData());
    QVERIFY(log.contains("\r\nFailed: 1 problem in the scripts; no output written.\r\n"));
}

void RmEventsTest::refusesScriptsThatAreNoPlainFiles_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("special"); // what the script named "special" is made
    QTest::addColumn<QByteArray>("problem");

    const QByteArray notRegular = "\": it is not a regular file";
    const QByteArray tooLarge = "\": it is 67108865 bytes long, more than the 64 MiB a script may have";
#ifdef Q_OS_UNIX
    QTest::newRow("event script is an endless device")
        << "/dev/zero" << "map.txt" << QString() << "cannot read event script \"/dev/zero" + notRegular;
    QTest::newRow("click map is an endless device")
        << "events.txt" << "/dev/zero" << QString() << "cannot read click map \"/dev/zero" + notRegular;
    QTest::newRow("event script is a pipe nobody writes to")
        << "special" << "map.txt" << "pipe" << "cannot read event script \"special" + notRegular;
    QTest::newRow("click map is a pipe nobody writes to")
        << "events.txt" << "special" << "pipe" << "cannot read click map \"special" + notRegular;
#endif
    QTest::newRow("click map is a folder")
        << "events.txt" << "special" << "folder" << QByteArray("cannot read click map \"special\": it is a folder");
    QTest::newRow("event script over 64 MiB")
        << "special" << "map.txt" << "sparse" << "cannot read event script \"special" + tooLarge;
    QTest::newRow("click map over 64 MiB")
        << "events.txt" << "special" << "sparse" << "cannot read click map \"special" + tooLarge;
}

void RmEventsTest::refusesScriptsThatAreNoPlainFiles()
{
    QFETCH(QString, events);
    QFETCH(QString, map);
    QFETCH(QString, special);
    QFETCH(QByteArray, problem);

    Workspace workspace;
    const QString path = workspace.path("special");
    if (special == "folder") {
        QVERIFY(QDir(workspace.folder.path()).mkdir("special"));
    } else if (special == "sparse") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize((qint64(64) << 20) + 1));
    } else if (special == "pipe") {
#ifdef Q_OS_UNIX
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    }
    QProcess process;
    process.setWorkingDirectory(workspace.folder.path());
    process.start(QStringLiteral(RMEVENTS_PATH),
                  {"-i", "a.rm", "-o", "out.rm", "-e", events, "-m", map, "-l", "log.txt"});
    // Reading a pipe would wait for a writer for ever.
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        QFAIL("the tool did not finish within ten seconds");
    }

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(!QFileInfo::exists(workspace.path("out.rm")));
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains("\r\n" + problem + "\r\n"), log.constData());
    QVERIFY(log.contains("\r\nFailed: 1 problem in the scripts; no output written.\r\n"));
}

void RmEventsTest::refusesALogThatIsAPipe()
{
#ifdef Q_OS_UNIX
    Workspace workspace;
    QCOMPARE(mkfifo(QFile::encodeName(workspace.path("log.txt")).constData(), 0600), 0);
    QProcess process;
    process.setWorkingDirectory(workspace.folder.path());
    process.start(QStringLiteral(RMEVENTS_PATH), mergeWithMap);
    // Opening a pipe for writing would wait for a reader for ever.
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        QFAIL("the tool did not finish within ten seconds");
    }
    QCOMPARE(process.exitCode(), 2);
    const QByteArray errors = process.readAllStandardError();
    QVERIFY2(errors.contains("rmevents: log \"log.txt\" is not a regular file\n"), errors.constData());
    QVERIFY(!QFileInfo::exists(workspace.path("out.rm")));
#else
    QSKIP("needs named pipes");
#endif
}

void RmEventsTest::leavesAnOutputItDidNotWriteAlone()
{
    Workspace workspace("x\r\n");
    writeFile(workspace.path("out.rm"), "an earlier clip");

    QCOMPARE(workspace.run(mergeWithMap).exitCode, 1);
    QCOMPARE(readFile(workspace.path("out.rm")), QByteArray("an earlier clip"));
}

void RmEventsTest::refusesUnusableFiles_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("folderToMake");
    QTest::addColumn<QByteArray>("failure");

    QTest::newRow("missing source") << "missing.rm" << "out.rm" << QString()
                                    << QByteArray("Failed: source \"missing.rm\" does not exist.");
    QTest::newRow("source is a folder") << "clips" << "out.rm" << "clips"
                                        << QByteArray("Failed: source \"clips\" is a folder, not a clip.");
    QTest::newRow("output is a folder") << "a.rm" << "merged" << "merged"
                                        << QByteArray("Failed: output \"merged\" is a folder.");
    const QString device = QProcess::nullDevice();
    QTest::newRow("source is a device") << device << "out.rm" << QString()
                                        << "Failed: source \"" + device.toUtf8() + "\" is not a regular file.";
    QTest::newRow("output is a device") << "a.rm" << device << QString()
                                        << "Failed: output \"" + device.toUtf8() + "\" is not a regular file.";
    QTest::newRow("output in a missing folder") << "a.rm" << "nowhere/out.rm" << QString()
                                                << QByteArray("Failed: cannot create output \"nowhere/out.rm\"");
}

void RmEventsTest::refusesUnusableFiles()
{
    QFETCH(QString, source);
    QFETCH(QString, output);
    QFETCH(QString, folderToMake);
    QFETCH(QByteArray, failure);

    Workspace workspace;
    if (!folderToMake.isEmpty())
        QVERIFY(QDir(workspace.folder.path()).mkdir(folderToMake));
    const QStringList before = folderContents(workspace.folder.path());

    const ToolRun run = workspace.run({"-i", source, "-o", output, "-e", "events.txt", "-l", "log.txt"});

    QCOMPARE(run.exitCode, 1);
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains("\r\n" + failure), log.constData());
    QCOMPARE(folderContents(workspace.folder.path()), sorted(before + QStringList{"log.txt"}));
    QVERIFY(readFile(workspace.path("a.rm")) == workspace.source);
}

void RmEventsTest::refusesToOverwriteItsInputs_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("absolute");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("failure");

    QTest::newRow("same name") << "a.rm" << false << "a.rm" << QByteArray("output \"a.rm\" is the source itself.");
    QTest::newRow("dot folder") << "./a.rm" << false << "a.rm" << QByteArray("output \"./a.rm\" is the source itself.");
    QTest::newRow("parent step") << "sub/../a.rm" << false << "a.rm"
                                 << QByteArray("output \"sub/../a.rm\" is the source itself.");
    QTest::newRow("absolute path") << "a.rm" << true << "a.rm" << QByteArray("is the source itself.");
    QTest::newRow("symbolic link") << "link.rm" << false << "a.rm"
                                   << QByteArray("output \"link.rm\" is the source itself.");
    QTest::newRow("event script") << "events.txt" << false << "events.txt"
                                  << QByteArray("output \"events.txt\" is the event script.");
    QTest::newRow("click map") << "./map.txt" << false << "map.txt"
                               << QByteArray("output \"./map.txt\" is the click map.");
}

void RmEventsTest::refusesToOverwriteItsInputs()
{
    QFETCH(QString, output);
    QFETCH(bool, absolute);
    QFETCH(QString, input);
    QFETCH(QByteArray, failure);

    Workspace workspace;
    QVERIFY(QDir(workspace.folder.path()).mkdir("sub"));
    QVERIFY(QFile::link("a.rm", workspace.path("link.rm")));
    const QByteArray inputBytes = readFile(workspace.path(input));
    const QString outputArgument = absolute ? workspace.path(output) : output;

    const ToolRun run = workspace.run({"-i", "a.rm", "-o", outputArgument, "-e", "events.txt", "-m", "map.txt",
                                       "-l", "log.txt"});

    QCOMPARE(run.exitCode, 1);
    QVERIFY(readFile(workspace.path(input)) == inputBytes);
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains("\r\nFailed: "), log.constData());
    QVERIFY2(log.contains(failure + "\r\n"), log.constData());
}

void RmEventsTest::acceptsAnyFileNames_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("log");

    QTest::newRow("blanks") << " my clip .rm" << "my clip (merged).rm" << "my events.txt" << "my map.txt"
                            << "my log .txt";
    QTest::newRow("double quotes") << "say \"hi\".rm" << "\"merged\".rm" << "\"events\".txt" << "map\".txt"
                                   << "\"log\"";
    QTest::newRow("shell syntax") << "$(touch pwned).rm" << "`touch pwned`.rm" << "x; touch pwned"
                                  << "'$(touch pwned)' && touch pwned" << "log | touch pwned > x";
    QTest::newRow("option look-alikes") << "-o" << "-i" << "-l" << "-e" << "-m";
    QTest::newRow("non-ASCII") << "片段 é.rm" << "片段 é (合并).rm" << "事件 ü.txt" << "地图.txt" << "日志 ß.txt";
}

void RmEventsTest::acceptsAnyFileNames()
{
    QFETCH(QString, source);
    QFETCH(QString, output);
    QFETCH(QString, events);
    QFETCH(QString, map);
    QFETCH(QString, log);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    writeRealMediaClip(folder.filePath(source), clipSize);
    writeFile(folder.filePath(events), everyRecord);
    writeFile(folder.filePath(map), validMap);

    const ToolRun run = runMergeTool(folder.path(), {"-i", source, "-o", output, "-e", events, "-m", map, "-l", log});

    QCOMPARE(run.exitCode, 0);
    const QString difference = mergeDifference(folder.filePath(source), folder.filePath(output));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    const QByteArray logBytes = readFile(folder.filePath(log));
    QVERIFY2(isCompleteToolLog(logBytes), logBytes.constData());
    QVERIFY2(logBytes.startsWith("Source \"" + source.toUtf8() + "\", output \"" + output.toUtf8() + "\".\r\n"),
             logBytes.constData());
    QCOMPARE(folderContents(folder.path()), sorted({source, output, events, map, log}));
}

void RmEventsTest::rejectsBadCommandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("logged");
    QTest::addColumn<QByteArray>("problem");

    QTest::newRow("no log") << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt"} << false
                            << QByteArray("missing option -l LOG");
    QTest::newRow("log without a value") << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l"}
                                         << false << QByteArray("option -l needs a value");
    QTest::newRow("empty log name") << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", ""}
                                    << false << QByteArray("option -l has an empty value");
    QTest::newRow("log is the source") << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", "a.rm"}
                                       << false << QByteArray("log \"a.rm\" is the source");
    QTest::newRow("log is the event script")
        << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", "./events.txt"} << false
        << QByteArray("log \"./events.txt\" is the event script");
    QTest::newRow("unknown option")
        << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", "log.txt", "-x", "y"} << true
        << QByteArray("unknown option '-x'");
    QTest::newRow("missing source") << QStringList{"-o", "out.rm", "-e", "events.txt", "-l", "log.txt"} << true
                                    << QByteArray("missing option -i SOURCE");
    QTest::newRow("missing event script") << QStringList{"-i", "a.rm", "-o", "out.rm", "-l", "log.txt"} << true
                                          << QByteArray("missing option -e EVENTS");
    QTest::newRow("repeated option")
        << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-i", "a.rm", "-l", "log.txt"} << true
        << QByteArray("option -i given more than once");
}

void RmEventsTest::rejectsBadCommandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, logged);
    QFETCH(QByteArray, problem);

    Workspace workspace;
    const QByteArray events = readFile(workspace.path("events.txt"));
    QStringList expectedContents = folderContents(workspace.folder.path());

    const ToolRun run = workspace.run(arguments);

    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.standardError.contains(problem), run.standardError.constData());
    QVERIFY(run.standardError.contains("usage: rmevents -i SOURCE -o OUTPUT -e EVENTS [-m MAP] -l LOG"));
    if (logged) {
        expectedContents = sorted(expectedContents << "log.txt");
        const QByteArray log = workspace.log();
        QVERIFY2(isCompleteToolLog(log), log.constData());
        QVERIFY2(log.contains("Bad command line: " + problem + "\r\n"), log.constData());
    }
    QCOMPARE(folderContents(workspace.folder.path()), expectedContents);
    QVERIFY(readFile(workspace.path("a.rm")) == workspace.source);
    QCOMPARE(readFile(workspace.path("events.txt")), events);
}

void RmEventsTest::refusesALogThatWouldBeTheOutput()
{
    // Neither exists yet, but through a linked folder the two names would make one file.
    Workspace workspace;
    QVERIFY(QDir(workspace.folder.path()).mkdir("sub"));
    QVERIFY(QFile::link("sub", workspace.path("linked")));

    const ToolRun run = workspace.run({"-i", "a.rm", "-o", "linked/new.rm", "-e", "events.txt", "-l", "sub/new.rm"});

    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.standardError.contains("rmevents: log \"sub/new.rm\" is the output\n"), run.standardError.constData());
    QVERIFY(!QFileInfo::exists(workspace.path("sub/new.rm")));
}

void RmEventsTest::removesOutputOfFailedMerge_data()
{
    QTest::addColumn<bool>("outputExisted");
    QTest::addColumn<bool>("outOfMemory"); // else the output cannot be written
    QTest::addColumn<QByteArray>("failure");

    const QByteArray cannotWrite = "\r\nFailed: cannot write output \"out.rm\"";
    QTest::newRow("new output") << false << false << cannotWrite;
    QTest::newRow("output overwritten") << true << false << cannotWrite;
    QTest::newRow("out of memory") << false << true
                                   << QByteArray("\r\nFailed: out of memory; no output written.\r\n***\r\n");
}

void RmEventsTest::removesOutputOfFailedMerge()
{
#ifdef Q_OS_UNIX
    QFETCH(bool, outputExisted);
    QFETCH(bool, outOfMemory);
    QFETCH(QByteArray, failure);
#ifdef CLIPVANE_SANITIZERS
    if (outOfMemory)
        QSKIP("the sanitizers' shadow memory needs more address space than the limit leaves");
#endif

    Workspace workspace;
    if (outputExisted)
        writeFile(workspace.path("out.rm"), "an earlier clip");
    // A file size limit below the clip's size makes writing the output fail part way; an event
    // script just under the size limit, sparse, does not fit into a small address space.
    if (outOfMemory) {
        QFile script(workspace.path("events.txt"));
        QVERIFY(script.open(QIODevice::WriteOnly) && script.resize(60 << 20));
    }
    QProcess process;
    process.setChildProcessModifier([outOfMemory] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {1024 * 1024, 1024 * 1024};
        const rlimit addressSpace = {40 << 20, 40 << 20};
        if (outOfMemory)
            setrlimit(RLIMIT_AS, &addressSpace);
        else
            setrlimit(RLIMIT_FSIZE, &limit);
    });
    const ToolRun run = runMergeTool(workspace.folder.path(), mergeWithMap, process);

    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFileInfo::exists(workspace.path("out.rm")));
    const QByteArray log = workspace.log();
    QVERIFY2(isCompleteToolLog(log), log.constData());
    QVERIFY2(log.contains(failure), log.constData());
#else
    QSKIP("needs resource limits for the child process");
#endif
}

void RmEventsTest::mergesSourceOver4GiBGrowingTheOutput()
{
    using namespace RealMediaTest;
    constexpr qint64 size = (qint64(4) << 30) + (1 << 20);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (QStorageInfo(folder.path()).bytesAvailable() < size + (qint64(1) << 30))
        QSKIP("not enough free space for a merge over 4 GiB");

    // A sparse source, with marks in the first packet, the packet across the 4 GiB boundary and
    // the last packet.
    const QString sourcePath = folder.filePath("big.rm");
    writeRealMediaClip(sourcePath, size, ClipPayload::Holes);
    const ReadClip source = readClip(sourcePath, false);
    QVERIFY2(source.error.isEmpty(), qPrintable(source.error));
    const auto across = std::ranges::find_if(source.packets, [](const ReadPacket &packet) {
        return packet.offset + packet.length > (qint64(4) << 30);
    });
    QVERIFY(across != source.packets.end());
    const QList<std::pair<qsizetype, QByteArray>> marks = {
        {0, "start"}, {across - source.packets.begin(), "boundary"}, {source.packets.size() - 1, "end"}};
    QFile sourceFile(sourcePath);
    QVERIFY(sourceFile.open(QIODevice::ReadWrite));
    for (const auto &[number, mark] : marks)
        QVERIFY(sourceFile.seek(source.packets[number].offset + 12) && sourceFile.write(mark) == mark.size());
    sourceFile.close();
    writeFile(folder.filePath("events.txt"), oneEvent);

    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(RMEVENTS_PATH),
                  {"-i", "big.rm", "-o", "out.rm", "-e", "events.txt", "-l", "log.txt"});
    bool grewGradually = false;
    qint64 sizeAtEndMark = -1;
    while (!process.waitForFinished(50)) {
        QVERIFY2(timer.elapsed() < 120000, "merge took over two minutes");
        // The log first: once it holds the end mark, the output must be complete.
        QFile log(folder.filePath("log.txt"));
        const bool ended = log.open(QIODevice::ReadOnly) && log.readAll().contains("***");
        const qint64 written = QFileInfo(folder.filePath("out.rm")).size();
        grewGradually = grewGradually || (written > 0 && written < size);
        if (ended && sizeAtEndMark < 0)
            sizeAtEndMark = written;
    }
    qInfo("merged %lld bytes in %lld ms", size, timer.elapsed());

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(grewGradually);
    if (sizeAtEndMark >= 0)
        QCOMPARE(sizeAtEndMark, QFileInfo(folder.filePath("out.rm")).size());
    QVERIFY(isCompleteToolLog(readFile(folder.filePath("log.txt"))));
    const ReadClip merged = readClip(folder.filePath("out.rm"), false);
    QVERIFY2(merged.error.isEmpty(), qPrintable(merged.error));
    const QList<ReadPacket> kept = merged.packetsOf(0);
    const QList<ReadPacket> events = merged.packetsOf(1);
    QCOMPARE(merged.packets.size(), source.packets.size() + 1);
    QCOMPARE(kept.size(), source.packets.size());
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().timestamp, 1000u);
    QCOMPARE(merged.packets.last().offset + merged.packets.last().length, QFileInfo(folder.filePath("out.rm")).size());
    QFile output(folder.filePath("out.rm"));
    QVERIFY(output.open(QIODevice::ReadOnly));
    for (const auto &[number, mark] : marks) {
        const ReadPacket &packet = kept[number];
        QCOMPARE(packet.timestamp, source.packets[number].timestamp);
        QVERIFY(output.seek(packet.offset + 12) && output.read(mark.size()) == mark);
    }
}

void RmEventsTest::listsWhatAMergeWrote_data()
{
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QByteArrayList>("listing"); // after the first line, which counts the packets

    const QByteArray stream0 = "Stream 0: application/octet-stream \"Synthetic\"";
    QTest::newRow("every record and a click map")
        << QByteArray("u 00:00:02.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
                      "u 00:00:00.5 00:01:00.0 &&_rpbrowser&&http://example.com/b?x=1&y=2\r\n"
                      "i 00:00:00.0 00:00:10.0 A title\r\n"
                      "c 00:00:00.0 00:00:10.0 (c) 2024 Somebody\r\n"
                      "a 00:00:00.0 00:00:20.0 An author\r\n"
                      "n 00:00:00.0 00:00:10.0 clip, test\r\n"
                      "q 00:00:00.0 00:00:10.0  A description\r\n")
        << validMap
        << QByteArrayList{"Title: A title",
                          "Author: An author",
                          "Copyright: (c) 2024 Somebody",
                          "Comment:  A description",
                          stream0,
                          "Stream 1: application/x-pn-realevent \"Events\"",
                          "Stream 2: application/x-pn-imagemap \"Image map\"",
                          "Stream 3: logical-fileinfo \"\"",
                          "File information Keywords: clip, test",
                          "File information Description:  A description",
                          "Event 0 (stream 1): title from 00:00:00.0 to 00:00:10.0: A title",
                          "Event 1 (stream 1): copyright from 00:00:00.0 to 00:00:10.0: (c) 2024 Somebody",
                          "Event 2 (stream 1): author from 00:00:00.0 to 00:00:20.0: An author",
                          "Image map 0 (stream 2): from 0:00:00.000 to 0:01:05.000, area 0,0,1024,768, 1 region",
                          "Region 1: rectangle 0,0,1024,768 from 0:00:00.000 to 0:01:05.000, open in a browser, "
                          "URL \"http://example.com/\", status \"Visit us\"",
                          "Event 3 (stream 1): URL from 00:00:00.5 to 00:01:00.0: &&_rpbrowser&&http://example.com/b?x=1&y=2",
                          "Event 4 (stream 1): URL from 00:00:02.0 to 00:00:05.0: &&_rpexternal&&http://example.com/a"};
    QTest::newRow("8-bit and control bytes, 60 in every part")
        << QByteArray("u 60:60:60.9 60:60:60.9 &&_rpcontextwin&&http://a/\t\xe9\r\n"
                      "i 00:00:00.0 00:00:00.0 \xe7\x89\x87\r\n")
        << QByteArray()
        << QByteArrayList{"Title: \xe7\x89\x87",
                          stream0,
                          "Stream 1: application/x-pn-realevent \"Events\"",
                          "Event 0 (stream 1): title from 00:00:00.0 to 00:00:00.0: \xe7\x89\x87",
                          "Event 1 (stream 1): URL from 61:01:00.9 to 61:01:00.9: &&_rpcontextwin&&http://a/\\x09\xe9"};
    QTest::newRow("nothing merged") << QByteArray("") << QByteArray() << QByteArrayList{stream0};
}

void RmEventsTest::listsWhatAMergeWrote()
{
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);
    QFETCH(QByteArrayList, listing);

    Workspace workspace(events, map);
    QCOMPARE(workspace.run(map.isNull() ? mergeWithoutMap : mergeWithMap).exitCode, 0);
    const ToolRun run = workspace.run({"--list", "out.rm"});

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.standardError, QByteArray());
    const RealMediaTest::ReadClip merged = RealMediaTest::readClip(workspace.path("out.rm"), false);
    const QByteArray clipLine = "Clip: RealMedia, " + QByteArray::number(merged.streams.size())
                                + (merged.streams.size() == 1 ? " stream, " : " streams, ")
                                + QByteArray::number(merged.packets.size()) + " packets";
    QCOMPARE(run.standardOutput, clipLine + "\n" + listing.join('\n') + "\n");
}

void RmEventsTest::listsRealAudioTexts()
{
    Workspace workspace("i 00:00:00.0 00:00:10.0 New title\r\n", QByteArray());
    writeFile(workspace.path("a.ra"),
              RealMediaTest::buildRealAudioClip(4, {"Old title", "", "Old (c)", "Old comment"}, QByteArray(500, 'x')));
    QCOMPARE(workspace.run({"-i", "a.ra", "-o", "out.ra", "-e", "events.txt", "-l", "log.txt"}).exitCode, 0);
    const ToolRun run = workspace.run({"--list", "out.ra"});

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.standardOutput, QByteArray("Clip: old RealAudio of version 4\n"
                                            "Title: New title\n"
                                            "Copyright: Old (c)\n"
                                            "Comment: Old comment\n"));
}

void RmEventsTest::listingRefusesWhatItCannotRead_data()
{
    QTest::addColumn<QByteArray>("clip"); // null: no file at all
    QTest::addColumn<QByteArray>("reason");

    using namespace RealMediaTest;
    QTest::newRow("missing file") << QByteArray() << QByteArray("\"x.rm\" is not a regular file");
    QTest::newRow("text") << QByteArray("Hello, world") << QByteArray("is not a RealMedia or RealAudio file");
    Clip clip;
    clip.streams = {{0, "Events", "application/x-pn-realevent", {}}};
    clip.packets = {{0, 0, QByteArray("\0\0\0\0\0\0\0\0\0\0\x01\x00\0\x20", 14)}};
    QTest::newRow("event text past the packet's end")
        << buildClip(clip) << QByteArray("the event packet 1 (offset ");
    clip.packets = {{0, 0, QByteArray("\0\0\0\0\0\0\0\0\0\0\0\x01\0\x20", 14)}};
    QTest::newRow("event text length without its type")
        << buildClip(clip) << QByteArray("leaves no room for its type");
    clip.streams = {{0, "Image map", "application/x-pn-imagemap", {}}};
    clip.packets = {{0, 0, QByteArray("\0\0\xff\xff", 4) + QByteArray(16, '\0')}};
    QTest::newRow("image map of 65535 regions in 20 bytes") << buildClip(clip) << QByteArray("is damaged");
    QTest::newRow("cut in the packets") << buildClip(clip).chopped(3) << QByteArray("the source is truncated: packet 1");
    QTest::newRow("RealAudio of version 5") << buildRealAudioClip(5, {"t", "a", "c", "k"}, QByteArray(100, 'x'))
                                            << QByteArray("RealAudio file of version 5");
}

void RmEventsTest::listingRefusesWhatItCannotRead()
{
    QFETCH(QByteArray, clip);
    QFETCH(QByteArray, reason);

    Workspace workspace;
    if (!clip.isNull())
        writeFile(workspace.path("x.rm"), clip);
    for (const QStringList &listing : {QStringList{"--list"}, QStringList{"--list", "--json"}}) {
        const ToolRun run = workspace.run(listing + QStringList{"x.rm"});

        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.standardOutput, QByteArray());
        QVERIFY2(run.standardError.startsWith("rmevents: cannot list \"x.rm\": "), run.standardError.constData());
        QVERIFY2(run.standardError.contains(reason), run.standardError.constData());
        QVERIFY(run.standardError.endsWith("\n") && run.standardError.count('\n') == 1);
    }
}

void RmEventsTest::listsAsJsonWhatItListsAsText_data()
{
    QTest::addColumn<QByteArray>("clip");   // null: the workspace's RealMedia clip
    QTest::addColumn<QByteArray>("events"); // null: the clip is listed as it is, not merged
    QTest::addColumn<QByteArray>("map");

    using namespace RealMediaTest;
    QTest::newRow("URL events, clip information and a click map")
        << QByteArray() << timedEventScript() << quotedClickMap();
    QTest::newRow("8-bit, control and UTF-8 bytes")
        << QByteArray()
        << QByteArray("u 60:60:60.9 60:60:60.9 &&_rpcontextwin&&http://a/\t\xe9\r\n"
                      "i 00:00:00.0 00:00:00.0 \xc6\xac\xb6\xce\r\n"
                      "a 00:00:00.0 00:00:00.0 \xe7\x89\x87\x7f\r\n"
                      "n 00:00:00.0 00:00:00.0 caf\xe9\r\n")
        << mapLine("0:0:1:5:0", "http://a/\xe9", "\"\\ \xe7\x89\x87").prepend("DURATION=0:0:1:5:0\r\n");
    QTest::newRow("nothing merged") << QByteArray() << QByteArray("") << QByteArray();
    QTest::newRow("old RealAudio")
        << buildRealAudioClip(4, {"Old title", "", "Old (c) \xa9", "Old comment"}, QByteArray(500, 'x'))
        << QByteArray("a 00:00:00.0 00:00:10.0 New author\r\n") << QByteArray();
    Clip clip;
    clip.streams = {{0, "Audio", "audio/x-pn-realaudio", {}},
                    {1, "Events", "application/x-pn-realevent", {}},
                    {2, "Map", "application/x-pn-imagemap", {}}};
    clip.content = QList<QByteArray>{"T", "", "", "K"};
    clip.fileInfoStream = 3;
    clip.fileInfo = {{"Keywords", 2, QByteArray("k\0", 2)}, {"Rating", 0, QByteArray("\0\0\0\5", 4)}};
    clip.packets = {{0, 0, "audio"},
                    {1, 100, eventPayload(0, 1, 20, 0x40, "custom")},
                    {2, 500, seekingMapPayload("Jump")},
                    {1, 200, eventPayload(1, 2, 30, 0x123, "")}};
    QTest::newRow("another writer's clip: custom and unknown events, a seeking map")
        << buildClip(clip) << QByteArray() << QByteArray();
}

void RmEventsTest::listsAsJsonWhatItListsAsText()
{
    QFETCH(QByteArray, clip);
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, map);

    Workspace workspace(events, map);
    if (!clip.isNull())
        writeFile(workspace.path("a.rm"), clip);
    QString listed = "a.rm";
    if (!events.isNull()) {
        QCOMPARE(workspace.run(map.isNull() ? mergeWithoutMap : mergeWithMap).exitCode, 0);
        listed = "out.rm";
    }
    const ToolRun text = workspace.run({"--list", listed});
    const ToolRun json = workspace.run({"--list", "--json", listed});

    QCOMPARE(text.exitCode, 0);
    QCOMPARE(json.exitCode, 0);
    QCOMPARE(json.standardError, QByteArray());
    QString problem;
    const QByteArray jsonAsText = textListingFromJson(json.standardOutput, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(jsonAsText, eventsBeforeImageMaps(text.standardOutput));
}

void RmEventsTest::jsonKeepsTextsOfAnyCharacterSet_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<bool>("asBytes"); // no valid UTF-8, so written as its bytes

    QTest::newRow("GBK") << QByteArray("\xc6\xac\xb6\xce") << true;
    QTest::newRow("Latin-1") << QByteArray("Caf\xe9") << true;
    QTest::newRow("UTF-8 cut short") << QByteArray("A \xe7\x89") << true;
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << true;
    QTest::newRow("UTF-16 surrogate") << QByteArray("\xed\xa0\x80") << true;
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << true;
    QTest::newRow("UTF-8 of every length") << QByteArray("A\xc3\xa9\xe7\x89\x87\xf0\x9f\x8e\xac") << false;
    QTest::newRow("quotes, backslash and control bytes") << QByteArray("a \"b\" \\c\td\x01\x1f\x7f") << false;
}

void RmEventsTest::jsonKeepsTextsOfAnyCharacterSet()
{
    QFETCH(QByteArray, title);
    QFETCH(bool, asBytes);

    Workspace workspace("i 00:00:00.0 00:00:10.0 " + title + "\r\n", QByteArray());
    QCOMPARE(workspace.run(mergeWithoutMap).exitCode, 0);
    const ToolRun run = workspace.run({"--list", "--json", "out.rm"});

    QCOMPARE(run.exitCode, 0);
    // Control characters escaped, so the only ones left are the document's line ends.
    QVERIFY(std::ranges::all_of(run.standardOutput, [](char byte) { return uchar(byte) >= 0x20 || byte == '\n'; }));
    const QJsonObject listing = QJsonDocument::fromJson(run.standardOutput).object();
    QCOMPARE(listing["information"].toArray().size(), 1);
    QCOMPARE(listing["events"].toArray().size(), 1);
    const QJsonValue information = listing["information"].toArray().first()["text"];
    const QJsonValue event = listing["events"].toArray().first()["text"];
    for (const QJsonValue &text : {information, event}) {
        QCOMPARE(text.isObject(), asBytes);
        QCOMPARE(listedText(text), title);
    }
}

QTEST_GUILESS_MAIN(RmEventsTest)
#include "tst_rmevents.moc"
