#include "BatchSupport.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "jobs/BatchRunner.h"
#include "jobs/ClipList.h"
#include "jobs/ClipPaths.h"
#include "jobs/RowStatus.h"
#include "jobs/ToolLog.h"
#include "platform/ProcessStatus.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

// The batch runner on its own: a plain clip list, the settings as a value, the real timer and
// real tool processes, and no window.
class BatchRunnerTest : public QObject
{
    Q_OBJECT

private slots:
    void threeRowsEndToEndWithTheBundledTool();
    void settingsAreReadAsEachJobStarts();
    void outputNamingTheSourceIsRefused();
    void missingSourceFailsTheRowAndGoesOn();
    void toolEndingWithoutEndMarkFailsTheRow();
    void endMarkWithoutOutputIsFailure();
    void refusedRowsGiveTheirReason_data();
    void refusedRowsGiveTheirReason();
    void finishedJobsKeepTheToolsLog_data();
    void finishedJobsKeepTheToolsLog();
    void startWithRowsMergesOnlyThose();
    void startWithNoRowsIsRefused();
    void secondRunnerCannotShareTheFolder();
    void toolLogLines_data();
    void toolLogLines();
    void toolFailureReason_data();
    void toolFailureReason();
};

namespace {

// The clip list as a plain table of rows.
class ClipRows : public ClipList
{
public:
    struct Row
    {
        QString source;
        QString output;
        QString status;
    };

    int rowCount() const override { return int(rows.size()); }
    QString sourcePath(int row) const override { return rows.at(row).source; }
    QString outputPath(int row) const override { return rows.at(row).output; }
    void setStatus(int row, const QString &status) override { rows[row].status = status; }

    QStringList statuses() const
    {
        QStringList all;
        for (const Row &row : rows)
            all.append(row.status);
        return all;
    }

    QList<Row> rows;
};

struct Message
{
    QString title;
    QString text;
    UserPrompts::Icon icon;
};

struct Batch
{
    TemporaryAppFolder folder;
    ClipRows clips;
    JobSettings settings;
    BatchRunner runner{clips, [this](int, const ClipPlace &) { return settings; }};
    ToolReaper reaper{runner};
    QList<Message> messages;
    // Runs while a message would be shown (a person reading it).
    std::function<void(const Message &)> whileMessageShown;
    qint64 gaugeMaximum = -1;
    qint64 gaugeProgress = -1;
    QList<bool> runningChanges;
    QList<int> finishedRows;
    QList<JobRecord> records;

    explicit Batch(const QByteArray &tool = waitingTool)
    {
        folder.installToolScript(tool);
        QObject::connect(&runner, &BatchRunner::messageRequested,
                         [this](const QString &title, const QString &text, UserPrompts::Icon icon) {
                             messages.append({title, text, icon});
                             if (whileMessageShown)
                                 whileMessageShown(messages.last());
                         });
        QObject::connect(&runner, &BatchRunner::progressMaximumChanged, [this](qint64 maximum) {
            gaugeMaximum = maximum;
            gaugeProgress = 0;
        });
        QObject::connect(&runner, &BatchRunner::progressChanged, [this](qint64 progress) { gaugeProgress = progress; });
        QObject::connect(&runner, &BatchRunner::runningChanged, [this](bool running) { runningChanges.append(running); });
        QObject::connect(&runner, &BatchRunner::jobFinished, [this](int row, const JobRecord &record) {
            finishedRows.append(row);
            records.append(record);
        });
    }

    void addRow(const QString &source) { clips.rows.append({source, defaultOutputPath(source), RowStatus::toBeProcessed}); }
    QString clip(const QString &name, qint64 size = 1000)
    {
        const QString path = folder.filePath(name);
        writeClip(path, size);
        addRow(path);
        return path;
    }
    void finishCurrentRow(bool withOutput = true) { finishToolJob(runner, folder, withOutput); }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message &message : messages)
            texts.append(message.text);
        return texts;
    }
    int finishNotices() const { return messageTexts().count(QStringLiteral("Processing finish!")); }
};

} // namespace


