#include "BatchSupport.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/BatchCommands.h"
#include "dialogs/BatchLogWindow.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "jobs/BatchRunner.h"
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

class BatchWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleTickByTick();
    void threeRowsEndToEndWithTheBundledTool();
    void skipsUpToDateOutputsAndKeepsTheSourcesDate();
    void stopDuringRowTwoOfFour();
    void emptyListIsRefused();
    void toolArgumentsFollowTheClickEvent();
    void missingToolEndsTheBatch();
    void unwritableScriptEndsTheBatch();
    void runnerFollowsItsRowWhenRowsAreRemoved();
    void clearingTheListEndsTheBatchAfterTheJob();
    void gaugeHandlesClipsOverTwoGigabytes();
    void toolRunsOnWhenTheWindowCloses();
    void retryFailedWaitsForTheBatch();
    void unwritableBatchLogIsSaidOnce();

private:
    // Every window reads and completes its language file: keep it out of the program's folder.
    TemporaryAppFolder m_appFolder;
};

namespace {

struct Batch
{
    TemporaryAppFolder folder;
    RecordingPrompts prompts;
    TForm1 form;
    ToolReaper reaper{form.runner()};

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
    void finishCurrentRow(bool withOutput = true) { finishToolJob(form.runner(), folder, withOutput); }
    int finishNotices() const { return prompts.messageTexts().count(QStringLiteral("Processing finish!")); }
};

} // namespace

void BatchWindowTest::workedExampleTickByTick()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"), 1000000);
    const QString output = batch.folder.filePath(QStringLiteral("Done_a.rm"));
    const QString log = batch.folder.filePath(QStringLiteral("result.txt"));
    batch.form.actStartExecute();
    QCOMPARE(batch.form.ggProgress->maxValue(), 1000000);
    QCOMPARE(batch.form.runner().lastSize(), -1);
    QVERIFY(batch.form.Timer1->isActive());
    QVERIFY(!batch.form.btnStart->isEnabled());
    QVERIFY(isProcessRunning(batch.form.runner().toolProcessId()));

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
        batch.form.runner().Timer1Timer();
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
    QVERIFY(!batch.form.runner().isRunning());
}

void BatchWindowTest::threeRowsEndToEndWithTheBundledTool()
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
    form.clipInformation->CheckBox1->click();
    form.clipInformation->Edit1->setText(QStringLiteral("Promo"));
    QStringList statusesAtNotice;
    prompts.whileMessageShown = [&](const RecordingPrompts::Message &) {
        for (int row = 0; row < form.lvFiles->rowCount(); ++row)
            statusesAtNotice.append(form.lvFiles->subItem(row, 1));
    };
    form.actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!form.runner().isRunning(), 20000);
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

// The output rule's switches in the window, with the bundled tool: the row of a clip merged
// before says "Skipped" and its output stays as it was; a clip whose output is missing or older
// than its source is merged and takes its source's date.
void BatchWindowTest::skipsUpToDateOutputsAndKeepsTheSourcesDate()
{
    TemporaryAppFolder folder;
    folder.installMergeTool();
    RecordingPrompts prompts;
    TForm1 form;
    const QDateTime sourceTime = QDateTime::currentDateTime().addDays(-2);
    const QStringList names{"merged.rm", "new.rm", "changed.rm"};
    for (const QString &name : names) {
        writeRealMediaClip(folder.filePath(name), 30000);
        setModified(folder.filePath(name), sourceTime);
    }
    const QString earlier = folder.filePath(QStringLiteral("Done_merged.rm"));
    writeFile(earlier, "an earlier merge");
    setModified(earlier, sourceTime.addSecs(60));
    writeFile(folder.filePath(QStringLiteral("Done_changed.rm")), "made before the source changed");
    setModified(folder.filePath(QStringLiteral("Done_changed.rm")), sourceTime.addSecs(-60));
    OutputRule rule;
    rule.skipExisting = true;
    rule.keepDate = true;
    form.setOutputRule(rule);
    for (const QString &name : names)
        QVERIFY(form.AddClip(folder.filePath(name)));

    form.actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!form.runner().isRunning(), 20000);
    QCOMPARE(prompts.messageTexts(), QStringList{"Processing finish!"});
    QCOMPARE(form.lvFiles->subItem(0, 1), QStringLiteral("Skipped"));
    QCOMPARE(form.lvFiles->subItem(1, 1), QStringLiteral("Success"));
    QCOMPARE(form.lvFiles->subItem(2, 1), QStringLiteral("Success"));
    QCOMPARE(readFile(earlier), QByteArray("an earlier merge"));
    QCOMPARE(modified(earlier), sourceTime.addSecs(60));
    for (const QString &name : {QStringLiteral("new.rm"), QStringLiteral("changed.rm")}) {
        const QString output = folder.filePath(QStringLiteral("Done_") + name);
        QVERIFY(RealMediaTest::readClip(output).error.isEmpty());
        QCOMPARE(modified(output), sourceTime);
    }
    // Retry Failed leaves a skipped row alone: it did not fail.
    form.batchCommands().RetryFailed1->trigger();
    QCOMPARE(prompts.messageTexts().last(), QStringLiteral(" Not file to be processed "));
    QCOMPARE(form.lvFiles->subItem(0, 1), QStringLiteral("Skipped"));
}

