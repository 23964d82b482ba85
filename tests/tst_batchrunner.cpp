#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/Unit1.h"
#include "jobs/ToolLog.h"
#include "platform/ProcessStatus.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/Gauge.h"
#include "widgets/ListView.h"
#include "widgets/MenuItem.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <csignal>

class BatchRunnerTest : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleTickByTick();
    void threeRowsEndToEndWithTheBundledTool();
    void stopDuringRowTwoOfFour();
    void emptyListIsRefused();
    void toolArgumentsFollowTheClickEvent();
    void outputNamingTheSourceIsRefused();
    void missingSourceFailsTheRowAndGoesOn();
    void missingToolEndsTheBatch();
    void unwritableScriptEndsTheBatch();
    void toolEndingWithoutEndMarkFailsTheRow();
    void endMarkWithoutOutputIsFailure();
    void runnerFollowsItsRowWhenRowsAreRemoved();
    void clearingTheListEndsTheBatchAfterTheJob();
    void secondInstanceCannotShareTheFolder();
    void gaugeHandlesClipsOverTwoGigabytes();
    void toolRunsOnWhenTheWindowCloses();
    void toolLogLines_data();
    void toolLogLines();

private:
    // Every window reads and completes its language file: keep it out of the program's folder.
    TemporaryAppFolder m_appFolder;
};

namespace {

// A stand-in tool that records its arguments and then waits, so that the test plays its part:
// writing the output and the log between ticks.
const QByteArray waitingTool = "printf '%s\\n' \"$@\" > arguments.txt\nexec sleep 60";

// The runner's tool process, ended when the test is over.
class ToolReaper
{
public:
    explicit ToolReaper(const TForm1 &form) : m_form(form) {}
    ~ToolReaper()
    {
        if (m_form.toolProcessId() > 0)
            ::kill(pid_t(m_form.toolProcessId()), SIGKILL);
    }

private:
    const TForm1 &m_form;
};

struct Batch
{
    TemporaryAppFolder folder;
    RecordingPrompts prompts;
    TForm1 form;
    ToolReaper reaper{form};

    Batch() { folder.installToolScript(waitingTool); }

    QString clip(const QString &name, qint64 size = 1000)
    {
        const QString path = folder.filePath(name);
        writeClip(path, size);
        form.AddClip(path);
        return path;
    }
    QString status(int row) const { return form.lvFiles->subItem(row, 1); }
    QStringList statuses() const
    {
        QStringList all;
        for (int row = 0; row < form.lvFiles->rowCount(); ++row)
            all.append(status(row));
        return all;
    }
    // Plays the tool finishing the current job: output written, log closed with the end mark, the
    // tool gone, and the two ticks that see it.
    void finishCurrentRow(bool withOutput = true)
    {
        ::kill(pid_t(form.toolProcessId()), SIGKILL);
        if (withOutput)
            writeFile(form.jobOutputPath(), "merged");
        writeFile(folder.filePath(QStringLiteral("result.txt")), "Done.\r\n***\r\n");
        form.Timer1Timer();
        form.Timer1Timer();
    }
    int finishNotices() const { return prompts.messageTexts().count(QStringLiteral("Processing finish!")); }
    QStringList toolArguments() const
    {
        QStringList arguments = QString::fromUtf8(readFile(folder.filePath(QStringLiteral("arguments.txt"))))
                                    .split(QLatin1Char('\n'));
        arguments.removeLast();
        return arguments;
    }
};

void waitForToolArguments(const Batch &batch)
{
    QTRY_VERIFY(QFile::exists(batch.folder.filePath(QStringLiteral("arguments.txt"))));
}

} // namespace

