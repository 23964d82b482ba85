#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "jobs/AppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

// The Debian package as a user gets it: built by CPack, unpacked, and run from a program folder
// its user can't write, and run by root, who can. A copy installed by cmake --install beside it.
class InstallTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void packageHoldsTheProgramAndItsDesktopFiles();
    void packageDependsOnWhatTheBinariesUse();
    void lintianFindsNoErrors();
    void desktopFilesValidate_data();
    void desktopFilesValidate();
    void installedProgramStartsInTheUsersFolder_data();
    void installedProgramStartsInTheUsersFolder();
    void installedProgramRunsABatchWithTheInstalledTool();
    void installedCommandRunsABatchWithoutDisplay();
    void bashCompletesTheCommand_data();
    void bashCompletesTheCommand();
    void cleanupTestCase();

private:
    QString packageFile() const;
    QString unpacked(const QString &path) const { return m_root.filePath(QStringLiteral("unpacked/") + path); }
    QString programFolder() const { return unpacked(QStringLiteral("usr/lib/clipvane")); }
    QString userFolder(const QString &dataHome = QStringLiteral("data")) const
    {
        return m_root.filePath(dataHome + QStringLiteral("/Clipvane"));
    }
    // Runs as an ordinary user: permission bits don't stop root.
    QStringList asUser(const QStringList &command) const;
    QProcessEnvironment userEnvironment(const QString &dataHome = QStringLiteral("data")) const;
    QStringList programFolderListing(const QString &folder) const;
    QStringList programFolderListing() const { return programFolderListing(programFolder()); }
    void writeClips() const;

    QTemporaryDir m_root;
    QStringList m_installedFiles;
};

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
};

Run run(const QStringList &command, int timeout = 120000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(timeout) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromLocal8Bit(process.readAll())};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

const QStringList clipNames{QStringLiteral("first.rm"), QStringLiteral("second.rmvb")};
const QStringList installedProgramFolder{QStringLiteral("clipvane"), QStringLiteral("clipvane-batch"), installedCopyMarker,
                                        QStringLiteral("rmevents")};

} // namespace

void InstallTest::initTestCase()
{
    QVERIFY(m_root.isValid());
    // The ordinary user must reach the unpacked program, the clips and the data folder.
    QFile::setPermissions(m_root.path(), QFile::permissions(m_root.path()) | QFile::ExeOther | QFile::ReadOther);
    const Run pack = run({QStringLiteral(CPACK_PATH), QStringLiteral("--config"), QStringLiteral(CPACK_CONFIG),
                          QStringLiteral("-B"), m_root.filePath(QStringLiteral("package"))});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.output));
    QVERIFY2(!packageFile().isEmpty(), "no package built");
    const Run unpack = run({QStringLiteral("dpkg-deb"), QStringLiteral("-x"), packageFile(), unpacked(QString())});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.output));
    const Run contents = run({QStringLiteral("dpkg-deb"), QStringLiteral("-c"), packageFile()});
    for (const QString &line : contents.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m_installedFiles << line.section(QLatin1String(" ./"), 1).section(QLatin1String(" -> "), 0, 0);

    for (const char *folder : {"data", "clips", "home"}) {
        QVERIFY(QDir(m_root.path()).mkdir(QString::fromLatin1(folder)));
        QFile::setPermissions(m_root.filePath(QString::fromLatin1(folder)), QFileDevice::Permissions(0x7777));
    }
    QVERIFY(QFile::setPermissions(programFolder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                       QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    QCOMPARE(programFolderListing(), installedProgramFolder);

    const Run install = run({QStringLiteral(CMAKE_PATH), QStringLiteral("--install"), QStringLiteral(BUILD_PATH),
                             QStringLiteral("--prefix"), m_root.filePath(QStringLiteral("prefix"))});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    QCOMPARE(programFolderListing(m_root.filePath(QStringLiteral("prefix/lib/clipvane"))), installedProgramFolder);
}

QString InstallTest::packageFile() const
{
    const QString architecture = run({QStringLiteral("dpkg"), QStringLiteral("--print-architecture")}).output.trimmed();
    const QString path = m_root.filePath(QStringLiteral("package/clipvane_1.40_%1.deb").arg(architecture));
    return QFileInfo::exists(path) ? path : QString();
}

QStringList InstallTest::asUser(const QStringList &command) const
{
    if (::geteuid() != 0)
        return command;
    return QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                       QStringLiteral("--clear-groups"), QStringLiteral("--")} +
           command;
}

QProcessEnvironment InstallTest::userEnvironment(const QString &dataHome) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), m_root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_root.filePath(dataHome));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return environment;
}

