// The batch log: what a finished job's row says, its entry in the log, and the log file that keeps
// the entries and is cut back past its limit.
#include "TestSupport.h"

#include "jobs/BatchLogFile.h"
#include "jobs/InputOutputError.h"
#include "jobs/JobRecord.h"

#include <QDir>
#include <QTest>

class BatchLogTest : public QObject
{
    Q_OBJECT

private slots:
    void jobDetails_data();
    void jobDetails();
    void entryLine();
    void appendKeepsWhatIsThere();
    void cutBackToTheNewestHalf_data();
    void cutBackToTheNewestHalf();
    void cutPastOneMebibyte();
    void unwritableLogIsReported();
};

namespace {

JobRecord record(const QString &status, const QStringList &toolLog, const QString &reason)
{
    return {QStringLiteral("/clips/a.rm"), QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)), 1250, status, toolLog, reason};
}

} // namespace

void BatchLogTest::jobDetails_data()
{
    QTest::addColumn<QStringList>("toolLog");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("details");
    QTest::newRow("the tool's account") << QStringList{"Source \"a.rm\".", "Failed: cut short."} << ""
                                        << QStringList{"Source \"a.rm\".", "Failed: cut short."};
    QTest::newRow("refused before the tool ran") << QStringList{} << "The source file does not exist."
                                                 << QStringList{"The source file does not exist."};
    QTest::newRow("the runner's reason before what the tool wrote")
        << QStringList{"Source \"a.rm\"."} << "The merge tool ended without finishing its log."
        << QStringList{"The merge tool ended without finishing its log.", "Source \"a.rm\"."};
}

void BatchLogTest::jobDetails()
{
    QFETCH(QStringList, toolLog);
    QFETCH(QString, reason);
    QFETCH(QStringList, details);
    QCOMPARE(::jobDetails(record(QStringLiteral("Failure"), toolLog, reason)), details);
}

void BatchLogTest::entryLine()
{
    QCOMPARE(batchLogEntry(record(QStringLiteral("Failure"), {"Source \"a.rm\"."}, QStringLiteral("Ended early."))),
             (QStringList{"2026-03-04 05:06:07  Failure  1.3 s  /clips/a.rm", "    Ended early.",
                          "    Source \"a.rm\"."}));
}

void BatchLogTest::appendKeepsWhatIsThere()
{
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("batch.log"));
    BatchLogFile::append(log, {"one", "片段 two"});
    BatchLogFile::append(log, {"three"});
    QCOMPARE(readFile(log), QByteArray("one\n\xe7\x89\x87\xe6\xae\xb5 two\nthree\n"));
}

void BatchLogTest::cutBackToTheNewestHalf_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<QByteArray>("after");
    // A limit of 20 bytes: past it, the newest whole lines within 10 bytes stay.
    QTest::newRow("at the limit, nothing is cut") << QByteArray("aaaa\nbbbb\ncccc\n") << QStringList{"ddd"}
                                                  << QByteArray("aaaa\nbbbb\ncccc\nddd\n");
    QTest::newRow("half ends at a line break") << QByteArray("aaaaa\nbbbb\ncccc\n") << QStringList{"dddd"}
                                               << QByteArray("cccc\ndddd\n");
    QTest::newRow("a line cut by the half goes whole") << QByteArray("aaaa\nbbbbbb\ncc\n") << QStringList{"ddddd"}
                                                       << QByteArray("cc\nddddd\n");
    QTest::newRow("a newest line longer than the half stays whole")
        << QByteArray("aaaa\nbbbb\n") << QStringList{"cccccccccccccc"} << QByteArray("cccccccccccccc\n");
    QTest::newRow("a single line past the limit stays") << QByteArray() << QStringList{"aaaaaaaaaaaaaaaaaaaaaaaa"}
                                                        << QByteArray("aaaaaaaaaaaaaaaaaaaaaaaa\n");
}

void BatchLogTest::cutBackToTheNewestHalf()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, appended);
    QFETCH(QByteArray, after);
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("batch.log"));
    writeFile(log, before);
    BatchLogFile::append(log, appended, 20);
    QCOMPARE(readFile(log), after);
}

void BatchLogTest::cutPastOneMebibyte()
{
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("batch.log"));
    QByteArray before;
    for (int line = 0; before.size() + 12 <= BatchLogFile::sizeLimit; ++line)
        before += QStringLiteral("line %1\n").arg(line, 6, 10, QLatin1Char('0')).toLatin1();
    writeFile(log, before);
    BatchLogFile::append(log, {"newest"});
    const QByteArray after = readFile(log);
    QVERIFY(after.size() <= BatchLogFile::sizeLimit / 2);
    QVERIFY(after.size() > BatchLogFile::sizeLimit / 2 - 12);
    QVERIFY(after.startsWith("line "));
    QVERIFY((before + "newest\n").endsWith(after));
}

// Root writes anywhere: a folder where the log should be stops it.
void BatchLogTest::unwritableLogIsReported()
{
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("batch.log"));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("batch.log")));
    try {
        BatchLogFile::append(log, {"line"});
        QFAIL("no error");
    } catch (const InputOutputError &error) {
        QVERIFY2(error.message().contains(QDir::toNativeSeparators(log)), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(BatchLogTest)
#include "tst_batchlog.moc"
