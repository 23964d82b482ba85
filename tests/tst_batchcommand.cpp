#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/ProfileCommands.h"
#include "jobs/BatchRunner.h"
#include "jobs/ClipPaths.h"
#include "jobs/ClipReader.h"
#include "jobs/FailureReasons.h"
#include "jobs/Profile.h"
#include "jobs/ProgressText.h"
#include "widgets/ListView.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <limits>
#include <unistd.h>

Q_DECLARE_METATYPE(Profile)

class BatchCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void windowAndCommandGiveIdenticalClips_data();
    void windowAndCommandGiveIdenticalClips();
    void valuesTableGivesEachClipItsOwnTexts();
    void valuesTableRefusedOrMissing_data();
    void valuesTableRefusedOrMissing();
    void dryRunPrintsEachClipsPlanAndWritesNothing();
    void exitStatus_data();
    void exitStatus();
    void lineBreaksRefuseTheProfileInCommandAndWindowAlike_data();
    void lineBreaksRefuseTheProfileInCommandAndWindowAlike();
    void jsonLinesTellEveryClipsStartAndEnd();
    void twoJobsAtOnceWriteWhatOneWrites();
    void runsSideBySideWithoutTouchingTheWindowsFolder();
    void interruptStopsTheToolsAndRemovesUnfinishedOutputs_data();
    void interruptStopsTheToolsAndRemovesUnfinishedOutputs();
    void toolDyingMidWriteLeavesNoOutput();
    void skipExistingPassesOverUpToDateOutputs_data();
    void skipExistingPassesOverUpToDateOutputs();
    void killedRunLeavesNoHalfClipAndResumeMergesTheRest();
    void failuresNameTheOutputNeverThePartFile_data();
    void failuresNameTheOutputNeverThePartFile();
    void keepDateGivesTheSourcesDate_data();
    void keepDateGivesTheSourcesDate();
    void statusLineTexts_data();
    void statusLineTexts();
    void terminalShowsAStatusLineWhileTheRunGoes();
    void noStatusLineWhereNoOneLooks_data();
    void noStatusLineWhereNoOneLooks();
    void runsWithoutDisplayOnQtCoreAlone();
    void gnuParallelGivesWhatOneRunGives();

private:
    // The window's tests need a working folder of their own.
    TemporaryAppFolder m_appFolder;
};

namespace {

struct Run
{
    int exitStatus = -1;
    QByteArray out;
    QByteArray errors;
};

// A program folder of the command's own: clipvane-batch and, unless told otherwise, the bundled
// tool beside it, as an installed or a portable copy has them.
struct CommandFolder
{
    QTemporaryDir folder;

    explicit CommandFolder(bool withTool = true)
    {
        QFile::copy(QStringLiteral(CLIPVANE_BATCH_PATH), command());
        if (withTool)
            QFile::copy(QStringLiteral(RMEVENTS_PATH), folder.filePath(QStringLiteral("rmevents")));
    }
    QString command() const { return folder.filePath(QStringLiteral("clipvane-batch")); }
    void installToolScript(const QByteArray &body) const
    {
        const QString tool = folder.filePath(QStringLiteral("rmevents"));
        writeFile(tool, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(tool, QFile::permissions(tool) | QFile::ExeOwner);
    }
    QStringList entries() const { return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
};

QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

Run runCommand(const QString &program, const QStringList &arguments, const QString &folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(withoutDisplay());
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// A profile with every target, tenths, non-ASCII texts, the click event and all clip information.
Profile fullProfile()
{
    Profile profile = Profile::startUp();
    profile.settings.timeEvents = {{"00:00:01.0", "00:00:03.5", "External Browser", "http://example.com/a"},
                                   {"00:00:02.5", "00:00:04.0", "Media Browser", "http://example.com/b?x=1&y=2"},
                                   {"00:00:03.0", "00:00:05.0", "Related Info Pane", "http://例え.jp/"}};
    profile.settings.clipInformation = {{true, "Título"}, {true, "© 2026"}, {true, "Ann"}, {true, "promo, spring"},
                                        {true, "Line one\nLine two"}};
    profile.settings.clickMap = {0, 0, 30, "http://example.com/pop", "Click here"};
    return profile;
}

QByteArray md5(const QString &path)
{
    return QCryptographicHash::hash(readFile(path), QCryptographicHash::Md5).toHex();
}

// Every file below the folder, hidden ones too, by its path below it, with its bytes' checksum.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        files.insert(QDir(folder).relativeFilePath(path), md5(path));
    }
    return files;
}

// Good clips of some sizes in a folder, one of them in a sub-folder.
QStringList writeGoodClips(const QString &folder, int count)
{
    QDir().mkpath(folder + QStringLiteral("/sub"));
    QStringList clips;
    for (int i = 0; i < count; ++i) {
        const QString clip = folder + (i % 3 == 2 ? QStringLiteral("/sub/clip%1.rm") : QStringLiteral("/clip%1.rm")).arg(i);
        writeRealMediaClip(clip, 20000 + i * 7000);
        clips << clip;
    }
    return clips;
}

// The process groups of the processes of this machine that run with this command line (arguments
// NUL-separated).
QList<qint64> processGroupsOf(const QByteArray &commandLine)
{
    QList<qint64> groups;
    for (const QString &process : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (!readFile(QStringLiteral("/proc/%1/cmdline").arg(process)).startsWith(commandLine))
            continue;
        // "pid (name) state ppid pgrp ...": the name may hold blanks, so count from its end.
        const QByteArray status = readFile(QStringLiteral("/proc/%1/stat").arg(process));
        groups << status.mid(status.lastIndexOf(')') + 2).split(' ').value(2).toLongLong();
    }
    return groups;
}

bool anyProcessRuns(const QByteArray &commandLine)
{
    return !processGroupsOf(commandLine).isEmpty();
}

QList<QJsonObject> jsonLines(const QByteArray &out)
{
    QList<QJsonObject> lines;
    for (const QByteArray &line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        [&] { QVERIFY2(error.error == QJsonParseError::NoError && document.isObject(), line.constData()); }();
        lines << document.object();
    }
    return lines;
}

// Every entry of the folder, hidden ones too.
QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QJsonObject endOf(const QList<QJsonObject> &lines, const QString &source)
{
    for (const QJsonObject &line : lines) {
        if (line.value(QStringLiteral("event")).toString() == QLatin1String("end")
            && line.value(QStringLiteral("source")).toString() == source)
            return line;
    }
    return {};
}

// A word for sh, whatever it holds.
QString shellWord(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1String("'"), QLatin1String("'\\''")) + QLatin1Char('\'');
}

// Runs the command with its standard streams on a pseudo-terminal of its own, as in a person's
// terminal, and returns what the terminal received.
Run runOnTerminal(const QString &script, const QStringList &command)
{
    QStringList words;
    for (const QString &word : command)
        words << shellWord(word);
    return runCommand(script, {"-qec", words.join(QLatin1Char(' ')), "/dev/null"});
}

// What a terminal shows after these bytes: a carriage return goes back to the line's start, where
// the next characters write over the old ones. Trailing blanks and empty lines at the end dropped.
QStringList screenLines(const QByteArray &bytes)
{
    QStringList lines{QString()};
    qsizetype column = 0;
    for (const QChar c : QString::fromLocal8Bit(bytes)) {
        if (c == QLatin1Char('\r')) {
            column = 0;
        } else if (c == QLatin1Char('\n')) {
            lines << QString();
            column = 0;
        } else {
            QString &line = lines.last();
            if (column < line.size())
                line[column] = c;
            else
                line += c;
            ++column;
        }
    }
    for (QString &line : lines) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

void BatchCommandTest::windowAndCommandGiveIdenticalClips_data()
{
    QTest::addColumn<Profile>("profile");
    QTest::addColumn<QString>("title");

    QTest::newRow("the profile's texts") << fullProfile() << QStringLiteral("Título");
    Profile filled = fullProfile();
    filled.settings.timeEvents[0].url = QStringLiteral("http://example.com/{folder}/{name}?i={index}&d={date}");
    filled.settings.clipInformation.title.text = QStringLiteral("Título {name} {ext} {unknown}");
    filled.settings.clipInformation.description.text = QStringLiteral("{file}\nLine two");
    filled.settings.clickMap.popUpUrl = QStringLiteral("http://example.com/{name}");
    filled.settings.clickMap.showText = QStringLiteral("Open {name}");
    QTest::newRow("placeholders filled alike") << filled << QStringLiteral("Título spring rmvb {unknown}");
}

// One profile, one clip: the window's batch and the command write the same bytes.
void BatchCommandTest::windowAndCommandGiveIdenticalClips()
{
    QFETCH(Profile, profile);
    QFETCH(QString, title);

    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("spring.rmvb"));
    writeRealMediaClip(clip, 120000);
    const QString profilePath = folder.filePath(QStringLiteral("spring.json"));
    profile.output = {folder.filePath(QStringLiteral("window")), QStringLiteral("w_"), false};
    writeProfileFile(profilePath, profile);

    TemporaryAppFolder appFolder;
    appFolder.installMergeTool();
    RecordingPrompts prompts;
    TForm1 form;
    QVERIFY(form.profileCommands().openProfile(profilePath));
    QVERIFY(form.AddClip(clip));
    form.actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!form.runner().isRunning(), 20000);
    QCOMPARE(form.lvFiles->subItem(0, 1), QStringLiteral("Success"));

