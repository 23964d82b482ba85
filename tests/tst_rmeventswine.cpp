// Runs the Windows build of the merge tool, rmevents.exe, under wine: on the same inputs it must
// write the same clip and the same log as the Linux build, and follow the Windows rules for paths.

#include "MergeToolRun.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"
#include "WinePrefix.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

// A file or folder to make in a working folder, by relative name.
struct FolderEntry
{
    enum Kind { File, Folder, Hole };
    Kind kind = File;
    QString name;
    QByteArray content; // of a file
    qint64 size = 0;    // of a hole: a file of this size that takes no disk space
};
using FolderEntries = QList<FolderEntry>;

class RmEventsWineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void needsNoLibraryBeyondWindows();
    void behavesAsTheLinuxBuild_data();
    void behavesAsTheLinuxBuild();
    void followsWindowsPathRules_data();
    void followsWindowsPathRules();
    void refusesFilesItMustNotUse_data();
    void refusesFilesItMustNotUse();

private:
    ToolRun runWindowsTool(const QString &folder, const QStringList &arguments) const
    {
        return m_wine->run(QStringLiteral(RMEVENTS_EXE_PATH), folder, arguments);
    }

    std::unique_ptr<WinePrefix> m_wine;
    QByteArray m_clip;
    QByteArray m_mergedClip; // m_clip with the events and the click map below
};

namespace {

const QByteArray events = RealMediaTest::timedEventScript();
const QByteArray map = RealMediaTest::quotedClickMap();

const QByteArray clipInformation = "i 00:00:00.0 00:00:00.0 A title\r\n"
                                   "q 00:00:00.0 00:00:00.0 A comment\r\n";

// More than one of the tool's read windows.
constexpr qint64 clipSize = 5 * 1024 * 1024 + 3;

// Every file below the folder by relative name, with its content; folders with a null content.
QMap<QString, QByteArray> folderContents(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry = entries.nextFileInfo();
        contents.insert(QDir(folder).relativeFilePath(entry.filePath()),
                        entry.isDir() ? QByteArray() : readFile(entry.filePath()));
    }
    return contents;
}

// The names where two folders' contents differ.
QStringList differences(const QMap<QString, QByteArray> &first, const QMap<QString, QByteArray> &second)
{
    QStringList names;
    for (const QString &name : QStringList(first.keys()) + second.keys()) {
        if (first.value(name) != second.value(name) || first.contains(name) != second.contains(name))
            names.append(name);
    }
    names.removeDuplicates();
    return names;
}

FolderEntry file(const QString &name, const QByteArray &content)
{
    return {FolderEntry::File, name, content};
}

FolderEntry subfolder(const QString &name)
{
    return {FolderEntry::Folder, name, {}, 0};
}

FolderEntry hole(const QString &name, qint64 size)
{
    return {FolderEntry::Hole, name, {}, size};
}

void makeEntries(const QString &folder, const FolderEntries &entries)
{
    for (const FolderEntry &entry : entries) {
        const QString path = QDir(folder).filePath(entry.name);
        if (entry.kind == FolderEntry::Folder) {
            QVERIFY(QDir(folder).mkpath(entry.name));
        } else if (entry.kind == FolderEntry::Hole) {
            QFile hole(path);
            QVERIFY(hole.open(QIODevice::WriteOnly) && hole.resize(entry.size));
        } else {
            writeFile(path, entry.content);
        }
    }
}

QByteArray withWindowsLineEnds(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

// A file name as the log shows it.
QByteArray quoted(const QString &name)
{
    return '"' + name.toUtf8() + '"';
}

} // namespace

void RmEventsWineTest::initTestCase()
{
    m_wine = std::make_unique<WinePrefix>();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    writeRealMediaClip(folder.filePath("a.rm"), clipSize);
    m_clip = readFile(folder.filePath("a.rm"));
    makeEntries(folder.path(), {file("events.txt", events), file("map.txt", map)});
    QCOMPARE(runMergeTool(folder.path(), {"-i", "a.rm", "-o", "merged.rm", "-e", "events.txt", "-m", "map.txt", "-l",
                                          "log.txt"})
                 .exitCode,
             0);
    m_mergedClip = readFile(folder.filePath("merged.rm"));
}

void RmEventsWineTest::cleanupTestCase()
{
    m_wine.reset();
}

