#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/Startup.h"
#include "app/MainWindow.h"
#include "jobs/BatchRunner.h"
#include "jobs/AppFolder.h"
#include "widgets/ListView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void workingFolderFollowsWhatCanBeWritten_data();
    void workingFolderFollowsWhatCanBeWritten();
    void commandLineClipsAreListed_data();
    void commandLineClipsAreListed();
    void installedCopyRunsTheToolInTheWorkingFolder();
};

namespace {

// Points the user's data location at a folder of the test's own while it lives.
class TemporaryDataHome
{
public:
    explicit TemporaryDataHome(const QString &path) : m_previous(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path));
    }
    ~TemporaryDataHome()
    {
        if (m_previous.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_previous);
    }

private:
    QByteArray m_previous;
};

// Restores the current folder when the test is over.
class CurrentFolder
{
public:
    explicit CurrentFolder(const QString &path) : m_previous(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

// An installed copy's program folder holds the marker that installing puts there. The suite runs as
// root too, which can write any folder: then only the marker keeps an installed copy out of it.
void StartupTest::workingFolderFollowsWhatCanBeWritten_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("programWritable");
    QTest::addColumn<bool>("dataWritable");
    QTest::addColumn<QString>("expectedWorking");
    QTest::newRow("portable copy") << false << true << true << "program";
    QTest::newRow("portable copy, no data location") << false << true << false << "program";
    QTest::newRow("portable copy, program folder read-only") << false << false << true << "data";
    QTest::newRow("neither can be written") << false << false << false << "";
    QTest::newRow("installed copy, program folder writable") << true << true << true << "data";
    QTest::newRow("installed copy, no data location") << true << true << false << "";
}

// A folder that can't be written, even by root: one whose path runs through a regular file.
void StartupTest::workingFolderFollowsWhatCanBeWritten()
{
    QFETCH(bool, installed);
    QFETCH(bool, programWritable);
    QFETCH(bool, dataWritable);
    QFETCH(QString, expectedWorking);
    TemporaryAppFolder restoredFolders;
    QTemporaryDir root;
    writeFile(root.filePath(QStringLiteral("plain file")), "not a folder");
    const QString blocked = root.filePath(QStringLiteral("plain file")) + QLatin1Char('/');
    const QString program = programWritable ? root.filePath(QStringLiteral("program")) + QLatin1Char('/')
                                            : blocked + QStringLiteral("program/");
    QDir().mkpath(program);
    if (installed)
        writeFile(program + installedCopyMarker, "installed");
    const QString dataHome = dataWritable ? root.filePath(QStringLiteral("data")) : blocked + QStringLiteral("data");
    const QString userFolder = dataHome + QStringLiteral("/Clipvane/");
    const TemporaryDataHome data(dataHome);
    RecordingPrompts prompts;
    const auto programEntries = [&] {
        return QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList entriesBefore = programEntries();

    const std::unique_ptr<TForm1> form = createMainWindow(program);
    if (expectedWorking.isEmpty()) {
        QVERIFY(!form);
        QCOMPARE(prompts.messageTexts(), QStringList{QStringLiteral("Unable to write to ") + userFolder + "DefLang.ini"});
        QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Error);
        QCOMPARE(programEntries(), entriesBefore);
        return;
    }
    QVERIFY(form);
    QVERIFY(prompts.messages.isEmpty());
    const QString working = expectedWorking == QLatin1String("program") ? program : userFolder;
    QCOMPARE(programFolder(), program);
    QCOMPARE(workingFolder(), working);
    QVERIFY(QFile::exists(working + QStringLiteral("DefLang.ini")));
    if (working == program) {
        QCOMPARE(programEntries(), QStringList{"DefLang.ini"});
        QVERIFY(!QFile::exists(userFolder));
    } else {
        QCOMPARE(programEntries(), entriesBefore);
    }
}

void StartupTest::commandLineClipsAreListed_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("relative and absolute")
        << QStringList{"a.rm", "clips/b.RMVB", "/media/c.Ra"}
        << QStringList{"@/a.rm", "@/clips/b.RMVB", "/media/c.Ra"};
    QTest::newRow("other files passed over")
        << QStringList{"notes.txt", "d.rm.bak", "e", "f.ra", "movie.avi"} << QStringList{"@/f.ra"};
    QTest::newRow("same clip twice") << QStringList{"g.rm", "g.rm"} << QStringList{"@/g.rm", "@/g.rm"};
    QTest::newRow("none") << QStringList{} << QStringList{};
}

void StartupTest::commandLineClipsAreListed()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, listed);
    TemporaryAppFolder folder;
    QTemporaryDir current;
    const CurrentFolder inCurrent(current.path());
    const std::unique_ptr<TForm1> form = createMainWindow(folder.path(), arguments);
    QVERIFY(form);
    QStringList sources;
    QStringList outputs;
    for (int row = 0; row < form->lvFiles->rowCount(); ++row) {
        sources << form->lvFiles->caption(row);
        outputs << form->lvFiles->subItem(row, 0);
        QCOMPARE(form->lvFiles->subItem(row, 1), QStringLiteral("To be processed"));
    }
    listed.replaceInStrings(QStringLiteral("@"), current.path());
    QCOMPARE(sources, listed);
    for (int row = 0; row < listed.size(); ++row) {
        const qsizetype slash = listed[row].lastIndexOf(QLatin1Char('/'));
        QCOMPARE(outputs[row], listed[row].left(slash + 1) + QStringLiteral("Done_") + listed[row].mid(slash + 1));
    }
}

// The tool lies in the program folder; its scripts, its log and the lock in the working folder,
// where the tool runs.
void StartupTest::installedCopyRunsTheToolInTheWorkingFolder()
{
    TemporaryAppFolder folder(TemporaryAppFolder::Layout::Installed);
    folder.installToolScript("pwd > where.txt\n"
                             "cp events.txt seen-events.txt\n"
                             "cp \"$2\" \"$4\"\n"
                             "printf '***\\r\\n' > result.txt");
    RecordingPrompts prompts;
    TForm1 form;
    QTemporaryDir clips;
    const QString clip = clips.filePath(QStringLiteral("a.rm"));
    writeRealMediaClip(clip, 2000);
    QVERIFY(form.AddClip(clip));
    form.actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!form.runner().isRunning(), 10000);
    QCOMPARE(prompts.messageTexts(), QStringList{"Processing finish!"});
    QCOMPARE(form.lvFiles->subItem(0, 1), QStringLiteral("Success"));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("where.txt"))).trimmed(),
             QFile::encodeName(QDir(folder.path()).canonicalPath()));
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("seen-events.txt"))));
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("maps.txt"))));
    QCOMPARE(QDir(folder.programPath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"rmevents"});
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