    const CommandFolder command;
    const Run run = runCommand(command.command(), {"--profile", profilePath, "-o", folder.filePath("command"), clip});
    QCOMPARE(run.exitStatus, 0);
    const QByteArray byWindow = readFile(folder.filePath(QStringLiteral("window/w_spring.rmvb")));
    QVERIFY(byWindow.size() > 120000);
    QCOMPARE(readFile(folder.filePath(QStringLiteral("command/w_spring.rmvb"))), byWindow);
    QCOMPARE(run.out.split('\n').first(),
             QStringLiteral("Success  %1 -> %2").arg(clip, folder.filePath("command/w_spring.rmvb")).toLocal8Bit());
    const ClipContents contents = readClipContents(folder.filePath(QStringLiteral("window/w_spring.rmvb")));
    QStringList titles;
    for (const ClipContents::Information &information : contents.information) {
        if (information.field == QLatin1String("title"))
            titles << information.text;
    }
    QCOMPARE(titles, QStringList{title});
}

namespace {

// The title each clip carries, by file name.
QMap<QString, QString> titlesOf(const QStringList &clips)
{
    QMap<QString, QString> titles;
    for (const QString &clip : clips) {
        QString title = QStringLiteral("(none)");
        for (const ClipContents::Information &information : readClipContents(clip).information) {
            if (information.field == QLatin1String("title"))
                title = information.text;
        }
        titles.insert(QFileInfo(clip).fileName(), title);
    }
    return titles;
}

} // namespace

// A table with a "*" row, a row by full path, one relative to the table, "-", and a row for a
// clip not in the run: each merged clip carries its own title, the stray row is told.
void BatchCommandTest::valuesTableGivesEachClipItsOwnTexts()
{
    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("clips")), 4);
    Profile profile = fullProfile();
    profile.output = {folder.filePath(QStringLiteral("out")), QString(), false};
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), profile);
    QDir().mkpath(folder.filePath(QStringLiteral("tables")));
    const QString table = folder.filePath(QStringLiteral("tables/values.csv"));
    writeFile(table, "\xEF\xBB\xBF" + QStringLiteral("sourcefile;Title;Show\r\n"
                                    "*;{Show} {index};Default\r\n"
                                    "%1;Own {name};\r\n"
                                    "../clips/sub/clip2.rm;-;\r\n"
                                    "../clips/clip3.rm;;Third\r\n"
                                    "gone.rm;Gone;\r\n")
                         .arg(clips[0])
                         .toUtf8());
    const CommandFolder command;
    m_appFolder.installMergeTool();

    const Run run = runCommand(command.command(), {"--json", "--profile", folder.filePath("p.json"), "--values", table,
                                                   folder.filePath("clips/clip0.rm"), folder.filePath("clips/clip1.rm"),
                                                   folder.filePath("clips/sub/clip2.rm"), folder.filePath("clips/clip3.rm")});
    QCOMPARE(run.exitStatus, 0);
    const QJsonObject summary = jsonLines(run.out).last();
    QCOMPARE(summary.value(QStringLiteral("unmatchedRows")).toArray(), QJsonArray{"gone.rm"});
    QCOMPARE(summary.value(QStringLiteral("merged")).toInt(), 4);
    QVERIFY2(!run.errors.contains("gone.rm"), run.errors.constData());
    const QMap<QString, QString> expected{{"clip0.rm", "Own clip0"}, {"clip1.rm", "Default 2"},
                                          {"clip2.rm", "(none)"}, {"clip3.rm", "Third 4"}};
    QCOMPARE(titlesOf({folder.filePath("out/clip0.rm"), folder.filePath("out/clip1.rm"), folder.filePath("out/clip2.rm"),
                       folder.filePath("out/clip3.rm")}),
             expected);

    // Without --json the stray row is a note on standard error; -q leaves it out.
    for (const bool quiet : {false, true}) {
        QStringList arguments{"--profile", folder.filePath("p.json"), "--values", table, "-o", folder.filePath(quiet ? "q" : "t"),
                              folder.filePath("clips/clip0.rm")};
        if (quiet)
            arguments.prepend(QStringLiteral("-q"));
        const Run plain = runCommand(command.command(), arguments);
        QCOMPARE(plain.exitStatus, 0);
        QCOMPARE(plain.errors.contains("the values table's row \"gone.rm\" names no clip of this run"), !quiet);
        QCOMPARE(plain.errors.contains("\"../clips/clip3.rm\" names no clip"), !quiet);
    }
}

