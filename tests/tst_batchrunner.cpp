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
    BatchRunner runner{clips, [this] { return settings; }};
    ToolReaper reaper{runner};
    QList<Message> messages;
    // Runs while a message would be shown (a person reading it).
    std::function<void(const Message &)> whileMessageShown;
    qint64 gaugeMaximum = -1;
    qint64 gaugeProgress = -1;
    QList<bool> runningChanges;

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



void BatchRunnerTest::secondRunnerCannotShareTheFolder()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.runner.start();
    QVERIFY(batch.runner.isRunning());

    ClipRows secondClips;
    secondClips.rows.append({batch.folder.filePath(QStringLiteral("a.rm")), batch.folder.filePath(QStringLiteral("b.rm")),
                             RowStatus::toBeProcessed});
    BatchRunner second(secondClips, [] { return JobSettings(); });
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
