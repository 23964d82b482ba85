#include "TestSupport.h"

#include "jobs/InputOutputError.h"
#include "jobs/OneLineText.h"
#include "jobs/ScriptFile.h"
#include "jobs/ScriptWriters.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <cstring>

using Rows = QList<TimeEventRow>;
Q_DECLARE_METATYPE(TimeEventRow)
Q_DECLARE_METATYPE(ClipInformation)
Q_DECLARE_METATYPE(ClickMap)

class ScriptWritersTest : public QObject
{
    Q_OBJECT

private slots:
    void eventScript_data();
    void eventScript();
    void clickMap_data();
    void clickMap();
    void oneLineText_data();
    void oneLineText();
    void systemTextIsWrittenInTheCodePage();
    void characterSetOfLocale_data();
    void characterSetOfLocale();
    void writingCreatesOrOverwrites();
    void writeFailuresRaiseInputOutputErrors_data();
    void writeFailuresRaiseInputOutputErrors();
    void writeCutShortRaisesAnInputOutputError();
};

namespace {

const QString rpContext = QStringLiteral("?rpcontextheight=250&rpcontextwidth=280");

ClipInformation onlyTitle(const QString &title)
{
    ClipInformation information;
    information.title = {true, title};
    return information;
}

ClipInformation onlyDescription(const QString &text)
{
    ClipInformation information;
    information.description = {true, text};
    return information;
}

} // namespace