void BatchRunnerTest::threeRowsEndToEndWithTheBundledTool()
{
    Batch batch;
    QVERIFY(QFile::remove(batch.folder.filePath(QStringLiteral("rmevents"))));
    batch.folder.installMergeTool();
    const QStringList names{"one.rm", "two.rmvb", "three.rm"};
    for (const QString &name : names) {
        writeRealMediaClip(batch.folder.filePath(name), 300000);
        batch.addRow(batch.folder.filePath(name));
    }
    batch.addRow(batch.folder.filePath(QStringLiteral("one.rm")));
    batch.settings.clipInformation.title = {true, QStringLiteral("Promo")};
    batch.settings.withMap = true;
    QStringList statusesAtNotice;
    batch.whileMessageShown = [&](const Message &) { statusesAtNotice = batch.clips.statuses(); };
    batch.runner.start();
    QTRY_VERIFY_WITH_TIMEOUT(!batch.runner.isRunning(), 20000);
    QCOMPARE(batch.messageTexts(), QStringList{"Processing finish!"});
    QCOMPARE(statusesAtNotice, (QStringList{"Success", "Success", "Success", "Success"}));
    for (const QString &name : names) {
        const RealMediaTest::ReadClip source = RealMediaTest::readClip(batch.folder.filePath(name));
        const RealMediaTest::ReadClip merged =
            RealMediaTest::readClip(batch.folder.filePath(QStringLiteral("Done_") + name));
        QVERIFY2(merged.error.isEmpty(), qPrintable(merged.error));
        QCOMPARE(RealMediaTest::packetDifference(source, merged), QString());
        QVERIFY(merged.content.has_value());
        QCOMPARE(merged.content->first(), QByteArray("Promo"));
    }
    QCOMPARE(readFile(batch.folder.filePath(QStringLiteral("events.txt"))),
             QByteArray("i 00:00:00.0 00:00:10.0 Promo\r\n"));
    QVERIFY(QFile::exists(batch.folder.filePath(QStringLiteral("maps.txt"))));
    QVERIFY(!QFile::exists(batch.folder.filePath(QStringLiteral("result.txt"))));
    QCOMPARE(batch.runningChanges, (QList<bool>{true, false}));
}




void BatchRunnerTest::settingsAreReadAsEachJobStarts()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.settings.timeEvents = {{"00:00:01.0", "00:00:02.0", "Media Browser", "http://first.example/"}};
    batch.runner.start();
    const QByteArray firstScript = readFile(batch.folder.filePath(QStringLiteral("events.txt")));
    batch.settings.timeEvents = {{"00:00:01.0", "00:00:02.0", "Media Browser", "http://second.example/"}};
    QCOMPARE(readFile(batch.folder.filePath(QStringLiteral("events.txt"))), firstScript);
    batch.finishCurrentRow();
    const QByteArray secondScript = readFile(batch.folder.filePath(QStringLiteral("events.txt")));
    QVERIFY(firstScript.contains("first.example"));
    QVERIFY(secondScript.contains("second.example"));
}

void BatchRunnerTest::outputNamingTheSourceIsRefused()
{
    Batch batch;
    const QString first = batch.clip(QStringLiteral("first.rm"));
    batch.clip(QStringLiteral("second.rm"));
    const QByteArray original = readFile(first);
    batch.clips.rows[0].output = batch.folder.path() + QStringLiteral("./first.rm");
    batch.runner.start();
    QCOMPARE(batch.messages.size(), 1);
    QCOMPARE(batch.messages[0].title, QStringLiteral("Warning"));
    QVERIFY(batch.messages[0].text.contains(QStringLiteral("source file itself")));
    QCOMPARE(batch.clips.rows[0].status, QStringLiteral("Failure"));
    QCOMPARE(batch.runner.currentItem(), 1);
    QCOMPARE(readFile(first), original);
    batch.finishCurrentRow();
    QCOMPARE(batch.clips.statuses(), (QStringList{"Failure", "Success"}));
    QCOMPARE(readFile(first), original);
}

void BatchRunnerTest::missingSourceFailsTheRowAndGoesOn()
{
    Batch batch;
    batch.addRow(batch.folder.filePath(QStringLiteral("gone.rm")));
    batch.clip(QStringLiteral("here.rm"));
    batch.runner.start();
    QCOMPARE(batch.messageTexts(), QStringList{"Source file is not exist!"});
    QCOMPARE(batch.messages[0].title, QStringLiteral("Warning"));
    QCOMPARE(batch.clips.rows[0].status, QStringLiteral("Failure"));
    batch.finishCurrentRow();
    QCOMPARE(batch.clips.statuses(), (QStringList{"Failure", "Success"}));
    QCOMPARE(batch.finishNotices(), 1);
}



void BatchRunnerTest::toolEndingWithoutEndMarkFailsTheRow()
{
    Batch batch("exit 3");
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.runner.start();
    const qint64 tool = batch.runner.toolProcessId();
    batch.runner.Timer1Timer();
    QCOMPARE(batch.clips.rows[0].status, QStringLiteral("Processing..."));
    QTRY_VERIFY(!isProcessRunning(tool));
    batch.runner.Timer1Timer();
    QCOMPARE(batch.clips.rows[0].status, QStringLiteral("Failure"));
    QCOMPARE(batch.runner.currentItem(), 1);
    QVERIFY(batch.runner.isRunning());
}

void BatchRunnerTest::endMarkWithoutOutputIsFailure()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.runner.start();
    batch.finishCurrentRow(false);
    QCOMPARE(batch.clips.rows[0].status, QStringLiteral("Failure"));
    batch.finishCurrentRow();
    QCOMPARE(batch.clips.statuses(), (QStringList{"Failure", "Success"}));
}