QStringList InstallTest::programFolderListing(const QString &folder) const
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void InstallTest::writeClips() const
{
    for (const QString &name : clipNames) {
        const QString path = m_root.filePath(QStringLiteral("clips/") + name);
        writeRealMediaClip(path, 200000);
        QFile::setPermissions(path, QFileDevice::Permissions(0x6666));
    }
}

void InstallTest::packageHoldsTheProgramAndItsDesktopFiles()
{
    for (const char *file : {"usr/lib/clipvane/clipvane", "usr/lib/clipvane/rmevents", "usr/bin/clipvane",
                             "usr/lib/clipvane/clipvane-batch", "usr/bin/clipvane-batch",
                             "usr/share/man/man1/clipvane-batch.1.gz", "usr/share/doc/clipvane/manual.html",
                             "usr/share/applications/com.example.Clipvane.desktop",
                             "usr/share/metainfo/com.example.Clipvane.metainfo.xml",
                             "usr/share/icons/hicolor/scalable/apps/com.example.Clipvane.svg",
                             "usr/share/man/man1/clipvane.1.gz", "usr/share/doc/clipvane/copyright",
                             "usr/share/doc/clipvane/changelog.gz",
                             "usr/share/bash-completion/completions/clipvane-batch"})
        QVERIFY2(m_installedFiles.contains(QString::fromLatin1(file)), file);
    QVERIFY(m_installedFiles.contains(QStringLiteral("usr/lib/clipvane/") + installedCopyMarker));
    QVERIFY(!m_installedFiles.contains(QStringLiteral("usr/bin/rmevents")));
    const QFileInfo command(unpacked(QStringLiteral("usr/bin/clipvane")));
    QVERIFY(command.isSymLink());
    QCOMPARE(command.symLinkTarget(), programFolder() + QStringLiteral("/clipvane"));
    QVERIFY(QFileInfo(programFolder() + QStringLiteral("/rmevents")).isExecutable());
}