void ScriptWritersTest::eventScript_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<ClipInformation>("information");
    QTest::addColumn<QString>("expected");

    ClipInformation worked = onlyTitle(QStringLiteral("T"));
    worked.description = {true, QStringLiteral("D1\nD2")};
    QTest::newRow("worked example")
        << Rows{{"00:00:05.0", "00:00:20.0", "External Browser", "U1"},
                {"00:01:00.0", "00:01:30.0", "Related Info Pane", "U2"}}
        << worked
        << QString("u 00:00:05.0 00:00:20.0 &&_rpexternal&&U1\r\n"
                   "u 00:01:00.0 00:01:30.0 &&_rpcontextwin&&U2" + rpContext + "\r\n"
                   "i 00:00:00.0 00:00:10.0 T\r\n"
                   "q 00:00:00.0 00:00:10.0  D1 D2\r\n");
    QTest::newRow("nothing gives an empty file") << Rows{} << ClipInformation{} << QString();
    QTest::newRow("title alone") << Rows{} << onlyTitle(QStringLiteral("My clip"))
                                 << QString("i 00:00:00.0 00:00:10.0 My clip\r\n");

    ClipInformation all;
    all.title = {true, QStringLiteral("T")};
    all.copyright = {true, QStringLiteral("C")};
    all.author = {true, QStringLiteral("A")};
    all.keywords = {true, QStringLiteral("K")};
    all.description = {true, QStringLiteral("D")};
    QTest::newRow("all five in fixed order")
        << Rows{} << all
        << QString("i 00:00:00.0 00:00:10.0 T\r\nc 00:00:00.0 00:00:10.0 C\r\na 00:00:00.0 00:00:10.0 A\r\n"
                   "n 00:00:00.0 00:00:10.0 K\r\nq 00:00:00.0 00:00:10.0  D\r\n");

    ClipInformation unchecked;
    unchecked.title = {false, QStringLiteral("T")};
    unchecked.copyright = {true, QString()};
    unchecked.author = {true, QStringLiteral("   ")};
    unchecked.keywords = {false, QStringLiteral("K")};
    unchecked.description = {true, QString()};
    QTest::newRow("unchecked or empty items write nothing, blanks count")
        << Rows{} << unchecked << QString("a 00:00:00.0 00:00:10.0    \r\n");

    QTest::newRow("media browser") << Rows{{"00:00:01.0", "00:00:02.0", "Media Browser", "http://a"}}
                                   << ClipInformation{}
                                   << QString("u 00:00:01.0 00:00:02.0 &&_rpbrowser&&http://a\r\n");
    QTest::newRow("target names compared exactly")
        << Rows{{"s", "e", "external browser", "x"}, {"s", "e", " Media Browser", "y"}} << ClipInformation{}
        << QString("u s e &&_rpcontextwin&&x" + rpContext + "\r\nu s e &&_rpcontextwin&&y" + rpContext + "\r\n");
    QTest::newRow("url holding a question mark keeps both")
        << Rows{{"s", "e", "Related Info Pane", "http://a/?q=1"}} << ClipInformation{}
        << QString("u s e &&_rpcontextwin&&http://a/?q=1" + rpContext + "\r\n");
    QTest::newRow("empty urls") << Rows{{"s", "e", "External Browser", ""}, {"s", "e", "Related Info Pane", ""}}
                                << ClipInformation{}
                                << QString("u s e &&_rpexternal&&\r\nu s e &&_rpcontextwin&&" + rpContext + "\r\n");
    QTest::newRow("rows in list order, unsorted and duplicated")
        << Rows{{"00:00:09.0", "00:00:01.0", "Media Browser", "b"}, {"00:00:01.0", "00:00:02.0", "Media Browser", "a"},
                {"00:00:01.0", "00:00:02.0", "Media Browser", "a"}}
        << ClipInformation{}
        << QString("u 00:00:09.0 00:00:01.0 &&_rpbrowser&&b\r\nu 00:00:01.0 00:00:02.0 &&_rpbrowser&&a\r\n"
                   "u 00:00:01.0 00:00:02.0 &&_rpbrowser&&a\r\n");
    QTest::newRow("one-line description") << Rows{} << onlyDescription(QStringLiteral("Hello"))
                                          << QString("q 00:00:00.0 00:00:10.0  Hello\r\n");
    QTest::newRow("description of one line break") << Rows{} << onlyDescription(QStringLiteral("\n"))
                                                    << QString("q 00:00:00.0 00:00:10.0  \r\n");
    QTest::newRow("description's final line break opens no line")
        << Rows{} << onlyDescription(QStringLiteral("a\n\nb\n")) << QString("q 00:00:00.0 00:00:10.0  a  b\r\n");
    QTest::newRow("quotes, ampersands, tabs and non-ASCII unchanged")
        << Rows{{"s", "e", "External Browser", "http://x/?a=\"1\"&b=\t2"}}
        << onlyTitle(QStringLiteral("Ça \"&\"\t片段"))
        << QString("u s e &&_rpexternal&&http://x/?a=\"1\"&b=\t2\r\ni 00:00:00.0 00:00:10.0 Ça \"&\"\t片段\r\n");


    // A line break in a text would end its line early and let the rest pass for an event of its own.
    const QString injected = QStringLiteral("u 00:00:00.0 00:00:10.0 &&_rpexternal&&http://evil.example/");
    ClipInformation broken;
    broken.title = {true, QStringLiteral("Nice\n") + injected};
    broken.copyright = {true, QStringLiteral("C1\r\nC2")};
    broken.author = {true, QStringLiteral("A1\rA2")};
    broken.keywords = {true, QStringLiteral("k1\n\nk2\n")};
    QTest::newRow("line breaks in one-line texts are spaces")
        << Rows{{"00:00:01.0", "00:00:09.0", "External Browser", QStringLiteral("http://a/\r\n") + injected},
                {"00:00:02.0", "00:00:03.0", "Related Info Pane", QStringLiteral("http://b/\rx")}}
        << broken
        << QString("u 00:00:01.0 00:00:09.0 &&_rpexternal&&http://a/ " + injected + "\r\n"
                   "u 00:00:02.0 00:00:03.0 &&_rpcontextwin&&http://b/ x" + rpContext + "\r\n"
                   "i 00:00:00.0 00:00:10.0 Nice " + injected + "\r\n"
                   "c 00:00:00.0 00:00:10.0 C1 C2\r\n"
                   "a 00:00:00.0 00:00:10.0 A1 A2\r\n"
                   "n 00:00:00.0 00:00:10.0 k1  k2 \r\n");
    QTest::newRow("a title of a line break alone is a blank")
        << Rows{} << onlyTitle(QStringLiteral("\r\n")) << QString("i 00:00:00.0 00:00:10.0  \r\n");
    QTest::newRow("description's lines split at CR LF, CR and LF alike")
        << Rows{} << onlyDescription(QStringLiteral("a\r\nb\rc\nd\r")) << QString("q 00:00:00.0 00:00:10.0  a b c d\r\n");
}