void BatchRunnerTest::workedExampleTickByTick()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"), 1000000);
    const QString output = batch.folder.filePath(QStringLiteral("Done_a.rm"));
    const QString log = batch.folder.filePath(QStringLiteral("result.txt"));
    batch.form.actStartExecute();
    QCOMPARE(batch.form.ggProgress->maxValue(), 1000000);
    QCOMPARE(batch.form.LastSize, -1);
    QVERIFY(batch.form.Timer1->isActive());
    QVERIFY(!batch.form.btnStart->isEnabled());
    QVERIFY(isProcessRunning(batch.form.toolProcessId()));

    const struct {
        qint64 outputSize;
        QByteArray log;
        const char *status;
        qint64 gauge;
    } ticks[] = {
        {200000, "", "Processing...", 200000},
        {600000, "", "Processing...", 600000},
        {1050000, "", "Processing...", 600000},
        {1050000, "Merging...\r\n", "Processing...", 600000},
        {1050000, "Merging...\r\n***\r\n", "Success", 1000000},
    };
    int tick = 0;
    batch.prompts.whileMessageShown = [&](const RecordingPrompts::Message &) {
        QCOMPARE(tick, 4);
        QCOMPARE(batch.status(0), QStringLiteral("Success"));
        QCOMPARE(batch.form.ggProgress->progress(), 1000000);
        QVERIFY(!QFile::exists(log));
    };
    for (; tick < 5; ++tick) {
        writeClip(output, ticks[tick].outputSize);
        if (!ticks[tick].log.isEmpty())
            writeFile(log, ticks[tick].log);
        batch.form.Timer1Timer();
        QCOMPARE(batch.status(0), QString::fromLatin1(ticks[tick].status));
        if (tick < 4)
            QCOMPARE(batch.form.ggProgress->progress(), ticks[tick].gauge);
        QCOMPARE(batch.finishNotices(), tick == 4 ? 1 : 0);
    }
    QCOMPARE(batch.prompts.messages.last().title, QStringLiteral("Notice"));
    QCOMPARE(batch.prompts.messages.last().icon, UserPrompts::Icon::Warning);
    QVERIFY(!batch.form.Timer1->isActive());
    QCOMPARE(batch.form.ggProgress->maxValue(), 0);
    QCOMPARE(batch.form.ggProgress->progress(), 0);
    QVERIFY(batch.form.btnStart->isEnabled());
    QVERIFY(!batch.form.isBatchRunning());
}

void BatchRunnerTest::threeRowsEndToEndWithTheBundledTool()
{
    TemporaryAppFolder folder;
    folder.installMergeTool();
    RecordingPrompts prompts;
    TForm1 form;
    const QStringList names{"one.rm", "two.rmvb", "three.rm"};
    for (const QString &name : names) {
        writeRealMediaClip(folder.filePath(name), 300000);
        form.AddClip(folder.filePath(name));
    }
    form.AddClip(folder.filePath(QStringLiteral("one.rm")));
    form.CheckBox1->click();
    form.Edit1->setText(QStringLiteral("Promo"));
    QStringList statusesAtNotice;
    prompts.whileMessageShown = [&](const RecordingPrompts::Message &) {
        for (int row = 0; row < form.lvFiles->rowCount(); ++row)
            statusesAtNotice.append(form.lvFiles->subItem(row, 1));
    };
    form.actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!form.isBatchRunning(), 20000);
    QCOMPARE(prompts.messageTexts(), QStringList{"Processing finish!"});
    QCOMPARE(statusesAtNotice, (QStringList{"Success", "Success", "Success", "Success"}));
    for (const QString &name : names) {
        const RealMediaTest::ReadClip source = RealMediaTest::readClip(folder.filePath(name));
        const RealMediaTest::ReadClip merged = RealMediaTest::readClip(folder.filePath(QStringLiteral("Done_") + name));
        QVERIFY2(merged.error.isEmpty(), qPrintable(merged.error));
        QCOMPARE(RealMediaTest::packetDifference(source, merged), QString());
        QVERIFY(merged.content.has_value());
        QCOMPARE(merged.content->first(), QByteArray("Promo"));
    }
    QCOMPARE(readFile(folder.filePath(QStringLiteral("events.txt"))), QByteArray("i 00:00:00.0 00:00:10.0 Promo\r\n"));
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("maps.txt"))));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("result.txt"))));
    QVERIFY(form.btnStart->isEnabled());
}

void BatchRunnerTest::stopDuringRowTwoOfFour()
{
    Batch batch;
    for (const char *name : {"1.rm", "2.rm", "3.rm", "4.rm"})
        batch.clip(QString::fromLatin1(name));
    batch.form.actStartExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.form.CurrentItem, 1);
    batch.form.actStopExecute();
    for (QObject *start : {static_cast<QObject *>(batch.form.btnStart), static_cast<QObject *>(batch.form.StartMerging1),
                           static_cast<QObject *>(batch.form.actStart)})
        QVERIFY2(!start->property("enabled").toBool(), qPrintable(start->objectName()));
    batch.form.actStartExecute();
    QCOMPARE(batch.form.CurrentItem, 1);
    QCOMPARE(batch.finishNotices(), 0);

    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Success", "To be processed", "To be processed"}));
    QCOMPARE(batch.finishNotices(), 1);
    QVERIFY(batch.form.btnStart->isEnabled() && batch.form.StartMerging1->isEnabled() && batch.form.actStart->isEnabled());
}

void BatchRunnerTest::emptyListIsRefused()
{
    Batch batch;
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messages.size(), 1);
    QCOMPARE(batch.prompts.messages[0].text, QStringLiteral(" Not file to be processed "));
    QCOMPARE(batch.prompts.messages[0].title, QStringLiteral("Clipvane"));
    QCOMPARE(batch.prompts.messages[0].icon, UserPrompts::Icon::None);
    QVERIFY(!batch.form.isBatchRunning());
    QVERIFY(batch.form.btnStart->isEnabled());
    QVERIFY(!QFile::exists(batch.folder.filePath(QStringLiteral("events.txt"))));
}