void RmEventsWineTest::needsNoLibraryBeyondWindows()
{
    QProcess objdump;
    objdump.start(QStringLiteral(MINGW_OBJDUMP_PATH), {"-p", QStringLiteral(RMEVENTS_EXE_PATH)});
    QVERIFY(objdump.waitForFinished(60000));
    QCOMPARE(objdump.exitCode(), 0);
    QStringList libraries;
    const QRegularExpression dllName(R"(^\s*DLL Name: (\S+)\s*$)", QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &match : dllName.globalMatch(QString::fromUtf8(objdump.readAllStandardOutput())))
        libraries.append(match.captured(1));
    qInfo("rmevents.exe imports %s", qPrintable(libraries.join(", ")));

    // Windows' own libraries, which every Windows has; a C++ runtime of mingw would have to ship.
    const QStringList windowsLibraries = {"kernel32.dll", "msvcrt.dll", "ucrtbase.dll", "ntdll.dll",
                                          "advapi32.dll", "user32.dll", "shell32.dll", "ws2_32.dll"};
    QVERIFY(libraries.contains("KERNEL32.dll", Qt::CaseInsensitive));
    for (const QString &library : libraries)
        QVERIFY2(windowsLibraries.contains(library, Qt::CaseInsensitive), qPrintable(library));
}

void RmEventsWineTest::behavesAsTheLinuxBuild_data()
{
    QTest::addColumn<FolderEntries>("entries");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    const QByteArray realAudio = RealMediaTest::buildRealAudioClip(3, {"Old title", "", "", ""}, QByteArray(5000, 'v'));
    const QStringList merge = {"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-m", "map.txt", "-l", "log.txt"};
    const FolderEntries inputs = {file("a.rm", m_clip), file("events.txt", events), file("map.txt", map)};

    QTest::newRow("URL events, clip information and a click map") << inputs << merge << 0;
    QTest::newRow("no click map") << inputs
                                  << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", "log.txt"} << 0;
    QTest::newRow("old RealAudio") << FolderEntries{file("a.ra", realAudio), file("events.txt", clipInformation)}
                                   << QStringList{"-i", "a.ra", "-o", "out.ra", "-e", "events.txt", "-l", "log.txt"}
                                   << 0;
    QTest::newRow("non-ASCII names")
        << FolderEntries{file("片段 é.rm", m_clip), file("事件 ü.txt", events), file("地图.txt", map)}
        << QStringList{"-i", "片段 é.rm", "-o", "片段 é (合并).rm", "-e", "事件 ü.txt", "-m", "地图.txt", "-l",
                       "日志 ß.txt"}
        << 0;
    QTest::newRow("blanks in every name")
        << FolderEntries{subfolder("my clips"), file("my clips/ my clip .rm", m_clip), file("my events.txt", events),
                         file("my map.txt", map)}
        << QStringList{"-i", "my clips/ my clip .rm", "-o", "my clips/my clip (merged).rm", "-e", "my events.txt",
                       "-m", "my map.txt", "-l", "my log .txt"}
        << 0;
    QTest::newRow("8-bit and UTF-8 texts")
        << FolderEntries{file("a.rm", m_clip),
                         file("events.txt", "u 00:00:01.0 00:00:02.0 &&_rpbrowser&&http://example.com/\xe9\r\n"
                                            "i 00:00:00.0 00:00:00.0 \xe7\x89\x87\xe6\xae\xb5 \xff\r\n"),
                         file("map.txt", map)}
        << merge << 0;
    QTest::newRow("byte-order marks before both scripts")
        << FolderEntries{file("a.rm", m_clip), file("events.txt", "\xEF\xBB\xBF" + events),
                         file("map.txt", "\xEF\xBB\xBF" + map)}
        << merge << 0;
    QTest::newRow("script problems")
        << FolderEntries{file("a.rm", m_clip),
                         file("events.txt", "x 00:00:01.0 00:00:02.0 text\r\n\r\n"
                                            "u 61:00:00.0 00:00:02.0 &&_rpbrowser&&a\r\n"),
                         file("map.txt", "DURATION=0:0:1:5:0\r\n")}
        << merge << 1;
    QTest::newRow("the first hundred problems listed")
        << FolderEntries{file("a.rm", m_clip), file("events.txt", events + QByteArray(150, '\n')), file("map.txt", map)}
        << merge << 1;
    QTest::newRow("not a clip")
        << FolderEntries{file("a.rm", "plain text, not a clip"), file("events.txt", events), file("map.txt", map)}
        << merge << 1;
    QTest::newRow("clip cut short")
        << FolderEntries{file("a.rm", m_clip.first(m_clip.size() / 2)), file("events.txt", events),
                         file("map.txt", map)}
        << merge << 1;
    QTest::newRow("missing source") << FolderEntries{file("events.txt", events), file("map.txt", map)} << merge << 1;
    QTest::newRow("output is a folder") << inputs + FolderEntries{subfolder("out.rm")} << merge << 1;
    QTest::newRow("event script is a folder")
        << FolderEntries{file("a.rm", m_clip), subfolder("events.txt"), file("map.txt", map)} << merge << 1;
    QTest::newRow("click map over 64 MiB")
        << FolderEntries{file("a.rm", m_clip), file("events.txt", events), hole("map.txt", (qint64(64) << 20) + 1)}
        << merge << 1;
    QTest::newRow("output is the source")
        << inputs << QStringList{"-i", "a.rm", "-o", "./a.rm", "-e", "events.txt", "-l", "log.txt"} << 1;
    QTest::newRow("unknown option") << inputs << merge + QStringList{"-x", "y"} << 2;
    QTest::newRow("no log") << inputs << merge.first(8) << 2;
    QTest::newRow("log is the event script") << inputs << merge.first(8) + QStringList{"-l", "events.txt"} << 2;
    QTest::newRow("listing a merged clip") << FolderEntries{file("out.rm", m_mergedClip)}
                                           << QStringList{"--list", "out.rm"} << 0;
    QTest::newRow("listing old RealAudio") << FolderEntries{file("a.ra", realAudio)} << QStringList{"--list", "a.ra"}
                                           << 0;
    QTest::newRow("listing what is not a clip") << FolderEntries{file("a.rm", "plain text, not a clip")}
                                                << QStringList{"--list", "a.rm"} << 1;
    QTest::newRow("listing a folder") << FolderEntries{subfolder("clips")} << QStringList{"--list", "clips"} << 1;
    QTest::newRow("listing a merged clip as JSON")
        << FolderEntries{file("out.rm", m_mergedClip)} << QStringList{"--list", "--json", "out.rm"} << 0;
    QTest::newRow("listing what is not a clip as JSON")
        << FolderEntries{file("a.rm", "plain text, not a clip")} << QStringList{"--list", "--json", "a.rm"} << 1;
}