void BatchCommandTest::valuesTableRefusedOrMissing_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("message");

    QTest::newRow("two rows for one clip") << QByteArray("SourceFile,Title\nclip0.rm,A\n./clip0.rm,B\n")
                                           << "lines 2 and 3 both name the clip";
    QTest::newRow("quote left open") << QByteArray("SourceFile,Title\nclip0.rm,\"A\n") << "line 2: a quote opened here is never closed";
    QTest::newRow("no SourceFile column") << QByteArray("Clip,Title\nclip0.rm,A\n") << "line 1: no column is named SourceFile";
    QTest::newRow("no such file") << QByteArray() << "can't be used: ";
}

// A refused table stops the run before any clip: exit 2, the file and the line named, nothing
// written.
void BatchCommandTest::valuesTableRefusedOrMissing()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, message);

    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.path(), 1);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const QString tablePath = folder.filePath(QStringLiteral("values.csv"));
    if (!table.isEmpty())
        writeFile(tablePath, table);
    const QMap<QString, QByteArray> before = filesBelow(folder.path());
    const CommandFolder command;
    for (const QString &mode : {QStringLiteral("--json"), QStringLiteral("--dry-run")}) {
        const Run run = runCommand(command.command(), {mode, "--profile", folder.filePath("p.json"), "--values", tablePath, clips[0]});
        QCOMPARE(run.exitStatus, 2);
        QVERIFY(run.out.isEmpty());
        const QString errors = QString::fromLocal8Bit(run.errors);
        QVERIFY2(errors.startsWith(QStringLiteral("clipvane-batch: The values table \"%1\" can't be used: ").arg(tablePath)),
                 qPrintable(errors));
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QCOMPARE(filesBelow(folder.path()), before);
    }
}

// --dry-run prints per clip what it would get, placeholders filled, and touches no file.
void BatchCommandTest::dryRunPrintsEachClipsPlanAndWritesNothing()
{
    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("week 1")), 2);
    Profile profile = fullProfile();
    profile.settings.timeEvents = {{"00:00:01.0", "00:00:03.5", "External Browser", "http://example.com/{City}/{name}"}};
    profile.settings.clipInformation.author.checked = false;
    profile.settings.clipInformation.description.text = QStringLiteral("{folder}\nLine two");
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), profile);
    const QString table = folder.filePath(QStringLiteral("values.csv"));
    writeFile(table, "SourceFile,Title,City,ShowText\r\nweek 1/clip1.rm,Own {City},Bergen & co,-\r\n*,,Oslo,\r\n");
    const QMap<QString, QByteArray> before = filesBelow(folder.path());
    const CommandFolder command;

    const Run text = runCommand(command.command(), {"--dry-run", "--profile", folder.filePath("p.json"), "--values", table,
                                                    folder.filePath("week 1")});
    QCOMPARE(text.exitStatus, 0);
    const QString expected = QStringLiteral("%1 -> %2\n"
                                            "    Title: Título\n"
                                            "    Copyright: © 2026\n"
                                            "    Keywords: promo, spring\n"
                                            "    Description: week 1 Line two\n"
                                            "    Show text: Click here\n"
                                            "    Pop-up URL: http://example.com/pop\n"
                                            "    Time event 00:00:01.0-00:00:03.5 External Browser: http://example.com/Oslo/clip0\n"
                                            "%3 -> %4\n"
                                            "    Title: Own Bergen & co\n"
                                            "    Copyright: © 2026\n"
                                            "    Keywords: promo, spring\n"
                                            "    Description: week 1 Line two\n"
                                            "    Time event 00:00:01.0-00:00:03.5 External Browser: http://example.com/Bergen%20%26%20co/clip1\n"
                                            "2 clips planned; nothing merged or written (--dry-run).\n")
                                 .arg(clips[0], defaultOutputPath(clips[0]), clips[1], defaultOutputPath(clips[1]));
    QCOMPARE(QString::fromLocal8Bit(text.out), expected);

    const Run json = runCommand(command.command(), {"--dry-run", "--json", "--profile", folder.filePath("p.json"), "--values",
                                                    table, folder.filePath("week 1")});
    QCOMPARE(json.exitStatus, 0);
    const QList<QJsonObject> lines = jsonLines(json.out);
    QCOMPARE(lines.size(), 3);
    const QJsonObject second = lines[1];
    QCOMPARE(second.value("event").toString(), QStringLiteral("plan"));
    QCOMPARE(second.value("index").toInt(), 1);
    QCOMPARE(second.value("source").toString(), clips[1]);
    QCOMPARE(second.value("output").toString(), defaultOutputPath(clips[1]));
    QCOMPARE(second.keys(), (QStringList{"copyright", "description", "event", "index", "keywords", "output", "source",
                                         "timeEvents", "title"}));
    QCOMPARE(second.value("title").toString(), QStringLiteral("Own Bergen & co"));
    QCOMPARE(second.value("description").toString(), QStringLiteral("week 1\nLine two"));
    QCOMPARE(second.value("timeEvents").toArray(),
             (QJsonArray{QJsonObject{{"start", "00:00:01.0"}, {"end", "00:00:03.5"}, {"target", "External Browser"},
                                     {"url", "http://example.com/Bergen%20%26%20co/clip1"}}}));
    QCOMPARE(lines[0].value("showText").toString(), QStringLiteral("Click here"));
    QCOMPARE(lines[2].value("event").toString(), QStringLiteral("summary"));
    QCOMPARE(lines[2].value("unmatchedRows").toArray(), QJsonArray());
    QCOMPARE(lines[2].value("exitStatus").toInt(), 0);
    QCOMPARE(filesBelow(folder.path()), before);
}

void BatchCommandTest::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withTool");
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<QString>("said");
    // "@" is a folder of the test's: good.rm, bad.rm (not RealMedia), notes.txt, empty/, profile.json.
    QTest::newRow("every clip merged") << QStringList{"--profile", "@/profile.json", "@/good.rm"} << true << 0
                                       << "1 merged, 0 failed, 0 not done";
    QTest::newRow("one clip failed, the other merged")
        << QStringList{"--profile", "@/profile.json", "@/good.rm", "@/bad.rm"} << true << 1
        << "1 merged, 1 failed, 0 not done";
    QTest::newRow("no profile") << QStringList{"@/good.rm"} << true << 2 << "--profile FILE is needed";
    QTest::newRow("no clip named") << QStringList{"--profile", "@/profile.json"} << true << 2 << "no clip or folder given";
    QTest::newRow("unknown option") << QStringList{"--profile", "@/profile.json", "--fast", "@/good.rm"} << true << 2
                                    << "unknown option \"--fast\"";
    QTest::newRow("jobs not a number") << QStringList{"-j", "two", "--profile", "@/profile.json", "@/good.rm"} << true
                                       << 2 << "-j takes a whole number from 1 to 64, not \"two\"";
    QTest::newRow("profile refused") << QStringList{"--profile", "@/notes.txt", "@/good.rm"} << true << 2
                                     << "can't be used: line 1, column";
    QTest::newRow("no clip found") << QStringList{"--profile", "@/profile.json", "@/empty", "@/notes.txt"} << true << 2
                                   << "no clip found";
    QTest::newRow("tool missing") << QStringList{"--profile", "@/profile.json", "@/good.rm"} << false << 2
                                  << "rmevents is missing; reinstall Clipvane";
    QTest::newRow("a dry run, tool missing") << QStringList{"--dry-run", "--profile", "@/profile.json", "@/good.rm"}
                                             << false << 0 << "1 clip planned; nothing merged or written";
    QTest::newRow("help") << QStringList{"--help"} << false << 0 << "143  ended by SIGTERM";
    QTest::newRow("version") << QStringList{"--version"} << false << 0 << "clipvane-batch 1.40";
}