void ScriptWritersTest::eventScript()
{
    QFETCH(Rows, rows);
    QFETCH(ClipInformation, information);
    QFETCH(QString, expected);
    QCOMPARE(::eventScript(rows, information), expected);
}

void ScriptWritersTest::clickMap_data()
{
    QTest::addColumn<ClickMap>("map");
    QTest::addColumn<QString>("expected");

    const QString middle = QStringLiteral(" COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"");
    QTest::newRow("start values") << ClickMap{3, 0, 0, {}, {}}
                                  << QString("DURATION=0:3:0:0:0\r\n<MAP START=0:0:0:0:0 END=0:3:0:0:0" + middle
                                             + "\" ALT=\"\"></MAP>\r\n");
    QTest::newRow("plain decimal") << ClickMap{1, 30, 5, "http://e.example/", "Click me"}
                                   << QString("DURATION=0:1:30:5:0\r\n<MAP START=0:0:0:0:0 END=0:1:30:5:0" + middle
                                              + "http://e.example/\" ALT=\"Click me\"></MAP>\r\n");
    QTest::newRow("greatest values not carried") << ClickMap{24, 60, 60, "u", "a"}
                                                 << QString("DURATION=0:24:60:60:0\r\n<MAP START=0:0:0:0:0 END=0:24:60:60:0"
                                                            + middle + "u\" ALT=\"a\"></MAP>\r\n");
    QTest::newRow("zero duration, quotes unescaped")
        << ClickMap{0, 0, 0, "a\"b", "\"x\""}
        << QString("DURATION=0:0:0:0:0\r\n<MAP START=0:0:0:0:0 END=0:0:0:0:0" + middle
                   + "a\"b\" ALT=\"\"x\"\"></MAP>\r\n");

    QTest::newRow("line breaks in the URL and the show text are spaces")
        << ClickMap{0, 0, 5, "http://a/\r\nDURATION=0:9:0:0:0", "Click\nme\r"}
        << QString("DURATION=0:0:0:5:0\r\n<MAP START=0:0:0:0:0 END=0:0:0:5:0" + middle
                   + "http://a/ DURATION=0:9:0:0:0\" ALT=\"Click me \"></MAP>\r\n");
}

void ScriptWritersTest::clickMap()
{
    QFETCH(ClickMap, map);
    QFETCH(QString, expected);
    QCOMPARE(clickMapScript(map), expected);
}

void ScriptWritersTest::oneLineText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("no line break: unchanged, blanks and tabs kept") << QString(" a\tb  ") << QString(" a\tb  ");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("LF") << QString("a\nb") << QString("a b");
    QTest::newRow("CR") << QString("a\rb") << QString("a b");
    QTest::newRow("CR LF is one line break") << QString("a\r\nb") << QString("a b");
    QTest::newRow("LF CR is two") << QString("a\n\rb") << QString("a  b");
    QTest::newRow("breaks at both ends and in a row") << QString("\n\na\r\n\r\nb\r") << QString("  a  b ");
    QTest::newRow("other separators are no line breaks for a script")
        << QString("a\u2028b\u0085c\fd\ve") << QString("a\u2028b\u0085c\fd\ve");
}

void ScriptWritersTest::oneLineText()
{
    QFETCH(QString, text);
    QFETCH(QString, line);
    QCOMPARE(::oneLineText(text), line);
    QCOMPARE(holdsLineBreak(text), line != text);
    QVERIFY(!holdsLineBreak(line));
}