void BatchRunnerTest::toolArgumentsFollowTheClickEvent()
{
    Batch batch;
    const QString source = batch.clip(QStringLiteral("-odd $(touch pwned) \"name\" 片段.rm"));
    const QString output = batch.form.lvFiles->subItem(0, 0);
    writeFile(batch.folder.filePath(QStringLiteral("maps.txt")), "left over");
    batch.form.CheckBox4->click();
    batch.form.actStartExecute();
    waitForToolArguments(batch);
    QCOMPARE(batch.toolArguments(),
             (QStringList{"-i", source, "-o", output, "-e", "events.txt", "-l", "result.txt"}));
    QCOMPARE(readFile(batch.folder.filePath(QStringLiteral("maps.txt"))), QByteArray("left over"));
    QVERIFY(!QFile::exists(batch.folder.filePath(QStringLiteral("pwned"))));
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))));

    batch.finishCurrentRow();
    QFile::remove(batch.folder.filePath(QStringLiteral("arguments.txt")));
    batch.form.CheckBox4->click();
    batch.form.actStartExecute();
    waitForToolArguments(batch);
    QCOMPARE(batch.toolArguments(),
             (QStringList{"-i", source, "-o", output, "-e", "events.txt", "-m", "maps.txt", "-l", "result.txt"}));
    QVERIFY(readFile(batch.folder.filePath(QStringLiteral("maps.txt"))).startsWith("DURATION=0:3:0:0:0\r\n"));
}

void BatchRunnerTest::outputNamingTheSourceIsRefused()
{
    Batch batch;
    const QString first = batch.clip(QStringLiteral("first.rm"));
    batch.clip(QStringLiteral("second.rm"));
    const QByteArray original = readFile(first);
    batch.form.lvFiles->setSubItem(0, 0, batch.folder.path() + QStringLiteral("./first.rm"));
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messages.size(), 1);
    QCOMPARE(batch.prompts.messages[0].title, QStringLiteral("Warning"));
    QVERIFY(batch.prompts.messages[0].text.contains(QStringLiteral("source file itself")));
    QCOMPARE(batch.status(0), QStringLiteral("Failure"));
    QCOMPARE(batch.form.CurrentItem, 1);
    QCOMPARE(readFile(first), original);
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Failure", "Success"}));
    QCOMPARE(readFile(first), original);
}

void BatchRunnerTest::missingSourceFailsTheRowAndGoesOn()
{
    Batch batch;
    batch.form.AddClip(batch.folder.filePath(QStringLiteral("gone.rm")));
    batch.clip(QStringLiteral("here.rm"));
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messageTexts(), QStringList{"Source file is not exist!"});
    QCOMPARE(batch.prompts.messages[0].title, QStringLiteral("Warning"));
    QCOMPARE(batch.status(0), QStringLiteral("Failure"));
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Failure", "Success"}));
    QCOMPARE(batch.finishNotices(), 1);
}

void BatchRunnerTest::missingToolEndsTheBatch()
{
    Batch batch;
    QFile::remove(batch.folder.filePath(QStringLiteral("rmevents")));
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messageTexts(), QStringList{"Some files are missing, please reinstall this application!"});
    QCOMPARE(batch.statuses(), (QStringList{"Failure", "To be processed"}));
    QVERIFY(!batch.form.isBatchRunning());
    QVERIFY(!batch.form.Timer1->isActive());
    QVERIFY(batch.form.btnStart->isEnabled());
}

void BatchRunnerTest::unwritableScriptEndsTheBatch()
{
    Batch batch;
    QVERIFY(QDir(batch.folder.path()).mkdir(QStringLiteral("events.txt")));
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messages.size(), 1);
    QCOMPARE(batch.prompts.messages[0].icon, UserPrompts::Icon::Error);
    QVERIFY(batch.prompts.messages[0].text.contains(QStringLiteral("events.txt")));
    QCOMPARE(batch.statuses(), (QStringList{"Failure", "To be processed"}));
    QVERIFY(!batch.form.isBatchRunning());
    QVERIFY(batch.form.btnStart->isEnabled());
    QCOMPARE(batch.form.toolProcessId(), 0);
}