void BatchCommandTest::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withTool);
    QFETCH(int, exitStatus);
    QFETCH(QString, said);
    QTemporaryDir folder;
    writeRealMediaClip(folder.filePath(QStringLiteral("good.rm")), 30000);
    writeFile(folder.filePath(QStringLiteral("bad.rm")), "This is not a clip at all.");
    writeFile(folder.filePath(QStringLiteral("notes.txt")), "notes");
    QDir().mkpath(folder.filePath(QStringLiteral("empty")));
    writeProfileFile(folder.filePath(QStringLiteral("profile.json")), fullProfile());
    arguments.replaceInStrings(QStringLiteral("@"), folder.path());
    const CommandFolder command(withTool);

    const Run run = runCommand(command.command(), arguments);
    QCOMPARE(run.exitStatus, exitStatus);
    QVERIFY2((run.out + run.errors).contains(said.toUtf8()), (run.out + run.errors).constData());
    if (exitStatus == 2 && !arguments.contains(QStringLiteral("--help")))
        QVERIFY(run.out.isEmpty());
    // A failed clip says why, in the tool's words; the good one is merged all the same.
    if (exitStatus == 1) {
        QVERIFY(run.out.contains("Failure  " + folder.filePath("bad.rm").toUtf8() + ": source "));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("Done_good.rm"))));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Done_bad.rm"))));
    }
}

void BatchCommandTest::lineBreaksRefuseTheProfileInCommandAndWindowAlike_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("key");
    QTest::newRow("an event line after the title")
        << QByteArray(R"({"clipInformation": {"title": {"include": true,
                         "text": "Nice\nu 00:00:01.0 00:00:09.0 &&_rpexternal&&http://evil.example/"}}})")
        << "clipInformation.title.text";
    QTest::newRow("CR LF in an event's URL") << QByteArray(R"({"timeEvents": [{"url": "http://a/\r\nhttp://b/"}]})")
                                             << "timeEvents[0].url";
    QTest::newRow("CR in the show text") << QByteArray(R"({"clickEvent": {"showText": "a\rb"}})")
                                         << "clickEvent.showText";
}

// The command refuses with status 2 and merges nothing; the window shows the same words in its
// error box and keeps what it showed.
void BatchCommandTest::lineBreaksRefuseTheProfileInCommandAndWindowAlike()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, key);
    QTemporaryDir folder;
    const QString profile = folder.filePath(QStringLiteral("shared.json"));
    writeFile(profile, json);
    const QString clip = folder.filePath(QStringLiteral("clip.rm"));
    writeRealMediaClip(clip, 30000);
    const CommandFolder command;

    const Run run = runCommand(command.command(), {"--profile", profile, clip});
    QCOMPARE(run.exitStatus, 2);
    QCOMPARE(run.out, QByteArray());
    const QString expected = QStringLiteral("The profile \"%1\" can't be used: %2: must be one line, without line breaks.")
                                 .arg(profile, key);
    QCOMPARE(QString::fromLocal8Bit(run.errors), QStringLiteral("clipvane-batch: ") + expected + QLatin1Char('\n'));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), (QStringList{"clip.rm", "shared.json"}));

    RecordingPrompts prompts;
    TForm1 form;
    const QByteArray before = profileJson(form.setup());
    QVERIFY(!form.profileCommands().openProfile(profile));
    QCOMPARE(prompts.messageTexts(), QStringList{expected});
    QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Error);
    QCOMPARE(profileJson(form.setup()), before);
}

// -j 2 with a damaged clip among good ones: every line parses, every clip starts and ends, the
// damaged one fails alone with its reason and the summary counts them.
void BatchCommandTest::jsonLinesTellEveryClipsStartAndEnd()
{
    QTemporaryDir folder;
    QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("clips")), 5);
    const QString damaged = folder.filePath(QStringLiteral("clips/damaged.rm"));
    writeFile(damaged, readFile(clips[1]).left(3000));
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;

    const Run run = runCommand(command.command(), {"--json", "-j", "2", "--profile", folder.filePath("p.json"),
                                                   "-o", folder.filePath("out"), folder.filePath("clips")});
    QCOMPARE(run.exitStatus, 1);
    const QList<QJsonObject> lines = jsonLines(run.out);
    QMap<int, QStringList> eventsOf;
    QMap<int, QJsonObject> endOf;
    for (const QJsonObject &line : lines) {
        const QString event = line.value(QStringLiteral("event")).toString();
        if (event == QLatin1String("summary"))
            continue;
        const int index = line.value(QStringLiteral("index")).toInt();
        eventsOf[index] << event;
        if (event == QLatin1String("end"))
            endOf[index] = line;
    }
    QCOMPARE(eventsOf.size(), 6);
    for (const QStringList &events : eventsOf) {
        QCOMPARE(events.first(), QStringLiteral("start"));
        QCOMPARE(events.last(), QStringLiteral("end"));
        QCOMPARE(events.count(QStringLiteral("end")), 1);
    }
    QStringList failed;
    for (const QJsonObject &end : endOf) {
        if (end.value(QStringLiteral("status")).toString() == QLatin1String("Failure")) {
            failed << end.value(QStringLiteral("source")).toString();
            QVERIFY2(end.value(QStringLiteral("reason")).toString().contains(QStringLiteral("the source is truncated")),
                     qPrintable(end.value(QStringLiteral("reason")).toString()));
            QVERIFY(!end.value(QStringLiteral("log")).toArray().isEmpty());
        } else {
            QCOMPARE(end.value(QStringLiteral("status")).toString(), QStringLiteral("Success"));
        }
    }
    QCOMPARE(failed, QStringList{damaged});
    const QJsonObject summary = lines.last();
    QCOMPARE(summary.value(QStringLiteral("event")).toString(), QStringLiteral("summary"));
    QCOMPARE(summary.value(QStringLiteral("merged")).toInt(), 5);
    QCOMPARE(summary.value(QStringLiteral("failed")).toInt(), 1);
    QCOMPARE(summary.value(QStringLiteral("exitStatus")).toInt(), 1);
    QVERIFY(summary.value(QStringLiteral("notDone")).toArray().isEmpty());

    // Quiet: only the failure and the summary.
    const Run quiet = runCommand(command.command(), {"-q", "--profile", folder.filePath("p.json"), "-o",
                                                     folder.filePath("quiet"), folder.filePath("clips")});
    QCOMPARE(quiet.exitStatus, 1);
    const QList<QByteArray> quietLines = quiet.out.trimmed().split('\n');
    QCOMPARE(quietLines.size(), 2);
    QVERIFY(quietLines[0].startsWith("Failure  " + damaged.toUtf8() + ": "));
    QVERIFY(quietLines[1].startsWith("5 merged, 1 failed, 0 not done, in "));
}