void RmEventsWineTest::behavesAsTheLinuxBuild()
{
    QFETCH(FolderEntries, entries);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);

    QTemporaryDir linuxFolder;
    QTemporaryDir windowsFolder;
    QVERIFY(linuxFolder.isValid() && windowsFolder.isValid());
    makeEntries(linuxFolder.path(), entries);
    makeEntries(windowsFolder.path(), entries);

    const ToolRun linuxRun = runMergeTool(linuxFolder.path(), arguments);
    const ToolRun windowsRun = runWindowsTool(windowsFolder.path(), arguments);

    QCOMPARE(linuxRun.exitCode, exitCode);
    QCOMPARE(windowsRun.exitCode, exitCode);
    // The output clip and the log byte for byte, and every input left as it was. The log has CR LF
    // line ends on both systems.
    const QMap<QString, QByteArray> windowsContents = folderContents(windowsFolder.path());
    const QStringList differing = differences(folderContents(linuxFolder.path()), windowsContents);
    QVERIFY2(differing.isEmpty(), qPrintable(differing.join(", ")));
    const QString log = arguments.contains("-l") ? arguments.at(arguments.indexOf("-l") + 1) : QString();
    const bool logIsInput = std::ranges::any_of(entries, [&](const FolderEntry &entry) { return entry.name == log; });
    if (windowsContents.contains(log) && !logIsInput)
        QVERIFY2(isCompleteToolLog(windowsContents.value(log)), windowsContents.value(log).constData());
    // Standard output and error are text streams, so they get CR LF on Windows.
    QCOMPARE(windowsRun.standardOutput.split('\n'), withWindowsLineEnds(linuxRun.standardOutput).split('\n'));
    QCOMPARE(windowsRun.standardError, withWindowsLineEnds(linuxRun.standardError));
}