void InstallTest::packageDependsOnWhatTheBinariesUse()
{
    const Run depends = run({QStringLiteral("dpkg-deb"), QStringLiteral("-f"), packageFile(), QStringLiteral("Depends")});
    QCOMPARE(depends.exitCode, 0);
    for (const char *package : {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6"})
        QVERIFY2(depends.output.contains(QString::fromLatin1(package) + QLatin1String(" (>= ")), qPrintable(depends.output));
}

void InstallTest::lintianFindsNoErrors()
{
    const Run lintian = run({QStringLiteral("lintian"), packageFile()});
    QVERIFY2(lintian.exitCode >= 0, qPrintable(lintian.output));
    const QStringList errors = lintian.output.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^E: ")));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
}

void InstallTest::desktopFilesValidate_data()
{
    QTest::addColumn<QStringList>("validator");
    QTest::addColumn<QString>("file");
    QTest::newRow("desktop entry") << QStringList{"desktop-file-validate"}
                                   << "usr/share/applications/com.example.Clipvane.desktop";
    QTest::newRow("AppStream data") << QStringList{"appstreamcli", "validate", "--no-net"}
                                    << "usr/share/metainfo/com.example.Clipvane.metainfo.xml";
}

void InstallTest::desktopFilesValidate()
{
    QFETCH(QStringList, validator);
    QFETCH(QString, file);
    const Run validation = run(validator << unpacked(file));
    QVERIFY2(validation.exitCode == 0, qPrintable(validation.output));
}

// The unpacked package's program folder can be written by root only, the copy cmake --install made
// by whoever runs the tests (root in CI): the installed copy keeps out of it all the same.
void InstallTest::installedProgramStartsInTheUsersFolder_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("ordinaryUser");
    QTest::addColumn<QString>("dataHome");
    QTest::newRow("package, ordinary user") << "unpacked/usr" << true << "data";
    QTest::newRow("package, the tests' user") << "unpacked/usr" << false << "data-package";
    QTest::newRow("cmake --install, the tests' user") << "prefix" << false << "data-cmake-install";
}

void InstallTest::installedProgramStartsInTheUsersFolder()
{
    QFETCH(QString, prefix);
    QFETCH(bool, ordinaryUser);
    QFETCH(QString, dataHome);
    const QString installedFolder = m_root.filePath(prefix + QStringLiteral("/lib/clipvane"));
    QCOMPARE(programFolderListing(installedFolder), installedProgramFolder);
    writeClips();
    QProcess program;
    program.setProcessEnvironment(userEnvironment(dataHome));
    program.setWorkingDirectory(m_root.filePath(QStringLiteral("clips")));
    const QStringList command = QStringList{m_root.filePath(prefix + QStringLiteral("/bin/clipvane"))} + clipNames;
    const QStringList runAs = ordinaryUser ? asUser(command) : command;
    program.start(runAs.first(), runAs.mid(1));
    QVERIFY(program.waitForStarted());
    const QString languageFile = userFolder(dataHome) + QStringLiteral("/DefLang.ini");
    QTRY_VERIFY_WITH_TIMEOUT(readFile(languageFile).contains("btnAdd_Caption=Add Files"), 20000);
    QVERIFY2(program.state() == QProcess::Running, qPrintable(QString::fromLocal8Bit(program.readAll())));
    QCOMPARE(programFolderListing(installedFolder), installedProgramFolder);
    program.terminate();
    QVERIFY(program.waitForFinished());
}

void InstallTest::installedProgramRunsABatchWithTheInstalledTool()
{
    writeClips();
    // The driver starts Clipvane through the same start-up as the program, with the unpacked program
    // folder; it lies beside the package where the ordinary user can run it.
    const QString driver = m_root.filePath(QStringLiteral("installed_batch"));
    QFile::remove(driver);
    QVERIFY(QFile::copy(QStringLiteral(INSTALLED_BATCH_PATH), driver));
    QProcess batch;
    batch.setProcessEnvironment(userEnvironment());
    batch.setWorkingDirectory(m_root.filePath(QStringLiteral("clips")));
    const QStringList command = asUser(QStringList{driver, programFolder()} + clipNames);
    batch.start(command.first(), command.mid(1));
    QVERIFY(batch.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(batch.readAllStandardOutput());
    QVERIFY2(batch.exitCode() == 0, qPrintable(output + QString::fromLocal8Bit(batch.readAllStandardError())));
    const QString clips = QDir(m_root.filePath(QStringLiteral("clips"))).canonicalPath() + QLatin1Char('/');
    QCOMPARE(output, clips + clipNames[0] + QStringLiteral("\tSuccess\n") + clips + clipNames[1] +
                         QStringLiteral("\tSuccess\nmessage\tProcessing finish!\n"));
    for (const QString &name : clipNames) {
        const RealMediaTest::ReadClip merged = RealMediaTest::readClip(clips + QStringLiteral("Done_") + name);
        QVERIFY2(merged.error.isEmpty(), qPrintable(merged.error));
    }
    QCOMPARE(programFolderListing(), installedProgramFolder);
    for (const char *file : {"DefLang.ini", "events.txt", "maps.txt"})
        QVERIFY2(QFile::exists(userFolder() + QLatin1Char('/') + QString::fromLatin1(file)), file);
}

// The command on the PATH, as an ordinary user with no display: it merges with the installed tool
// in private folders, and nothing lands in the program folder or the user's data folder.
void InstallTest::installedCommandRunsABatchWithoutDisplay()
{
    writeClips();
    const QString profile = m_root.filePath(QStringLiteral("clips/profile.json"));
    writeFile(profile, R"({"clickEvent": {"merge": false}, "clipInformation": {"title": {"include": true, "text": "Spring"}}})");
    QFile::setPermissions(profile, QFileDevice::Permissions(0x6666));
    QProcess batch;
    QProcessEnvironment environment = userEnvironment(QStringLiteral("command-data"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    batch.setProcessEnvironment(environment);
    batch.setWorkingDirectory(m_root.filePath(QStringLiteral("clips")));
    const QStringList command = asUser(QStringList{unpacked(QStringLiteral("usr/bin/clipvane-batch")),
                                                   QStringLiteral("--profile"), QStringLiteral("profile.json"),
                                                   QStringLiteral("-o"), QStringLiteral("merged")} +
                                       clipNames);
    batch.start(command.first(), command.mid(1));
    QVERIFY(batch.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(batch.readAllStandardOutput() + batch.readAllStandardError());
    QVERIFY2(batch.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("2 merged, 0 failed, 0 not done")), qPrintable(output));
    for (const QString &name : clipNames) {
        const RealMediaTest::ReadClip merged =
            RealMediaTest::readClip(m_root.filePath(QStringLiteral("clips/merged/Done_") + name));
        QVERIFY2(merged.error.isEmpty(), qPrintable(merged.error));
    }
    QCOMPARE(programFolderListing(), installedProgramFolder);
    QVERIFY(!QFileInfo::exists(m_root.filePath(QStringLiteral("command-data/Clipvane"))));
}

void InstallTest::bashCompletesTheCommand_data()
{
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("offered");
    // In a folder holding "my clips/", "sub/", a.rm, b.RMVB, c.ra, p.json, Q.JSON, t.csv and notes.txt.
    const QStringList copies{"unpacked/usr", "prefix"};
    for (const QString &copy : copies) {
        const char *by = copy == QLatin1String("prefix") ? " (cmake --install)" : " (package)";
        QTest::addRow("options%s", by) << copy << QStringList{"--"}
                                      << QStringList{"--dry-run", "--help", "--json", "--keep-date", "--keep-tree",
                                                     "--profile", "--skip-existing", "--values", "--version"};
        QTest::addRow("options, begun%s", by) << copy << QStringList{"--k"} << QStringList{"--keep-date", "--keep-tree"};
        QTest::addRow("a profile%s", by) << copy << QStringList{"--profile", ""}
                                        << QStringList{"Q.JSON", "my clips", "p.json", "sub"};
        QTest::addRow("a values table%s", by) << copy << QStringList{"--profile", "p.json", "--values", ""}
                                             << QStringList{"my clips", "sub", "t.csv"};
        QTest::addRow("an output folder%s", by) << copy << QStringList{"--profile", "p.json", "-o", ""}
                                               << QStringList{"my clips", "sub"};
        QTest::addRow("clips and folders%s", by) << copy << QStringList{"--profile", "p.json", ""}
                                                << QStringList{"a.rm", "b.RMVB", "c.ra", "my clips", "sub"};
        QTest::addRow("a folder with a blank, begun%s", by) << copy << QStringList{"my"} << QStringList{"my clips"};
    }
}

// The installed completion file as bash loads it, asked for each word as a person's Tab would.
void InstallTest::bashCompletesTheCommand()
{
    QFETCH(QString, installed);
    QFETCH(QStringList, words);
    QFETCH(QStringList, offered);
    const QString completion =
        m_root.filePath(installed + QStringLiteral("/share/bash-completion/completions/clipvane-batch"));
    QVERIFY2(QFileInfo(completion).isFile(), qPrintable(completion));
    QTemporaryDir folder;
    for (const char *sub : {"my clips", "sub"})
        QVERIFY(QDir(folder.path()).mkdir(QString::fromLatin1(sub)));
    for (const char *file : {"a.rm", "b.RMVB", "c.ra", "p.json", "Q.JSON", "t.csv", "notes.txt"})
        writeFile(folder.filePath(QString::fromLatin1(file)), "x");
    // The words come as arguments, so that none of them is read as shell code.
    const QString script = QStringLiteral(
        "source \"$1\" || exit 3\n"
        "complete -p clipvane-batch || exit 4\n"
        "shift\n"
        "COMP_WORDS=(clipvane-batch \"$@\")\n"
        "COMP_CWORD=$#\n"
        "_clipvane_batch\n"
        "printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort\n");
    QProcess bash;
    bash.setWorkingDirectory(folder.path());
    bash.start(QStringLiteral("bash"), QStringList{"--norc", "--noprofile", "-c", script, "bash", completion} + words);
    QVERIFY(bash.waitForFinished(10000));
    const QString errors = QString::fromLocal8Bit(bash.readAllStandardError());
    QVERIFY2(bash.exitCode() == 0, qPrintable(errors));
    const QStringList lines = QString::fromLocal8Bit(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), QStringLiteral("complete -o filenames -F _clipvane_batch clipvane-batch"));
    QCOMPARE(lines.mid(1), offered);
}

// The temporary folder can go only once its user may change the program folder again.
void InstallTest::cleanupTestCase()
{
    QFile::setPermissions(programFolder(), QFile::permissions(programFolder()) | QFile::WriteOwner);
}

QTEST_MAIN(InstallTest)
#include "tst_install.moc"