void BatchCommandTest::twoJobsAtOnceWriteWhatOneWrites()
{
    QTemporaryDir folder;
    writeGoodClips(folder.filePath(QStringLiteral("clips")), 7);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    for (const QString &jobs : {QStringLiteral("1"), QStringLiteral("2")}) {
        const Run run = runCommand(command.command(), {"-j", jobs, "--keep-tree", "--profile", folder.filePath("p.json"),
                                                       "-o", folder.filePath("out" + jobs), folder.filePath("clips")});
        QCOMPARE(run.exitStatus, 0);
    }
    const QMap<QString, QByteArray> one = filesBelow(folder.filePath(QStringLiteral("out1")));
    QCOMPARE(one.size(), 7);
    QVERIFY(one.contains(QStringLiteral("sub/Done_clip2.rm")));
    QCOMPARE(filesBelow(folder.filePath(QStringLiteral("out2"))), one);
}

// Two runs at once, each with its private folders, beside a window's working folder: both merge
// their clips, and the program folder holds nothing but the programs afterwards.
void BatchCommandTest::runsSideBySideWithoutTouchingTheWindowsFolder()
{
    QTemporaryDir folder;
    const QStringList first = writeGoodClips(folder.filePath(QStringLiteral("first")), 3);
    const QStringList second = writeGoodClips(folder.filePath(QStringLiteral("second")), 3);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    writeFile(command.folder.filePath(QStringLiteral("DefLang.ini")), "[TForm1]\r\n");
    const QByteArray lock = "12345\nClipvane\nhost\n";
    writeFile(command.folder.filePath(QStringLiteral("clipvane.lock")), lock);

    QTemporaryDir temporaryFolders;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("TMPDIR"), temporaryFolders.path());
    QProcess runs[2];
    const QString sets[2] = {folder.filePath(QStringLiteral("first")), folder.filePath(QStringLiteral("second"))};
    for (int i = 0; i < 2; ++i) {
        runs[i].setProcessEnvironment(environment);
        runs[i].start(command.command(), {"--profile", folder.filePath("p.json"), sets[i]});
    }
    for (QProcess &run : runs) {
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
    }
    for (const QStringList &clips : {first, second}) {
        for (const QString &clip : clips)
            QVERIFY(RealMediaTest::readClip(clip.section(QLatin1Char('/'), 0, -2) + "/Done_" + clip.section('/', -1))
                        .error.isEmpty());
    }
    const QStringList entries = command.entries();
    QCOMPARE(QSet<QString>(entries.cbegin(), entries.cend()),
             (QSet<QString>{"DefLang.ini", "clipvane-batch", "clipvane.lock", "rmevents"}));
    QCOMPARE(readFile(command.folder.filePath(QStringLiteral("DefLang.ini"))), QByteArray("[TForm1]\r\n"));
    QCOMPARE(readFile(command.folder.filePath(QStringLiteral("clipvane.lock"))), lock);
    // Each job's private folder is gone with it.
    QVERIFY(QDir(temporaryFolders.path()).isEmpty());
}

void BatchCommandTest::interruptStopsTheToolsAndRemovesUnfinishedOutputs_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("wholeGroup");
    QTest::addColumn<int>("exitStatus");
    QTest::newRow("SIGINT") << int(SIGINT) << false << 130;
    // A terminal sends Ctrl+C to every process of the foreground group.
    QTest::newRow("Ctrl+C in a terminal") << int(SIGINT) << true << 130;
    QTest::newRow("SIGTERM") << int(SIGTERM) << false << 143;
}

// A stand-in tool that writes half an output and waits: the interrupt finds two of them running.
void BatchCommandTest::interruptStopsTheToolsAndRemovesUnfinishedOutputs()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, wholeGroup);
    QFETCH(int, exitStatus);
    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("clips")), 4);
    QList<QByteArray> sums;
    for (const QString &clip : clips)
        sums << md5(clip);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    // An unusual pause, so that no other test's sleeping stand-in is taken for one of these.
    command.installToolScript("printf 'half a clip' > \"$4\"\nexec sleep 59.25");

    QProcess run;
    run.setProcessEnvironment(withoutDisplay());
    // A group of its own, as a shell's job, so that a signal to the group reaches it and nothing else.
    run.setChildProcessModifier([] { ::setpgid(0, 0); });
    run.start(command.command(), {"--json", "-j", "2", "--profile", folder.filePath("p.json"), "-o",
                                  folder.filePath("out"), folder.filePath("clips")});
    QVERIFY(run.waitForStarted());
    const QByteArray stoppedTool("sleep\00059.25", 11);
    // Each stand-in writes its half clip before it turns into the pause.
    QTRY_COMPARE_WITH_TIMEOUT(processGroupsOf(stoppedTool).size(), 2, 10000);
    QCOMPARE(QDir(folder.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // The tools run in a group of their own: a terminal's Ctrl+C reaches only the command.
    const QList<qint64> toolGroups = processGroupsOf(stoppedTool);
    for (const qint64 group : toolGroups)
        QVERIFY(group != run.processId());
    QElapsedTimer clock;
    clock.start();
    ::kill(wholeGroup ? -pid_t(run.processId()) : pid_t(run.processId()), signalNumber);
    QVERIFY(run.waitForFinished(5000));
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), exitStatus);

    QVERIFY(filesBelow(folder.filePath(QStringLiteral("out"))).isEmpty());
    for (qsizetype i = 0; i < clips.size(); ++i)
        QCOMPARE(md5(clips[i]), sums[i]);
    const QJsonObject summary = jsonLines(run.readAllStandardOutput()).last();
    QCOMPARE(summary.value(QStringLiteral("merged")).toInt(), 0);
    QCOMPARE(summary.value(QStringLiteral("failed")).toInt(), 0);
    QCOMPARE(summary.value(QStringLiteral("notDone")).toArray().size(), 4);
    QCOMPARE(summary.value(QStringLiteral("exitStatus")).toInt(), exitStatus);
    // The stopped tools are gone too.
    QTRY_VERIFY_WITH_TIMEOUT(!anyProcessRuns(stoppedTool), 5000);
}

// A tool that dies without its end mark has left half a clip at most: the clip fails and nothing
// of its output stays.
void BatchCommandTest::toolDyingMidWriteLeavesNoOutput()
{
    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("clips")), 1);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    command.installToolScript("printf 'half a clip' > \"$4\"\nkill -KILL $$");
    const Run run = runCommand(command.command(), {"--profile", folder.filePath("p.json"), clips[0]});
    QCOMPARE(run.exitStatus, 1);
    QVERIFY(run.out.contains(": " + FailureReasons::noEndMark.toUtf8()));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("clips/Done_clip0.rm"))));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("clips/.Done_clip0.rm.part"))));
}