void BatchRunnerTest::toolEndingWithoutEndMarkFailsTheRow()
{
    Batch batch;
    batch.folder.installToolScript("exit 3");
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    const qint64 tool = batch.form.toolProcessId();
    batch.form.Timer1Timer();
    QCOMPARE(batch.status(0), QStringLiteral("Processing..."));
    QTRY_VERIFY(!isProcessRunning(tool));
    batch.form.Timer1Timer();
    QCOMPARE(batch.status(0), QStringLiteral("Failure"));
    QCOMPARE(batch.form.CurrentItem, 1);
    QVERIFY(batch.form.isBatchRunning());
}

void BatchRunnerTest::endMarkWithoutOutputIsFailure()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    batch.finishCurrentRow(false);
    QCOMPARE(batch.status(0), QStringLiteral("Failure"));
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Failure", "Success"}));
}

void BatchRunnerTest::runnerFollowsItsRowWhenRowsAreRemoved()
{
    Batch batch;
    for (const char *name : {"a.rm", "b.rm", "c.rm", "d.rm"})
        batch.clip(QString::fromLatin1(name));
    batch.form.actStartExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.form.CurrentItem, 1);

    // Removing a row above moves the job's row up; the poll still marks b.rm.
    batch.form.lvFiles->selectRow(0);
    batch.form.actRemoveItemExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.form.lvFiles->caption(0), batch.folder.filePath(QStringLiteral("b.rm")));
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Processing...", "To be processed"}));

    // Removing the row in progress: its job ends unlisted and d.rm follows.
    batch.form.lvFiles->selectRow(1);
    batch.form.actRemoveItemExecute();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "To be processed"}));
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "To be processed"}));
    QCOMPARE(batch.form.lvFiles->caption(batch.form.CurrentItem), batch.folder.filePath(QStringLiteral("d.rm")));
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Success"}));
    QCOMPARE(batch.finishNotices(), 1);
}

void BatchRunnerTest::clearingTheListEndsTheBatchAfterTheJob()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    batch.form.actClearItemsExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.finishNotices(), 1);
    QVERIFY(!batch.form.isBatchRunning());
}

void BatchRunnerTest::secondInstanceCannotShareTheFolder()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.form.actStartExecute();
    QVERIFY(batch.form.isBatchRunning());

    TForm1 second;
    second.AddClip(batch.folder.filePath(QStringLiteral("a.rm")));
    second.actStartExecute();
    QVERIFY(!second.isBatchRunning());
    QCOMPARE(batch.prompts.messages.size(), 1);
    QCOMPARE(batch.prompts.messages[0].title, QStringLiteral("Warning"));
    QVERIFY(batch.prompts.messages[0].text.contains(QStringLiteral("Another Clipvane")));

    batch.finishCurrentRow();
    second.actStartExecute();
    ToolReaper reaper(second);
    QVERIFY(second.isBatchRunning());
}

void BatchRunnerTest::gaugeHandlesClipsOverTwoGigabytes()
{
    Batch batch;
    const qint64 threeGigabytes = qint64(3) << 30;
    const QString source = batch.folder.filePath(QStringLiteral("big.rmvb"));
    QFile sourceFile(source);
    QVERIFY(sourceFile.open(QIODevice::WriteOnly) && sourceFile.resize(threeGigabytes));
    sourceFile.close();
    batch.form.AddClip(source);
    batch.form.actStartExecute();
    QCOMPARE(batch.form.ggProgress->maxValue(), threeGigabytes);

    QFile output(batch.form.lvFiles->subItem(0, 0));
    QVERIFY(output.open(QIODevice::WriteOnly));
    QVERIFY(output.resize(threeGigabytes / 2));
    batch.form.Timer1Timer();
    QCOMPARE(TForm1::MeasureFile(output.fileName()), threeGigabytes / 2);
    QCOMPARE(batch.form.ggProgress->progress(), threeGigabytes / 2);
    QCOMPARE(batch.form.ggProgress->percentDone(), 50);
    QCOMPARE(batch.status(0), QStringLiteral("Processing..."));
}

void BatchRunnerTest::toolRunsOnWhenTheWindowCloses()
{
    TemporaryAppFolder folder;
    folder.installToolScript(waitingTool);
    RecordingPrompts prompts;
    writeClip(folder.filePath(QStringLiteral("a.rm")), 1000);
    qint64 tool = 0;
    {
        TForm1 form;
        form.AddClip(folder.filePath(QStringLiteral("a.rm")));
        form.actStartExecute();
        tool = form.toolProcessId();
        form.show();
        form.Exit1Click();
        QVERIFY(!form.isVisible());
    }
    QVERIFY(isProcessRunning(tool));
    ::kill(pid_t(tool), SIGKILL);
    QTRY_VERIFY(!isProcessRunning(tool));
    QVERIFY(prompts.messages.isEmpty());
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

QTEST_MAIN(BatchRunnerTest)
#include "tst_batchrunner.moc"
