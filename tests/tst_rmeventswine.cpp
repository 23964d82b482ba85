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

// Files to make in the working folder, by relative name; a null content makes a folder.
using FolderFiles = QList<std::pair<QString, QByteArray>>;

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
    void refusesItsInputsUnderAnotherSpelling_data();
    void refusesItsInputsUnderAnotherSpelling();

private:
    ToolRun runWindowsTool(const QString &folder, const QStringList &arguments) const
    {
        return m_wine->run(QStringLiteral(RMEVENTS_EXE_PATH), folder, arguments);
    }

    std::unique_ptr<WinePrefix> m_wine;
    QByteArray m_clip;
};

namespace {

const QByteArray events = "i 00:00:00.0 00:00:00.0 A title\r\n"
                          "a 00:00:00.0 00:00:00.0 An author\r\n"
                          "c 00:00:00.0 00:00:00.0 (c) 2024 Somebody\r\n"
                          "n 00:00:00.0 00:00:00.0 clip, test\r\n"
                          "q 00:00:00.0 00:00:00.0 A description, \xe9\r\n"
                          "u 00:00:01.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
                          "u 00:01:00.0 00:02:00.0 &&_rpbrowser&&http://example.com/b?x=1&y=2\r\n";

const QByteArray clipInformation = "i 00:00:00.0 00:00:00.0 A title\r\n"
                                   "q 00:00:00.0 00:00:00.0 A comment\r\n";

const QByteArray map = "DURATION=0:0:1:5:0\r\n"
                       "<MAP START=0:0:0:0:0 END=0:0:1:5:0 COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE "
                       "COORDS=0,0,1024,768 URL=\"http://example.com/\" ALT=\"Visit us\"></MAP>\r\n";

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

void makeFiles(const QString &folder, const FolderFiles &files)
{
    for (const auto &[name, content] : files) {
        if (content.isNull())
            QVERIFY(QDir(folder).mkpath(name));
        else
            writeFile(QDir(folder).filePath(name), content);
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
    QTest::addColumn<FolderFiles>("files");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    const QStringList merge = {"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-m", "map.txt", "-l", "log.txt"};
    const FolderFiles inputs = {{"a.rm", m_clip}, {"events.txt", events}, {"map.txt", map}};

    QTest::newRow("URL events, clip information and a click map") << inputs << merge << 0;
    QTest::newRow("no click map") << inputs << QStringList{"-i", "a.rm", "-o", "out.rm", "-e", "events.txt", "-l", "log.txt"}
                                  << 0;
    QTest::newRow("old RealAudio")
        << FolderFiles{{"a.ra", RealMediaTest::buildRealAudioClip(3, {"Old title", "", "", ""}, QByteArray(5000, 'v'))},
                       {"events.txt", clipInformation}}
        << QStringList{"-i", "a.ra", "-o", "out.ra", "-e", "events.txt", "-l", "log.txt"} << 0;
    QTest::newRow("non-ASCII names")
        << FolderFiles{{"片段 é.rm", m_clip}, {"事件 ü.txt", events}, {"地图.txt", map}}
        << QStringList{"-i", "片段 é.rm", "-o", "片段 é (合并).rm", "-e", "事件 ü.txt", "-m", "地图.txt", "-l", "日志 ß.txt"}
        << 0;
    QTest::newRow("blanks in every name")
        << FolderFiles{{"my clips", QByteArray()}, {"my clips/ my clip .rm", m_clip}, {"my events.txt", events},
                       {"my map.txt", map}}
        << QStringList{"-i", "my clips/ my clip .rm", "-o", "my clips/my clip (merged).rm", "-e", "my events.txt",
                       "-m", "my map.txt", "-l", "my log .txt"}
        << 0;
    QTest::newRow("script problems")
        << FolderFiles{{"a.rm", m_clip},
                       {"events.txt", "x 00:00:01.0 00:00:02.0 text\r\n\r\nu 61:00:00.0 00:00:02.0 &&_rpbrowser&&a\r\n"},
                       {"map.txt", "DURATION=0:0:1:5:0\r\n"}}
        << merge << 1;
    QTest::newRow("not a clip") << FolderFiles{{"a.rm", "plain text, not a clip"}, {"events.txt", events}, {"map.txt", map}}
                                << merge << 1;
    QTest::newRow("clip cut short") << FolderFiles{{"a.rm", m_clip.first(m_clip.size() / 2)}, {"events.txt", events},
                                                   {"map.txt", map}}
                                    << merge << 1;
    QTest::newRow("missing source") << FolderFiles{{"events.txt", events}, {"map.txt", map}} << merge << 1;
    QTest::newRow("output is a folder") << inputs + FolderFiles{{"out.rm", QByteArray()}} << merge << 1;
    QTest::newRow("event script is a folder")
        << FolderFiles{{"a.rm", m_clip}, {"events.txt", QByteArray()}, {"map.txt", map}} << merge << 1;
    QTest::newRow("output is the source")
        << inputs << QStringList{"-i", "a.rm", "-o", "./a.rm", "-e", "events.txt", "-l", "log.txt"} << 1;
    QTest::newRow("unknown option") << inputs << merge + QStringList{"-x", "y"} << 2;
    QTest::newRow("no log") << inputs << merge.first(8) << 2;
    QTest::newRow("log is the event script") << inputs << merge.first(8) + QStringList{"-l", "events.txt"} << 2;
}

void RmEventsWineTest::behavesAsTheLinuxBuild()
{
    QFETCH(FolderFiles, files);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);

    QTemporaryDir linuxFolder;
    QTemporaryDir windowsFolder;
    QVERIFY(linuxFolder.isValid() && windowsFolder.isValid());
    makeFiles(linuxFolder.path(), files);
    makeFiles(windowsFolder.path(), files);

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
    const bool logIsInput = std::ranges::any_of(files, [&](const auto &file) { return file.first == log; });
    if (windowsContents.contains(log) && !logIsInput)
        QVERIFY2(isCompleteToolLog(windowsContents.value(log)), windowsContents.value(log).constData());
    // Standard error is a text stream, so it gets CR LF on Windows.
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
    const FolderFiles files = {{"片段 clips", QByteArray()}, {"片段 clips/a.rm", m_clip},
                               {"片段 clips/events.txt", events}, {"片段 clips/map.txt", map}};
    QTemporaryDir linuxFolder;
    QVERIFY(linuxFolder.isValid());
    makeFiles(linuxFolder.path(), files);
    const QStringList linuxArguments = {"-i", "片段 clips/a.rm", "-o", "片段 clips/out.rm", "-e", "片段 clips/events.txt",
                                        "-m", "片段 clips/map.txt", "-l", "片段 clips/log.txt"};
    QCOMPARE(runMergeTool(linuxFolder.path(), linuxArguments).exitCode, 0);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    makeFiles(folder.path(), files);
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

void RmEventsWineTest::refusesItsInputsUnderAnotherSpelling_data()
{
    // C:\clips is the working folder, which holds x.rm, Case.rmvb and the scripts; {Z} is the
    // working folder through drive Z:, {Linux} as a Linux path, M: a drive mapped to it.
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("log");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("problem");

    QTest::newRow("drive letter, separators and letter case")
        << R"(C:\clips\x.rm)" << "c:/clips/X.RM" << "log.txt" << 1
        << "output \"c:/clips/X.RM\" is the source itself.";
    QTest::newRow("drive Z: against the Linux spelling")
        << R"({Z}\Case.rmvb)" << "{Linux}/CASE.RMVB" << "log.txt" << 1
        << "output \"{Linux}/CASE.RMVB\" is the source itself.";
    QTest::newRow("two drives to one folder")
        << R"(M:\x.rm)" << R"(C:\CLIPS\x.rm)" << "log.txt" << 1
        << R"(output "C:\CLIPS\x.rm" is the source itself.)";
    QTest::newRow("event script in other letter case")
        << "x.rm" << R"(C:\clips\EVENTS.TXT)" << "log.txt" << 1
        << R"(output "C:\clips\EVENTS.TXT" is the event script.)";
    QTest::newRow("click map with a dot step")
        << "x.rm" << R"(.\Map.Txt)" << "log.txt" << 1 << R"(output ".\Map.Txt" is the click map.)";
    QTest::newRow("log is the source") << R"(C:\clips\x.rm)" << "out.rm" << "C:/CLIPS/X.rm" << 2
                                       << "log \"C:/CLIPS/X.rm\" is the source";
}

void RmEventsWineTest::refusesItsInputsUnderAnotherSpelling()
{
    QFETCH(QString, source);
    QFETCH(QString, output);
    QFETCH(QString, log);
    QFETCH(int, exitCode);
    QFETCH(QString, problem);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    makeFiles(folder.path(), {{"x.rm", m_clip}, {"Case.rmvb", m_clip}, {"events.txt", events}, {"map.txt", map}});
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const QString clips = m_wine->driveC() + "/clips";
    QFile::remove(clips);
    QVERIFY(QFile::link(folder.path(), clips));
    m_wine->mapDrive('M', folder.path());
    const auto spelled = [&](QString argument) {
        return argument.replace("{Z}", WinePrefix::windowsPath(folder.path()))
            .replace("{Linux}", folder.path());
    };

    const ToolRun run = runWindowsTool(folder.path(), {"-i", spelled(source), "-o", spelled(output), "-e", "events.txt",
                                                       "-m", "map.txt", "-l", spelled(log)});
    QFile::remove(clips);
    m_wine->unmapDrive('M');

    QCOMPARE(run.exitCode, exitCode);
    const QMap<QString, QByteArray> after = folderContents(folder.path());
    QStringList changed = differences(before, after);
    if (exitCode == 1) {
        QVERIFY2(changed == QStringList{"log.txt"}, qPrintable(changed.join(", ")));
        QVERIFY2(after.value("log.txt").contains("\r\nFailed: " + spelled(problem).toUtf8() + "\r\n"),
                 after.value("log.txt").constData());
    } else {
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(", ")));
        QVERIFY2(run.standardError.contains(problem.toUtf8()), run.standardError.constData());
    }
}

QTEST_GUILESS_MAIN(RmEventsWineTest)
#include "tst_rmeventswine.moc"