void BatchWindowTest::stopDuringRowTwoOfFour()
{
    Batch batch;
    for (const char *name : {"1.rm", "2.rm", "3.rm", "4.rm"})
        batch.clip(QString::fromLatin1(name));
    batch.form.actStartExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.form.runner().currentItem(), 1);
    batch.form.actStopExecute();
    for (QObject *start : {static_cast<QObject *>(batch.form.btnStart), static_cast<QObject *>(batch.form.StartMerging1),
                           static_cast<QObject *>(batch.form.actStart)})
        QVERIFY2(!start->property("enabled").toBool(), qPrintable(start->objectName()));
    batch.form.actStartExecute();
    QCOMPARE(batch.form.runner().currentItem(), 1);
    QCOMPARE(batch.finishNotices(), 0);

    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Success", "To be processed", "To be processed"}));
    QCOMPARE(batch.finishNotices(), 1);
    QVERIFY(batch.form.btnStart->isEnabled() && batch.form.StartMerging1->isEnabled() && batch.form.actStart->isEnabled());
}

void BatchWindowTest::emptyListIsRefused()
{
    Batch batch;
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messages.size(), 1);
    QCOMPARE(batch.prompts.messages[0].text, QStringLiteral(" Not file to be processed "));
    QCOMPARE(batch.prompts.messages[0].title, QStringLiteral("Clipvane"));
    QCOMPARE(batch.prompts.messages[0].icon, UserPrompts::Icon::None);
    QVERIFY(!batch.form.runner().isRunning());
    QVERIFY(batch.form.btnStart->isEnabled());
    QVERIFY(!QFile::exists(batch.folder.filePath(QStringLiteral("events.txt"))));
}

void BatchWindowTest::toolArgumentsFollowTheClickEvent()
{
    Batch batch;
    const QString source = batch.clip(QStringLiteral("-odd $(touch pwned) \"name\" 片段.rm"));
    const QString output = batch.form.lvFiles->subItem(0, 0);
    writeFile(batch.folder.filePath(QStringLiteral("maps.txt")), "left over");
    batch.form.clickEvents->CheckBox4->click();
    batch.form.actStartExecute();
    QCOMPARE(waitingToolArguments(batch.folder),
             (QStringList{"-i", source, "-o", output, "-e", "events.txt", "-l", "result.txt"}));
    QCOMPARE(readFile(batch.folder.filePath(QStringLiteral("maps.txt"))), QByteArray("left over"));
    QVERIFY(!QFile::exists(batch.folder.filePath(QStringLiteral("pwned"))));
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))));

    batch.finishCurrentRow();
    QFile::remove(batch.folder.filePath(QStringLiteral("arguments.txt")));
    batch.form.clickEvents->CheckBox4->click();
    batch.form.actStartExecute();
    QCOMPARE(waitingToolArguments(batch.folder),
             (QStringList{"-i", source, "-o", output, "-e", "events.txt", "-m", "maps.txt", "-l", "result.txt"}));
    QVERIFY(readFile(batch.folder.filePath(QStringLiteral("maps.txt"))).startsWith("DURATION=0:3:0:0:0\r\n"));
}



void BatchWindowTest::missingToolEndsTheBatch()
{
    Batch batch;
    QFile::remove(batch.folder.filePath(QStringLiteral("rmevents")));
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    QCOMPARE(batch.prompts.messageTexts(), QStringList{"Some files are missing, please reinstall this application!"});
    QCOMPARE(batch.statuses(), (QStringList{"Failure", "To be processed"}));
    QVERIFY(!batch.form.runner().isRunning());
    QVERIFY(!batch.form.Timer1->isActive());
    QVERIFY(batch.form.btnStart->isEnabled());
}

void BatchWindowTest::unwritableScriptEndsTheBatch()
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
    QVERIFY(!batch.form.runner().isRunning());
    QVERIFY(batch.form.btnStart->isEnabled());
    QCOMPARE(batch.form.runner().toolProcessId(), 0);
}