void RmEventsWineTest::followsWindowsPathRules_data()
{
    // The working folder holds the inputs in a folder "片段 clips"; {Z} is the working folder
    // through drive Z:, M: a drive mapped to it.
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("backslashes") << QStringList{"-i", R"(片段 clips\a.rm)", "-o", R"(片段 clips\out.rm)", "-e",
                                                R"(片段 clips\events.txt)", "-m", R"(片段 clips\map.txt)", "-l",
                                                R"(片段 clips\log.txt)"};
    QTest::newRow("slashes") << QStringList{"-i", "片段 clips/a.rm", "-o", "片段 clips/out.rm", "-e",
                                            "片段 clips/events.txt", "-m", "片段 clips/map.txt", "-l",
                                            "片段 clips/log.txt"};
    QTest::newRow("dot and parent steps") << QStringList{"-i", R"(.\片段 clips\a.rm)", "-o", R"(片段 clips\.\out.rm)",
                                                         "-e", R"(片段 clips\..\片段 clips\events.txt)", "-m",
                                                         "./片段 clips/map.txt", "-l", R"(片段 clips/..\片段 clips\log.txt)"};
    QTest::newRow("inputs in other letter case") << QStringList{"-i", R"(片段 CLIPS\A.RM)", "-o", R"(片段 clips\out.rm)",
                                                                "-e", "片段 Clips/Events.TXT", "-m", R"(片段 clips\MAP.txt)",
                                                                "-l", R"(片段 clips\log.txt)"};
    QTest::newRow("drive Z:") << QStringList{"-i", R"({Z}\片段 clips\a.rm)", "-o", R"({Z}\片段 clips\out.rm)", "-e",
                                             R"({Z}\片段 clips\events.txt)", "-m", R"({Z}\片段 clips\map.txt)", "-l",
                                             R"({Z}\片段 clips\log.txt)"};
    QTest::newRow("mapped drive, both separators")
        << QStringList{"-i", R"(M:\片段 clips\a.rm)", "-o", "m:/片段 clips/out.rm", "-e", R"(M:/片段 clips\events.txt)",
                       "-m", R"(m:\片段 clips/map.txt)", "-l", R"(M:\片段 clips\log.txt)"};
}

void RmEventsWineTest::followsWindowsPathRules()
{
    QFETCH(QStringList, arguments);

    // What the Linux build makes of the same files.
    const FolderEntries entries = {subfolder("片段 clips"), file("片段 clips/a.rm", m_clip),
                                   file("片段 clips/events.txt", events), file("片段 clips/map.txt", map)};
    QTemporaryDir linuxFolder;
    QVERIFY(linuxFolder.isValid());
    makeEntries(linuxFolder.path(), entries);
    const QStringList linuxArguments = {"-i", "片段 clips/a.rm", "-o", "片段 clips/out.rm", "-e", "片段 clips/events.txt",
                                        "-m", "片段 clips/map.txt", "-l", "片段 clips/log.txt"};
    QCOMPARE(runMergeTool(linuxFolder.path(), linuxArguments).exitCode, 0);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    makeEntries(folder.path(), entries);
    m_wine->mapDrive('M', folder.path());
    const QString zPath = WinePrefix::windowsPath(folder.path());
    for (QString &argument : arguments)
        argument.replace("{Z}", zPath);

    const ToolRun run = runWindowsTool(folder.path(), arguments);
    m_wine->unmapDrive('M');

    QVERIFY2(run.exitCode == 0, run.standardError.constData());
    QVERIFY(readFile(folder.filePath("片段 clips/out.rm")) == readFile(linuxFolder.filePath("片段 clips/out.rm")));
    // The log names the files as they were given.
    QByteArray expectedLog = readFile(linuxFolder.filePath("片段 clips/log.txt"));
    for (qsizetype value = 1; value < arguments.size(); value += 2)
        expectedLog.replace(quoted(linuxArguments[value]), quoted(arguments[value]));
    QCOMPARE(readFile(folder.filePath("片段 clips/log.txt")).split('\n'), expectedLog.split('\n'));
    QCOMPARE(QDir(folder.filePath("片段 clips")).entryList(QDir::Files, QDir::Name),
             QStringList({"a.rm", "events.txt", "log.txt", "map.txt", "out.rm"}));
}