void ScriptWritersTest::systemTextIsWrittenInTheCodePage()
{
    const CodePage gbk = CodePage::named("GBK");
    QCOMPARE(gbk.encode(::eventScript({}, onlyTitle(QStringLiteral("中文")))),
             QByteArray("i 00:00:00.0 00:00:10.0 \xd6\xd0\xce\xc4\r\n"));
    QCOMPARE(gbk.encode(clickMapScript({0, 0, 1, {}, QStringLiteral("点击")})).right(14),
             QByteArray("\xb5\xe3\xbb\xf7\"></MAP>\r\n"));
    QCOMPARE(gbk.decode("\xd6\xd0\xce\xc4"), QStringLiteral("中文"));
    QCOMPARE(CodePage::named("no-such-code-page").name(), QByteArray("UTF-8"));
}

void ScriptWritersTest::characterSetOfLocale_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QByteArray>("characterSet");
    QTest::newRow("GBK") << QByteArray("zh_CN.GBK") << QByteArray("GBK");
    QTest::newRow("modifier") << QByteArray("de_DE.ISO-8859-15@euro") << QByteArray("ISO-8859-15");
    QTest::newRow("C") << QByteArray("C") << QByteArray("UTF-8");
    QTest::newRow("POSIX") << QByteArray("POSIX") << QByteArray("UTF-8");
    QTest::newRow("C.UTF-8") << QByteArray("C.UTF-8") << QByteArray("UTF-8");
}

void ScriptWritersTest::characterSetOfLocale()
{
    QFETCH(QByteArray, locale);
    QFETCH(QByteArray, characterSet);
    QCOMPARE(::characterSetOfLocale(locale), characterSet);
}

void ScriptWritersTest::writingCreatesOrOverwrites()
{
    TemporaryAppFolder folder;
    const QString path = folder.filePath(QStringLiteral("events.txt"));
    writeFile(path, QByteArray(1000, 'x'));
    writeScriptFile(path, "ab\r\n");
    QCOMPARE(readFile(path), QByteArray("ab\r\n"));
    writeScriptFile(path, QByteArray());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void ScriptWritersTest::writeFailuresRaiseInputOutputErrors_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<int>("systemError");
    QTest::newRow("a folder stands where the file goes") << QStringLiteral("folder") << EISDIR;
    QTest::newRow("the folder is a regular file") << QStringLiteral("file") << ENOTDIR;
    QTest::newRow("the disk is full") << QStringLiteral("full") << ENOSPC;
}

void ScriptWritersTest::writeFailuresRaiseInputOutputErrors()
{
    QFETCH(QString, blocker);
    QFETCH(int, systemError);
    TemporaryAppFolder folder;
    QString path = folder.filePath(QStringLiteral("events.txt"));
    if (blocker == QLatin1String("folder")) {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("events.txt")));
    } else if (blocker == QLatin1String("file")) {
        writeFile(folder.filePath(QStringLiteral("plain")), "x");
        path = folder.filePath(QStringLiteral("plain/events.txt"));
    } else {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("This system has no device that is always full.");
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
    }
    try {
        writeScriptFile(path, QByteArray(100000, 'u'));
        QFAIL("No error was raised.");
    } catch (const InputOutputError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("events.txt")), qPrintable(error.message()));
        QVERIFY2(error.message().contains(QString::fromLocal8Bit(std::strerror(systemError))),
                 qPrintable(error.message()));
    }
}

// A full disk may cut a write short without an error; a cut script must not go to the tool.
void ScriptWritersTest::writeCutShortRaisesAnInputOutputError()
{
    TemporaryAppFolder folder;
    const QString path = folder.filePath(QStringLiteral("events.txt"));
    try {
        const FileSizeLimit fullDisk(1000);
        writeScriptFile(path, QByteArray(100000, 'u'));
        QFAIL("No error was raised.");
    } catch (const InputOutputError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot write \"%1\": only 1000 of 100000 bytes could be written").arg(path));
    }
}

QTEST_MAIN(ScriptWritersTest)
#include "tst_scriptwriters.moc"