void BatchCommandTest::skipExistingPassesOverUpToDateOutputs_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<int>("outputAge");
    QTest::addColumn<QString>("status");
    // The output's age in seconds after its source's time; none when there is no output.
    const int none = std::numeric_limits<int>::min();
    QTest::newRow("no output yet") << "--skip-existing" << none << "Success";
    QTest::newRow("output newer than the source") << "--skip-existing" << 60 << "Skipped";
    QTest::newRow("output of the source's very time") << "--skip-existing" << 0 << "Skipped";
    QTest::newRow("output older than the source") << "--skip-existing" << -60 << "Success";
    QTest::newRow("asked by the profile") << "profile" << 60 << "Skipped";
    QTest::newRow("not asked: merged again") << "" << 60 << "Success";
}

void BatchCommandTest::skipExistingPassesOverUpToDateOutputs()
{
    QFETCH(QString, asked);
    QFETCH(int, outputAge);
    QFETCH(QString, status);
    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("clips/clip.rm"));
    QDir().mkpath(folder.filePath(QStringLiteral("clips")));
    writeRealMediaClip(clip, 30000);
    const QDateTime sourceTime = QDateTime::currentDateTime().addDays(-1);
    setModified(clip, sourceTime);
    const QString output = folder.filePath(QStringLiteral("out/Done_clip.rm"));
    const QByteArray earlier = "an earlier merge";
    if (outputAge != std::numeric_limits<int>::min()) {
        QDir().mkpath(folder.filePath(QStringLiteral("out")));
        writeFile(output, earlier);
        setModified(output, sourceTime.addSecs(outputAge));
    }
    const QDateTime outputTime = modified(output);
    Profile profile = fullProfile();
    profile.output.skipExisting = asked == QLatin1String("profile");
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), profile);
    QStringList arguments{"--profile", folder.filePath("p.json"), "-o", folder.filePath("out"), clip};
    if (asked.startsWith(QLatin1String("--")))
        arguments.prepend(asked);
    const CommandFolder command;

    const Run run = runCommand(command.command(), QStringList{"--json"} + arguments);
    QCOMPARE(run.exitStatus, 0);
    const QList<QJsonObject> lines = jsonLines(run.out);
    const QJsonObject end = endOf(lines, clip);
    QCOMPARE(end.value(QStringLiteral("status")).toString(), status);
    QCOMPARE(end.value(QStringLiteral("output")).toString(), output);
    QVERIFY(!end.contains(QStringLiteral("reason")));
    const bool skipped = status == QLatin1String("Skipped");
    const QJsonObject summary = lines.last();
    QCOMPARE(summary.value(QStringLiteral("skipped")).toInt(-1), skipped ? 1 : 0);
    QCOMPARE(summary.value(QStringLiteral("merged")).toInt(), skipped ? 0 : 1);
    QCOMPARE(summary.value(QStringLiteral("exitStatus")).toInt(), 0);
    QCOMPARE(entriesOf(folder.filePath(QStringLiteral("out"))), QStringList{"Done_clip.rm"});
    if (!skipped) {
        QVERIFY(RealMediaTest::readClip(output).error.isEmpty());
        return;
    }
    // A skipped output is not touched, and the lines a person reads say so too.
    QCOMPARE(readFile(output), earlier);
    QCOMPARE(modified(output), outputTime);
    const Run text = runCommand(command.command(), arguments);
    QCOMPARE(text.exitStatus, 0);
    const QList<QByteArray> textLines = text.out.split('\n');
    QCOMPARE(textLines[0], QStringLiteral("Skipped  %1 -> %2").arg(clip, output).toLocal8Bit());
    QVERIFY2(textLines[1].startsWith("0 merged, 1 skipped, 0 failed, 0 not done, in "), textLines[1].constData());
    // Quiet leaves skipped clips out, as it does merged ones.
    const Run quiet = runCommand(command.command(), QStringList{"-q"} + arguments);
    QCOMPARE(quiet.exitStatus, 0);
    QVERIFY2(quiet.out.startsWith("0 merged, 1 skipped, 0 failed"), quiet.out.constData());
}

// A stand-in tool merges the "fast" clips with the bundled tool and stalls halfway through the
// "slow" ones; the command and every tool then die of SIGKILL, as on a lost node. No half clip
// stands under an output's name, and a run with --skip-existing merges exactly the rest.
void BatchCommandTest::killedRunLeavesNoHalfClipAndResumeMergesTheRest()
{
    QTemporaryDir folder;
    const QString clips = folder.filePath(QStringLiteral("clips"));
    QDir().mkpath(clips);
    const QStringList names{"fast0.rm", "fast2.rm", "slow1.rm", "slow3.rm"};
    for (qsizetype i = 0; i < names.size(); ++i)
        writeRealMediaClip(clips + QLatin1Char('/') + names[i], 40000 + i * 9000);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const QString out = folder.filePath(QStringLiteral("out"));
    const CommandFolder command;
    const QString tool = command.folder.filePath(QStringLiteral("rmevents"));
    const QString realTool = command.folder.filePath(QStringLiteral("rmevents.real"));
    QVERIFY(QFile::copy(QStringLiteral(RMEVENTS_PATH), realTool));
    command.installToolScript("case \"$2\" in */slow*) printf 'half a clip' > \"$4\"; exec sleep 58.75;; esac\n"
                              "exec \"$(dirname \"$0\")/rmevents.real\" \"$@\"");
    const QStringList arguments{"--json", "-j", "2", "--profile", folder.filePath("p.json"), "-o", out, clips};

    // The killed run can't remove its jobs' private folders: they go with the test's.
    QTemporaryDir temporaryFolders;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("TMPDIR"), temporaryFolders.path());
    QProcess run;
    run.setProcessEnvironment(environment);
    run.start(command.command(), arguments);
    QVERIFY(run.waitForStarted());
    const QByteArray stalledTool("sleep\00058.75", 11);
    // The fast clips take both places first; the slow ones start only once they have ended.
    QTRY_COMPARE_WITH_TIMEOUT(processGroupsOf(stalledTool).size(), 2, 20000);
    const QList<qint64> toolGroups = processGroupsOf(stalledTool);
    ::kill(pid_t(run.processId()), SIGKILL);
    for (const qint64 group : toolGroups)
        ::kill(-pid_t(group), SIGKILL);
    QVERIFY(run.waitForFinished(5000));
    QCOMPARE(run.exitStatus(), QProcess::CrashExit);
    QTRY_VERIFY_WITH_TIMEOUT(!anyProcessRuns(stalledTool), 5000);

    QCOMPARE(entriesOf(out),
             (QStringList{".Done_slow1.rm.part", ".Done_slow3.rm.part", "Done_fast0.rm", "Done_fast2.rm"}));
    QMap<QString, QDateTime> wholeTimes;
    for (const QString &name : {QStringLiteral("Done_fast0.rm"), QStringLiteral("Done_fast2.rm")}) {
        QVERIFY(RealMediaTest::readClip(out + QLatin1Char('/') + name).error.isEmpty());
        wholeTimes.insert(name, modified(out + QLatin1Char('/') + name));
    }

    // A part file an older run left beside a whole output goes too.
    writeFile(out + QStringLiteral("/.Done_fast0.rm.part"), "half a clip");
    QVERIFY(QFile::remove(tool));
    QVERIFY(QFile::copy(realTool, tool));
    const Run resumed = runCommand(command.command(), QStringList{"--skip-existing"} + arguments);
    QCOMPARE(resumed.exitStatus, 0);
    const QList<QJsonObject> lines = jsonLines(resumed.out);
    for (const QString &name : names)
        QCOMPARE(endOf(lines, clips + QLatin1Char('/') + name).value(QStringLiteral("status")).toString(),
                 name.startsWith(QLatin1String("fast")) ? QStringLiteral("Skipped") : QStringLiteral("Success"));
    QCOMPARE(lines.last().value(QStringLiteral("merged")).toInt(), 2);
    QCOMPARE(lines.last().value(QStringLiteral("skipped")).toInt(), 2);
    QCOMPARE(entriesOf(out), (QStringList{"Done_fast0.rm", "Done_fast2.rm", "Done_slow1.rm", "Done_slow3.rm"}));
    for (auto whole = wholeTimes.cbegin(); whole != wholeTimes.cend(); ++whole)
        QCOMPARE(modified(out + QLatin1Char('/') + whole.key()), whole.value());
    // What the two runs made together is what one run makes.
    QCOMPARE(runCommand(command.command(), {"--profile", folder.filePath("p.json"), "-o", folder.filePath("single"), clips})
                 .exitStatus,
             0);
    QCOMPARE(filesBelow(out), filesBelow(folder.filePath(QStringLiteral("single"))));
}