void RmEventsWineTest::refusesFilesItMustNotUse_data()
{
    // C:\clips is the working folder, which holds x.rm, Case.rmvb, events.txt and map.txt; {Z} is
    // the working folder through drive Z:, {Linux} as a Linux path, M: a drive mapped to it.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("problem"); // in the log, or on standard error when there is none

    const auto merge = [](const QString &source, const QString &output, const QString &events = "events.txt",
                          const QString &map = "map.txt", const QString &log = "log.txt") {
        return QStringList{"-i", source, "-o", output, "-e", events, "-m", map, "-l", log};
    };
    const QString notRegular = " is not a regular file";

    // One file under two names: the check goes by the file's identity, not by its spelling.
    QTest::newRow("drive letter, separators and letter case")
        << merge(R"(C:\clips\x.rm)", "c:/clips/X.RM") << 1 << "Failed: output \"c:/clips/X.RM\" is the source itself.";
    QTest::newRow("drive Z: against the Linux spelling")
        << merge(R"({Z}\Case.rmvb)", "{Linux}/CASE.RMVB") << 1
        << "Failed: output \"{Linux}/CASE.RMVB\" is the source itself.";
    QTest::newRow("two drives to one folder")
        << merge(R"(M:\x.rm)", R"(C:\CLIPS\x.rm)") << 1 << R"(Failed: output "C:\CLIPS\x.rm" is the source itself.)";
    QTest::newRow("event script in other letter case")
        << merge("x.rm", R"(C:\clips\EVENTS.TXT)") << 1
        << R"(Failed: output "C:\clips\EVENTS.TXT" is the event script.)";
    QTest::newRow("click map with a dot step")
        << merge("x.rm", R"(.\Map.Txt)") << 1 << R"(Failed: output ".\Map.Txt" is the click map.)";
    QTest::newRow("log is the source") << merge(R"(C:\clips\x.rm)", "out.rm", "events.txt", "map.txt", "C:/CLIPS/X.rm")
                                       << 2 << "rmevents: log \"C:/CLIPS/X.rm\" is the source";
    // Neither exists yet, and both would be made as one file.
    QTest::newRow("log is the output in other letter case")
        << merge("x.rm", R"(C:\clips\new.rm)", "events.txt", "map.txt", "NEW.RM") << 2
        << "rmevents: log \"NEW.RM\" is the output";

    // Windows' devices, which the C library takes for missing files: none is opened.
    QTest::newRow("event script NUL") << merge("x.rm", "out.rm", "NUL") << 1
                                      << "cannot read event script \"NUL\": it" + notRegular;
    QTest::newRow("click map CON") << merge("x.rm", "out.rm", "events.txt", "CON") << 1
                                   << "cannot read click map \"CON\": it" + notRegular;
    QTest::newRow("event script a serial port") << merge("x.rm", "out.rm", "COM1") << 1
                                                << "cannot read event script \"COM1\": it" + notRegular;
    QTest::newRow("device name in a folder, with an extension")
        << merge("x.rm", "out.rm", R"(C:\clips\aux.txt)") << 1
        << R"(cannot read event script "C:\clips\aux.txt": it)" + notRegular;
    QTest::newRow("click map a named pipe") << merge("x.rm", "out.rm", "events.txt", R"(\\.\pipe\clips)") << 1
                                            << R"(cannot read click map "\\.\pipe\clips": it)" + notRegular;
    QTest::newRow("source NUL") << merge("NUL", "out.rm") << 1 << "Failed: source \"NUL\"" + notRegular + ".";
    QTest::newRow("output nul") << merge("x.rm", "nul") << 1 << "Failed: output \"nul\"" + notRegular + ".";
    QTest::newRow("output a printer") << merge("x.rm", "LPT1.rm") << 1
                                      << "Failed: output \"LPT1.rm\"" + notRegular + ".";
    QTest::newRow("log a serial port") << merge("x.rm", "out.rm", "events.txt", "map.txt", "COM2") << 2
                                       << "rmevents: log \"COM2\"" + notRegular;
    QTest::newRow("listing NUL") << QStringList{"--list", "NUL"} << 1
                                 << "rmevents: cannot list \"NUL\": \"NUL\"" + notRegular;
}

void RmEventsWineTest::refusesFilesItMustNotUse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, problem);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    makeEntries(folder.path(),
                {file("x.rm", m_clip), file("Case.rmvb", m_clip), file("events.txt", events), file("map.txt", map)});
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const QString clips = m_wine->driveC() + "/clips";
    QFile::remove(clips);
    QVERIFY(QFile::link(folder.path(), clips));
    m_wine->mapDrive('M', folder.path());
    const auto spelled = [&](QString argument) {
        return argument.replace("{Z}", WinePrefix::windowsPath(folder.path())).replace("{Linux}", folder.path());
    };
    for (QString &argument : arguments)
        argument = spelled(argument);

    const ToolRun run = runWindowsTool(folder.path(), arguments);
    QFile::remove(clips);
    m_wine->unmapDrive('M');

    QCOMPARE(run.exitCode, exitCode);
    const QMap<QString, QByteArray> after = folderContents(folder.path());
    const QStringList changed = differences(before, after);
    if (after.contains("log.txt")) {
        QVERIFY2(changed == QStringList{"log.txt"}, qPrintable(changed.join(", ")));
        const QByteArray log = after.value("log.txt");
        QVERIFY2(isCompleteToolLog(log), log.constData());
        QVERIFY2(log.contains("\r\n" + spelled(problem).toUtf8() + "\r\n"), log.constData());
    } else {
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(", ")));
        QVERIFY2(run.standardError.contains(problem.toUtf8() + "\r\n"), run.standardError.constData());
    }
}

QTEST_GUILESS_MAIN(RmEventsWineTest)
#include "tst_rmeventswine.moc"
