#include "TestSupport.h"

#include "app/MainWindow.h"
#include "jobs/AppFolder.h"
#include "jobs/FailureReasons.h"
#include "widgets/CaptionedWidgets.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

class ManualTest : public QObject
{
    Q_OBJECT

private slots:
    void helpOpensTheShippedManual_data();
    void helpOpensTheShippedManual();
    void helpWithoutTheManualSaysSo();
    void troubleshootingCoversEveryReasonTheToolWrites();
    void troubleshootingCoversEveryReasonOfTheRunner();
    void manualCoversEveryMenuCommand();
};

namespace {

QString manualSource()
{
    return QString::fromUtf8(readFile(QStringLiteral(MANUAL_SOURCE_PATH)));
}

QString troubleshootingPart()
{
    const QString manual = manualSource();
    const qsizetype start = manual.indexOf(QStringLiteral("\n## Troubleshooting"));
    return start < 0 ? QString() : manual.mid(start);
}

// The text from a call's opening to its semicolon, string literals read whole.
QStringList literalsOfStatement(const QString &source, qsizetype from)
{
    QStringList literals;
    QString literal;
    bool inLiteral = false;
    for (qsizetype i = from; i < source.size(); ++i) {
        const QChar c = source[i];
        if (inLiteral) {
            if (c == QLatin1Char('\\') && i + 1 < source.size()) {
                literal += source[++i];
            } else if (c == QLatin1Char('"')) {
                inLiteral = false;
                literals << literal;
                literal.clear();
            } else {
                literal += c;
            }
        } else if (c == QLatin1Char('"')) {
            inLiteral = true;
        } else if (c == QLatin1Char(';')) {
            break;
        }
    }
    return literals;
}

// What the merge tool can write after "Failed:": the message of every ClipError it throws, its
// refusals of paths, and the merge's own last lines. Each is known by its longest fixed text.
QStringList toolFailureReasons()
{
    const QString tool = QStringLiteral(TOOL_SOURCE_DIR) + QLatin1Char('/');
    QStringList reasons;
    QDirIterator sources(tool, {QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (sources.hasNext()) {
        const QString path = sources.next();
        const QString relative = path.mid(tool.size());
        QStringList calls{QStringLiteral("ClipError(")};
        if (relative == QLatin1String("files/ClipPaths.cpp"))
            calls << QStringLiteral("return ");
        if (relative == QLatin1String("merge/Merge.cpp"))
            calls << QStringLiteral("fail(log,") << QStringLiteral("finish(log,") << QStringLiteral("outOfMemory =");
        const QString source = QString::fromUtf8(readFile(path));
        for (const QString &call : calls) {
            for (qsizetype at = source.indexOf(call); at >= 0; at = source.indexOf(call, at + 1)) {
                QString longest;
                for (QString literal : literalsOfStatement(source, at + call.size())) {
                    literal = literal.trimmed();
                    static const QRegularExpression edges(QStringLiteral("^[\\s.:;,'()]+|[\\s.:;,'()]+$"));
                    literal.remove(edges);
                    if (literal.size() > longest.size())
                        longest = literal;
                }
                if (longest.startsWith(QLatin1String("Failed: ")))
                    longest = longest.mid(8);
                if (longest.size() >= 8 && !reasons.contains(longest))
                    reasons << longest;
            }
        }
    }
    return reasons;
}

} // namespace

void ManualTest::helpOpensTheShippedManual_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("manualFolder");
    QTest::newRow("a build or a copy of its own") << "clipvane" << "clipvane";
    QTest::newRow("installed") << "usr/lib/clipvane" << "usr/share/doc/clipvane";
}

// From the tool bar and from the menu: a file of this machine that is the manual the build made.
void ManualTest::helpOpensTheShippedManual()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, manualFolder);
    TemporaryAppFolder appFolder;
    QTemporaryDir root;
    QDir().mkpath(root.filePath(programFolder));
    QDir().mkpath(root.filePath(manualFolder));
    QVERIFY(QFile::copy(QStringLiteral(MANUAL_HTML_PATH), root.filePath(manualFolder + QStringLiteral("/manual.html"))));
    redirectAppFolders(root.filePath(programFolder), appFolder.path());
    RecordingPrompts prompts;
    TForm1 form;
    form.btnHelp->click();
    form.findChild<QAction *>(QStringLiteral("OnlineHelp1"))->trigger();
    QCOMPARE(prompts.openedUrls.size(), 2);
    QCOMPARE(prompts.openedUrls[1], prompts.openedUrls[0]);
    const QUrl url(prompts.openedUrls[0]);
    QVERIFY(url.isLocalFile());
    QCOMPARE(QFileInfo(url.toLocalFile()).canonicalFilePath(),
             QFileInfo(root.filePath(manualFolder + QStringLiteral("/manual.html"))).canonicalFilePath());
    const QByteArray page = readFile(url.toLocalFile());
    QVERIFY(page.contains("<title>Clipvane User Manual</title>"));
    QVERIFY(page.contains("Troubleshooting"));
    QVERIFY(prompts.messages.isEmpty());
}

void ManualTest::helpWithoutTheManualSaysSo()
{
    TemporaryAppFolder appFolder;
    RecordingPrompts prompts;
    TForm1 form;
    form.actHelpExecute();
    QVERIFY(prompts.openedUrls.isEmpty());
    QCOMPARE(prompts.messageTexts(), QStringList{"The user manual is missing; please reinstall Clipvane."});
    // A desktop without a browser: the person is told where the manual lies.
    appFolder.installManual();
    prompts.urlsOpen = false;
    form.actHelpExecute();
    QCOMPARE(prompts.messages.size(), 2);
    QVERIFY(prompts.messages[1].text.endsWith(appFolder.programPath() + QStringLiteral("manual.html")));
}

void ManualTest::troubleshootingCoversEveryReasonTheToolWrites()
{
    const QString troubleshooting = troubleshootingPart();
    QVERIFY(!troubleshooting.isEmpty());
    const QStringList reasons = toolFailureReasons();
    // The search itself must find the reasons, or the test would pass on nothing.
    for (const char *known : {"is not a RealMedia or RealAudio file (it begins with", "the source is truncated: it ends at offset",
                              "cannot create output", "is a folder, not a clip", "in the scripts; no output written",
                              "out of memory; no output written"})
        QVERIFY2(reasons.contains(QString::fromLatin1(known)), known);
    QStringList missing;
    for (const QString &reason : reasons) {
        if (!troubleshooting.contains(reason))
            missing << reason;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing from the troubleshooting part: ") + missing.join(QStringLiteral(" | "))));
}

void ManualTest::troubleshootingCoversEveryReasonOfTheRunner()
{
    const QString troubleshooting = troubleshootingPart();
    for (const QString &reason : FailureReasons::all)
        QVERIFY2(troubleshooting.contains(QStringLiteral("**") + reason), qPrintable(reason));
}

// Every command of the menus and the list's pop-up menu is in the manual under its caption.
void ManualTest::manualCoversEveryMenuCommand()
{
    TemporaryAppFolder appFolder;
    TForm1 form;
    const QString manual = manualSource();
    QList<QMenu *> menus{form.pmFiles};
    for (QAction *item : form.mm1->actions())
        menus << item->menu();
    QStringList missing;
    for (QMenu *menu : menus) {
        for (QAction *item : menu->actions()) {
            const QString caption = QString(item->text()).remove(QLatin1Char('&'));
            if (!item->isSeparator() && !manual.contains(QStringLiteral("**") + caption + QStringLiteral("**")))
                missing << caption;
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

QTEST_MAIN(ManualTest)
#include "tst_manual.moc"