void BatchCommandTest::failuresNameTheOutputNeverThePartFile_data()
{
    QTest::addColumn<bool>("notAClip");
    QTest::addColumn<bool>("folderAtOutput");
    QTest::addColumn<QString>("reason");
    QTest::newRow("the tool refuses the source") << true << false << "is not a RealMedia or RealAudio file";
    QTest::newRow("a folder stands at the output") << false << true << "The output is a folder or a device, not a file: @";
}

void BatchCommandTest::failuresNameTheOutputNeverThePartFile()
{
    QFETCH(bool, notAClip);
    QFETCH(bool, folderAtOutput);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("clip.rm"));
    if (notAClip)
        writeFile(clip, "This is not a clip at all.");
    else
        writeRealMediaClip(clip, 30000);
    const QString output = folder.filePath(QStringLiteral("out/Done_clip.rm"));
    if (folderAtOutput)
        QVERIFY(QDir().mkpath(output + QStringLiteral("/inside")));
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;

    const Run run = runCommand(command.command(),
                               {"--json", "--profile", folder.filePath("p.json"), "-o", folder.filePath("out"), clip});
    QCOMPARE(run.exitStatus, 1);
    QVERIFY2(!run.out.contains(".part"), run.out.constData());
    const QJsonObject end = endOf(jsonLines(run.out), clip);
    QCOMPARE(end.value(QStringLiteral("status")).toString(), QStringLiteral("Failure"));
    QVERIFY2(end.value(QStringLiteral("reason")).toString().contains(reason.replace(QLatin1Char('@'), output)),
             qPrintable(end.value(QStringLiteral("reason")).toString()));
    if (notAClip) {
        // The tool's report names the file it was to write: the output.
        const QStringList log = end.value(QStringLiteral("log")).toVariant().toStringList();
        QVERIFY2(!log.filter(QStringLiteral("output \"%1\"").arg(output)).isEmpty(), qPrintable(log.join('\n')));
    }
    QCOMPARE(entriesOf(folder.filePath(QStringLiteral("out"))), folderAtOutput ? QStringList{"Done_clip.rm"} : QStringList());
    QCOMPARE(QFileInfo(output).isDir(), folderAtOutput);
}

void BatchCommandTest::keepDateGivesTheSourcesDate_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("kept");
    QTest::newRow("--keep-date") << "--keep-date" << true;
    QTest::newRow("asked by the profile") << "profile" << true;
    QTest::newRow("not asked") << "" << false;
}

void BatchCommandTest::keepDateGivesTheSourcesDate()
{
    QFETCH(QString, asked);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("clips")), 3);
    const QDateTime sourceTime = QDateTime::currentDateTime().addDays(-3);
    for (qsizetype i = 0; i < clips.size(); ++i)
        setModified(clips[i], sourceTime.addSecs(i * 7));
    Profile profile = fullProfile();
    profile.output.keepDate = asked == QLatin1String("profile");
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), profile);
    QStringList arguments{"--json", "-j", "2", "--profile", folder.filePath("p.json"), "-o", folder.filePath("out"),
                          folder.filePath("clips")};
    if (asked.startsWith(QLatin1String("--")))
        arguments.prepend(asked);
    const CommandFolder command;
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

    QCOMPARE(runCommand(command.command(), arguments).exitStatus, 0);
    for (qsizetype i = 0; i < clips.size(); ++i) {
        const QString output = folder.filePath(QStringLiteral("out/Done_") + clips[i].section(QLatin1Char('/'), -1));
        QVERIFY(RealMediaTest::readClip(output).error.isEmpty());
        if (kept)
            QCOMPARE(modified(output), modified(clips[i]));
        else
            QVERIFY(modified(output) >= started);
    }
    // Of the same time or newer, every output is up to date for a resumed run.
    const Run resumed = runCommand(command.command(), QStringList{"--skip-existing"} + arguments);
    QCOMPARE(resumed.exitStatus, 0);
    QCOMPARE(jsonLines(resumed.out).last().value(QStringLiteral("skipped")).toInt(), 3);
}

void BatchCommandTest::statusLineTexts_data()
{
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("all");
    QTest::addColumn<int>("percent");
    QTest::addColumn<qint64>("secondsLeft");
    QTest::addColumn<QString>("line");
    // A negative time left: not known yet.
    QTest::newRow("a long batch") << 37 << 1000 << 4 << qint64(180) << "[ 37/1000]  4%  about 3 min left";
    QTest::newRow("nothing done yet") << 0 << 3 << 0 << qint64(-1) << "[  0/3]  0%";
    QTest::newRow("under a second") << 2 << 3 << 80 << qint64(0) << "[  2/3]  80%  about 1 s left";
    QTest::newRow("seconds") << 2 << 3 << 66 << qint64(59) << "[  2/3]  66%  about 59 s left";
    QTest::newRow("a minute and a half, rounded") << 5 << 40 << 12 << qint64(90) << "[  5/40]  12%  about 2 min left";
    QTest::newRow("just under the hour") << 5 << 40 << 12 << qint64(3590) << "[  5/40]  12%  about 1 h left";
    QTest::newRow("hours and minutes") << 100 << 9000 << 1 << qint64(7500) << "[100/9000]  1%  about 2 h 5 min left";
    QTest::newRow("all done") << 1000 << 1000 << 100 << qint64(-1) << "[1000/1000]  100%";
}