void BatchWindowTest::runnerFollowsItsRowWhenRowsAreRemoved()
{
    Batch batch;
    for (const char *name : {"a.rm", "b.rm", "c.rm", "d.rm"})
        batch.clip(QString::fromLatin1(name));
    batch.form.actStartExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.form.runner().currentItem(), 1);

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
    QCOMPARE(batch.form.lvFiles->caption(batch.form.runner().currentItem()), batch.folder.filePath(QStringLiteral("d.rm")));
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Success"}));
    QCOMPARE(batch.finishNotices(), 1);
}

void BatchWindowTest::clearingTheListEndsTheBatchAfterTheJob()
{
    Batch batch;
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    batch.form.actClearItemsExecute();
    batch.finishCurrentRow();
    QCOMPARE(batch.finishNotices(), 1);
    QVERIFY(!batch.form.runner().isRunning());
}


void BatchWindowTest::gaugeHandlesClipsOverTwoGigabytes()
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
    batch.form.runner().Timer1Timer();
    QCOMPARE(MergeTool::MeasureFile(output.fileName()), threeGigabytes / 2);
    QCOMPARE(batch.form.ggProgress->progress(), threeGigabytes / 2);
    QCOMPARE(batch.form.ggProgress->percentDone(), 50);
    QCOMPARE(batch.status(0), QStringLiteral("Processing..."));
}

void BatchWindowTest::toolRunsOnWhenTheWindowCloses()
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
        tool = form.runner().toolProcessId();
        form.show();
        form.Exit1Click();
        QVERIFY(!form.isVisible());
    }
    QVERIFY(isProcessRunning(tool));
    ::kill(pid_t(tool), SIGKILL);
    QTRY_VERIFY(!isProcessRunning(tool));
    QVERIFY(prompts.messages.isEmpty());
}

// Retry Failed is off while a batch runs, like Start Merging; afterwards it merges the failed row.
void BatchWindowTest::retryFailedWaitsForTheBatch()
{
    Batch batch;
    const QString first = batch.clip(QStringLiteral("a.rm"));
    const QString late = batch.folder.filePath(QStringLiteral("late.rm"));
    batch.form.AddClip(late);
    batch.form.actStartExecute();
    // End the first tool only once it has recorded its arguments: a record still on its way would
    // land after the file is cleared for the retry, and be read in the retry's place.
    QCOMPARE(waitingToolArguments(batch.folder).value(1), first);
    QVERIFY(!batch.form.batchCommands().RetryFailed1->isEnabled());
    QVERIFY(!batch.form.batchCommands().RetryFailed2->isEnabled());
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Failure"}));
    QVERIFY(batch.form.batchCommands().RetryFailed1->isEnabled() && batch.form.batchCommands().RetryFailed2->isEnabled());

    writeClip(late, 1000);
    QFile::remove(batch.folder.filePath(QStringLiteral("arguments.txt")));
    batch.form.batchCommands().RetryFailed2->trigger();
    QCOMPARE(batch.form.runner().currentItem(), 1);
    QCOMPARE(waitingToolArguments(batch.folder).value(1), late);
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Success"}));
    QCOMPARE(batch.finishNotices(), 2);
}

// A log that can't be written is said once; the batch goes on and the log window still lists it all.
void BatchWindowTest::unwritableBatchLogIsSaidOnce()
{
    Batch batch;
    QVERIFY(QDir(batch.folder.path()).mkdir(QStringLiteral("batch.log")));
    batch.clip(QStringLiteral("a.rm"));
    batch.clip(QStringLiteral("b.rm"));
    batch.form.actStartExecute();
    batch.finishCurrentRow();
    batch.finishCurrentRow();
    QCOMPARE(batch.statuses(), (QStringList{"Success", "Success"}));
    QCOMPARE(batch.prompts.messages.size(), 2);
    QCOMPARE(batch.prompts.messages[0].icon, UserPrompts::Icon::Warning);
    QVERIFY2(batch.prompts.messages[0].text.contains(batch.folder.filePath(QStringLiteral("batch.log"))),
             qPrintable(batch.prompts.messages[0].text));
    QCOMPARE(batch.prompts.messages[1].text, QStringLiteral("Processing finish!"));
    const QString log = batch.form.batchCommands().batchLogWindow()->text();
    QVERIFY(log.contains(batch.folder.filePath(QStringLiteral("a.rm"))));
    QVERIFY(log.contains(batch.folder.filePath(QStringLiteral("b.rm"))));
}

QTEST_MAIN(BatchWindowTest)
#include "tst_batchwindow.moc"