void BatchRunnerTest::refusedRowsGiveTheirReason_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("reason");
    QTest::newRow("source gone") << "gone.rm" << "Done_gone.rm" << "The source file does not exist.";
    QTest::newRow("output is the source") << "a.rm" << "a.rm" << "The output file is the source file itself: %1";
    QTest::newRow("output is another row's source")
        << "a.rm" << "first.rm" << "The output file is the source file of another row: %1";
    QTest::newRow("output is an earlier row's output")
        << "a.rm" << "Done_first.rm" << "The output file is also the output file of an earlier row: %1";
}

// The second row is refused before the tool runs: its record carries the runner's own reason, in
// one line, and no tool log.
void BatchRunnerTest::refusedRowsGiveTheirReason()
{
    QFETCH(QString, source);
    QFETCH(QString, output);
    QFETCH(QString, reason);
    Batch batch;
    batch.clip(QStringLiteral("first.rm"));
    const QString sourcePath = batch.folder.filePath(source);
    if (source != QLatin1String("gone.rm"))
        writeClip(sourcePath, 1000);
    batch.clips.rows.append({sourcePath, batch.folder.filePath(output), RowStatus::toBeProcessed});
    batch.runner.start();
    batch.finishCurrentRow();
    QCOMPARE(batch.clips.statuses(), (QStringList{"Success", "Failure"}));
    QCOMPARE(batch.finishedRows, (QList<int>{0, 1}));
    const JobRecord &refused = batch.records[1];
    QCOMPARE(refused.status, QStringLiteral("Failure"));
    QCOMPARE(refused.reason, reason.arg(batch.folder.filePath(output)));
    QCOMPARE(refused.sourcePath, sourcePath);
    QVERIFY(refused.toolLog.isEmpty());
    QCOMPARE(batch.records[0].reason, QString());
    QCOMPARE(batch.records[0].toolLog, QStringList{"Done."});
}

void BatchRunnerTest::finishedJobsKeepTheToolsLog_data()
{
    QTest::addColumn<QByteArray>("tool");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("toolLog");
    QTest::addColumn<QString>("reason");
    // The tool is called with -i SOURCE -o OUTPUT ...: the output is its fourth argument.
    QTest::newRow("merged") << QByteArray("printf merged > \"$4\"; printf 'Merged.\\r\\n***\\r\\n' > result.txt")
                            << "Success" << QStringList{"Merged."} << "";
    QTest::newRow("refused by the tool")
        << QByteArray("printf 'Source \"a.rm\".\\r\\nFailed: cut short.\\r\\n***\\r\\n' > result.txt") << "Failure"
        << QStringList{"Source \"a.rm\".", "Failed: cut short."} << "";
    QTest::newRow("ended without its end mark")
        << QByteArray("printf 'Source \"a.rm\".\\r\\n' > result.txt; exit 3") << "Failure"
        << QStringList{"Source \"a.rm\"."} << "The merge tool ended without finishing its log.";
}

// Read before the log goes: the tool's lines up to its end mark, with the runner's reason only
// when the tool did not finish its log. Real timer, real tool processes.
void BatchRunnerTest::finishedJobsKeepTheToolsLog()
{
    QFETCH(QByteArray, tool);
    QFETCH(QString, status);
    QFETCH(QStringList, toolLog);
    QFETCH(QString, reason);
    Batch batch(tool);
    const QString source = batch.clip(QStringLiteral("a.rm"));
    const QDateTime before = QDateTime::currentDateTime();
    batch.runner.start();
    QTRY_VERIFY_WITH_TIMEOUT(!batch.runner.isRunning(), 10000);
    QCOMPARE(batch.clips.statuses(), QStringList{status});
    QCOMPARE(batch.finishedRows, QList<int>{0});
    const JobRecord &record = batch.records[0];
    QCOMPARE(record.status, status);
    QCOMPARE(record.toolLog, toolLog);
    QCOMPARE(record.reason, reason);
    QCOMPARE(record.sourcePath, source);
    QVERIFY(record.started >= before.addMSecs(-1000) && record.started <= QDateTime::currentDateTime());
    QVERIFY(record.milliseconds >= 500);
    QVERIFY(!QFile::exists(batch.folder.filePath(QStringLiteral("result.txt"))));
}