void BatchCommandTest::statusLineTexts()
{
    QFETCH(int, done);
    QFETCH(int, all);
    QFETCH(int, percent);
    QFETCH(qint64, secondsLeft);
    QFETCH(QString, line);
    QCOMPARE(batchStatusLine(done, all, percent, secondsLeft < 0 ? std::nullopt : std::optional<qint64>(secondsLeft)), line);
}

// Through a real pseudo-terminal: the status line is redrawn in place while the clips merge, and
// once the run is over the terminal shows the clips' lines and the summary, nothing of it.
void BatchCommandTest::terminalShowsAStatusLineWhileTheRunGoes()
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        QSKIP("script is not installed (Debian: bsdutils).");
    QTemporaryDir folder;
    writeGoodClips(folder.filePath(QStringLiteral("clips")), 3);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    const QStringList arguments{"--profile", folder.filePath("p.json"), "-o", folder.filePath("out"), folder.filePath("clips")};

    const Run terminal = runOnTerminal(script, QStringList{command.command()} + arguments);
    QCOMPARE(terminal.exitStatus, 0);
    static const QRegularExpression drawn(QStringLiteral("\r(\\[[ \\d]+/3\\][^\r\n]*)"));
    static const QRegularExpression statusLine(
        QStringLiteral("^\\[  [0-3]/3\\]  \\d{1,3}%(  about \\d+ (s|min) left)? *$"));
    QStringList lines;
    for (const QRegularExpressionMatch &match : drawn.globalMatch(QString::fromLocal8Bit(terminal.out))) {
        QVERIFY2(statusLine.match(match.captured(1)).hasMatch(), qPrintable(match.captured(1)));
        lines << match.captured(1).trimmed();
    }
    QVERIFY2(!lines.filter(QRegularExpression(QStringLiteral("^\\[  1/3\\]  \\d+%  about \\d+ s left$"))).isEmpty(),
             qPrintable(lines.join(QLatin1Char('|'))));
    QVERIFY2(lines.contains(QStringLiteral("[  3/3]  100%")), qPrintable(lines.join(QLatin1Char('|'))));

    // The clips' lines are those a run without a terminal prints, whole, with nothing left over.
    const Run plain = runCommand(command.command(), arguments);
    QCOMPARE(plain.exitStatus, 0);
    QVERIFY(plain.errors.isEmpty());
    QStringList expected = QString::fromLocal8Bit(plain.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList shown = screenLines(terminal.out);
    QCOMPARE(shown.size(), expected.size());
    // Only the summary's time may differ.
    static const QRegularExpression time(QStringLiteral("in \\d+\\.\\d s\\.$"));
    shown.last().replace(time, QStringLiteral("in … s."));
    expected.last().replace(time, QStringLiteral("in … s."));
    QCOMPARE(shown, expected);
}

void BatchCommandTest::noStatusLineWhereNoOneLooks_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("onTerminal");
    QTest::newRow("--json on a terminal") << "--json" << true;
    QTest::newRow("-q on a terminal") << "-q" << true;
    QTest::newRow("standard error to a file") << "" << false;
}

void BatchCommandTest::noStatusLineWhereNoOneLooks()
{
    QFETCH(QString, option);
    QFETCH(bool, onTerminal);
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (onTerminal && script.isEmpty())
        QSKIP("script is not installed (Debian: bsdutils).");
    QTemporaryDir folder;
    writeGoodClips(folder.filePath(QStringLiteral("clips")), 2);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    QStringList arguments{"--profile", folder.filePath("p.json"), "-o", folder.filePath("out"), folder.filePath("clips")};
    if (!option.isEmpty())
        arguments.prepend(option);

    QByteArray seen;
    if (onTerminal) {
        const Run run = runOnTerminal(script, QStringList{command.command()} + arguments);
        QCOMPARE(run.exitStatus, 0);
        // The terminal ends each line with a carriage return of its own.
        seen = QByteArray(run.out).replace("\r\n", "\n");
    } else {
        QProcess run;
        run.setProcessEnvironment(withoutDisplay());
        run.setStandardErrorFile(folder.filePath(QStringLiteral("errors.txt")));
        run.start(command.command(), arguments);
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("errors.txt"))).isFile());
        seen = readFile(folder.filePath(QStringLiteral("errors.txt")));
        QVERIFY(run.readAllStandardOutput().contains("2 merged, 0 failed"));
    }
    QVERIFY2(!seen.contains('\r'), seen.constData());
    QVERIFY2(!seen.contains("/2]"), seen.constData());
}

void BatchCommandTest::runsWithoutDisplayOnQtCoreAlone()
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(CLIPVANE_BATCH_PATH)});
    QVERIFY(ldd.waitForFinished());
    const QByteArray libraries = ldd.readAllStandardOutput();
    QVERIFY(libraries.contains("libQt6Core"));
    for (const char *library : {"libQt6Gui", "libQt6Widgets", "libX11", "libxcb"})
        QVERIFY2(!libraries.contains(library), library);
    // Every run in this test has no display; this one merges too.
    QTemporaryDir folder;
    writeGoodClips(folder.path(), 1);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    QCOMPARE(runCommand(command.command(), {"--profile", "p.json", "clip0.rm"}, folder.path()).exitStatus, 0);
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("Done_clip0.rm"))));
}

// The README's way to spread a batch over machines, on this one: GNU parallel, two at a time, one
// clip a task, over one profile.
void BatchCommandTest::gnuParallelGivesWhatOneRunGives()
{
    const QString parallel = QStandardPaths::findExecutable(QStringLiteral("parallel"));
    if (parallel.isEmpty())
        QSKIP("GNU parallel is not installed (Debian: parallel).");
    QTemporaryDir folder;
    const QStringList clips = writeGoodClips(folder.filePath(QStringLiteral("clips")), 6);
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), fullProfile());
    const CommandFolder command;
    QCOMPARE(runCommand(command.command(), {"--profile", folder.filePath("p.json"), "-o", folder.filePath("single"),
                                            folder.filePath("clips")})
                 .exitStatus,
             0);
    QStringList arguments{"--will-cite", "-j", "2", command.command(), "--profile", folder.filePath("p.json"), "-o",
                          folder.filePath("spread"), "{}", ":::"};
    arguments << clips;
    const Run run = runCommand(parallel, arguments);
    QVERIFY2(run.exitStatus == 0, run.errors.constData());
    const QMap<QString, QByteArray> single = filesBelow(folder.filePath(QStringLiteral("single")));
    QCOMPARE(single.size(), 6);
    QCOMPARE(filesBelow(folder.filePath(QStringLiteral("spread"))), single);
}

QTEST_MAIN(BatchCommandTest)
#include "tst_batchcommand.moc"