// Rows outside the batch keep their status and are not merged; the runner follows its rows when
// one above them is removed.
void BatchRunnerTest::startWithRowsMergesOnlyThose()
{
    Batch batch;
    for (const char *name : {"a.rm", "b.rm", "c.rm", "d.rm"})
        batch.clip(QString::fromLatin1(name));
    for (int row = 0; row < 4; ++row)
        batch.clips.rows[row].status = row % 2 ? RowStatus::failure : RowStatus::success;
    batch.runner.start({3, 1});
    QCOMPARE(batch.clips.statuses(), (QStringList{"Success", "To be processed", "Success", "To be processed"}));
    QCOMPARE(batch.runner.currentItem(), 1);
    QCOMPARE(waitingToolArguments(batch.folder).value(1), batch.folder.filePath(QStringLiteral("b.rm")));

    batch.runner.rowRemoved(0);
    batch.clips.rows.removeAt(0);
    batch.finishCurrentRow();
    QCOMPARE(batch.clips.sourcePath(batch.runner.currentItem()), batch.folder.filePath(QStringLiteral("d.rm")));
    batch.finishCurrentRow();
    QCOMPARE(batch.clips.statuses(), (QStringList{"Success", "Success", "Success"}));
    QCOMPARE(batch.finishedRows, (QList<int>{0, 2}));
    QCOMPARE(batch.records[0].sourcePath, batch.folder.filePath(QStringLiteral("b.rm")));
    QCOMPARE(batch.records[1].sourcePath, batch.folder.filePath(QStringLiteral("d.rm")));
    QVERIFY(!batch.runner.isRunning());
    QCOMPARE(batch.finishNotices(), 1);

    // A plain start merges every row again.
    batch.runner.start();
    QCOMPARE(batch.runner.currentItem(), 0);
}

void BatchRunnerTest::startWithNoRowsIsRefused()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    for (const QList<int> &rows : {QList<int>{}, QList<int>{1}, QList<int>{-1}}) {
        batch.messages.clear();
        batch.runner.start(rows);
        QCOMPARE(batch.messageTexts(), QStringList{" Not file to be processed "});
        QVERIFY(!batch.runner.isRunning());
        QCOMPARE(batch.clips.statuses(), QStringList{"To be processed"});
    }
}

void BatchRunnerTest::secondRunnerCannotShareTheFolder()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.runner.start();
    QVERIFY(batch.runner.isRunning());

    ClipRows secondClips;
    secondClips.rows.append({batch.folder.filePath(QStringLiteral("a.rm")), batch.folder.filePath(QStringLiteral("b.rm")),
                             RowStatus::toBeProcessed});
    BatchRunner second(secondClips, [](int, const ClipPlace &) { return JobSettings(); });
    QStringList secondMessages;
    QObject::connect(&second, &BatchRunner::messageRequested,
                     [&](const QString &title, const QString &text) { secondMessages << title << text; });
    second.start();
    QVERIFY(!second.isRunning());
    QCOMPARE(secondMessages.size(), 2);
    QCOMPARE(secondMessages[0], QStringLiteral("Warning"));
    QVERIFY(secondMessages[1].contains(QStringLiteral("Another Clipvane")));

    batch.finishCurrentRow();
    second.start();
    ToolReaper reaper(second);
    QVERIFY(second.isRunning());
}


void BatchRunnerTest::toolLogLines_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("ended");
    QTest::newRow("empty") << QByteArray() << QStringList() << false;
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\rc\n***") << QStringList{"a", "b", "c", "***"} << true;
    QTest::newRow("mark inside a line") << QByteArray("done ***\r\n") << QStringList{"done ***"} << true;
    QTest::newRow("NUL ends the text") << QByteArray("a\r\n\0***\r\n", 9) << QStringList{"a"} << false;
    QTest::newRow("two stars only") << QByteArray("**\r\n*\r\n") << QStringList{"**", "*"} << false;
}

void BatchRunnerTest::toolLogLines()
{
    QFETCH(QByteArray, log);
    QFETCH(QStringList, lines);
    QFETCH(bool, ended);
    QCOMPARE(::toolLogLines(log), lines);
    QCOMPARE(hasEndMark(lines), ended);
}

void BatchRunnerTest::toolFailureReason_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("reason");
    QTest::newRow("the tool's own line")
        << QStringList{"Source \"a.rm\", output \"Done_a.rm\".", "Failed: source \"a.rm\" is cut short.", "***"}
        << "source \"a.rm\" is cut short.";
    QTest::newRow("after script problems")
        << QStringList{"Source \"a.rm\", output \"b.rm\".", "events.txt line 2: no URL", "Failed: 1 problem in the scripts.", "***"}
        << "1 problem in the scripts.";
    QTest::newRow("no Failed line") << QStringList{"Source \"a.rm\".", "disk full", "", "***", "later"} << "disk full";
    QTest::newRow("empty log") << QStringList{} << "the merge tool wrote no reason in its log";
}

void BatchRunnerTest::toolFailureReason()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, reason);
    QCOMPARE(::toolFailureReason(lines), reason);
}

QTEST_GUILESS_MAIN(BatchRunnerTest)
#include "tst_batchrunner.moc"
