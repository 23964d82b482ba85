#include "MergeToolRun.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/ClipCommands.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/ClipContentsWindow.h"
#include "jobs/BatchRunner.h"
#include "jobs/ClipContents.h"
#include "jobs/ClipReadError.h"
#include "jobs/ClipReader.h"
#include "jobs/JobScripts.h"
#include "jobs/Profile.h"
#include "jobs/SettingsFromClip.h"
#include "platform/CodePage.h"
#include "widgets/ListView.h"

#include <QDir>
#include <QLineEdit>
#include <QFileInfo>
#include <QTest>
#include <QTreeWidget>

Q_DECLARE_METATYPE(JobSettings)

class ClipContentsTest : public QObject
{
    Q_OBJECT

private slots:
    void loadingFromTheMergedClipGivesTheSameScripts_data();
    void loadingFromTheMergedClipGivesTheSameScripts();
    void settingsFromListing_data();
    void settingsFromListing();
    void malformedListingsAreRefused_data();
    void malformedListingsAreRefused();
    void clipsWithoutSettingsChangeNothing_data();
    void clipsWithoutSettingsChangeNothing();
    void lineBreaksOfAnotherWritersTitleBecomeSpaces();
    void clipContentsShowsSourceAndOutput();
    void clipContentsOfAnUnmergedAndADamagedClip();
};

namespace {

// Sets LC_ALL for as long as it lives, so that the system's code page is the locale's.
class LocaleOverride
{
public:
    explicit LocaleOverride(const QByteArray &locale) : m_previous(qgetenv("LC_ALL")), m_active(!locale.isEmpty())
    {
        if (m_active)
            qputenv("LC_ALL", locale);
    }
    ~LocaleOverride()
    {
        if (!m_active)
            return;
        if (m_previous.isNull())
            qunsetenv("LC_ALL");
        else
            qputenv("LC_ALL", m_previous);
    }

private:
    QByteArray m_previous;
    bool m_active;
};

JobSettings settingsOf(const QList<TimeEventRow> &events, const ClipInformation &information, bool withMap,
                       const ClickMap &map)
{
    return {events, information, withMap, map};
}

const QList<TimeEventRow> everyTarget{
    {"00:00:00.0", "00:00:20.0", "External Browser", "http://www.example.com/"},
    {"00:01:02.5", "00:02:00.9", "Media Browser", "http://example.org/a?b=c&d=e"},
    {"01:00:00.1", "59:59:59.9", "Related Info Pane", "http://example.net/info?page=2"},
};

const ClipInformation allFive{{true, "Título «uno»"},
                              {true, "© 2026 Clipvane"},
                              {true, "作者"},
                              {true, "news, \"quoted\", back\\slash"},
                              {true, "Line one\nLine two\n"}};

// What the second window shows before it loads: all of it differs from every row's settings.
JobSettings otherSettings()
{
    return settingsOf({{"00:00:03.0", "00:00:04.0", "Media Browser", "http://other.example/"}},
                      {{true, "Other title"}, {false, "x"}, {true, "Other author"}, {true, "k"}, {true, "d"}}, true,
                      {2, 2, 2, "http://other.example/pop", "Other text"});
}

// The scripts a clip's job would get from these settings, as bytes: the map only when it is merged.
QByteArray scriptsOf(const JobSettings &settings)
{
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');
    WriteEvents(path, settings);
    QByteArray scripts = readFile(path + QStringLiteral("events.txt"));
    if (settings.withMap) {
        WriteMap(path, settings);
        scripts += "\n-- map --\n" + readFile(path + QStringLiteral("maps.txt"));
    }
    return scripts;
}

QByteArray settingsText(const JobSettings &settings)
{
    return profileJson({settings, OutputRule()});
}

bool mergeAll(TForm1 &form)
{
    form.actStartExecute();
    return QTest::qWaitFor([&] { return !form.runner().isRunning(); }, 20000);
}

QByteArray jsonListing(const QString &clip)
{
    const ToolRun run = runMergeTool(QFileInfo(clip).absolutePath(), {"--list", "--json", clip});
    return run.exitCode == 0 ? run.standardOutput : QByteArray("failed: ") + run.standardError;
}

// A listing of a RealMedia clip with these arrays.
QByteArray listing(const QByteArray &information, const QByteArray &streams, const QByteArray &events,
                   const QByteArray &imageMaps)
{
    return R"({"clip": "RealMedia", "packets": 5, "information": [)" + information + R"(], "streams": [)" + streams
           + R"(], "events": [)" + events + R"(], "imageMaps": [)" + imageMaps + "]}";
}

QByteArray urlEvent(int start, int end, const QByteArray &text)
{
    return QByteArray(R"({"stream": 1, "sequence": 0, "type": "URL", "startTenths": %1, "endTenths": %2, "text": "%3"})")
        .replace("%1", QByteArray::number(start))
        .replace("%2", QByteArray::number(end))
        .replace("%3", text);
}

QByteArray imageMap(qint64 endMilliseconds, const QByteArray &regions)
{
    return QByteArray(R"({"stream": 2, "sequence": 0, "startMilliseconds": 0, "endMilliseconds": %1,
                          "area": [0, 0, 1024, 768], "regions": [%2]})")
        .replace("%1", QByteArray::number(endMilliseconds))
        .replace("%2", regions);
}

QByteArray region(const QByteArray &action, const QByteArray &url, const QByteArray &status)
{
    return R"({"shape": "rectangle", "coordinates": [0, 0, 1024, 768], "startMilliseconds": 0,
               "endMilliseconds": 1000, "action": ")"
           + action + R"(", "url": ")" + url + R"(", "status": ")" + status + R"("})";
}

// The tree's rows, one a line: the columns joined by " | ", indented by depth.
QStringList treeLines(const QTreeWidget &tree)
{
    QStringList lines;
    std::function<void(const QTreeWidgetItem *, int)> add = [&](const QTreeWidgetItem *item, int depth) {
        for (int i = 0; i < item->childCount(); ++i) {
            const QTreeWidgetItem *child = item->child(i);
            QStringList columns;
            for (int column = 0; column < tree.columnCount(); ++column)
                columns << child->text(column);
            lines << QString(depth * 2, QLatin1Char(' ')) + columns.join(QLatin1String(" | "));
            add(child, depth + 1);
        }
    };
    add(tree.invisibleRootItem(), 0);
    return lines;
}

bool allExpanded(const QTreeWidgetItem *item)
{
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem *child = item->child(i);
        if ((child->childCount() > 0 && !child->isExpanded()) || !allExpanded(child))
            return false;
    }
    return true;
}

ClipContentsWindow *openClipContents(TForm1 &form, QAction *command)
{
    command->trigger();
    const QList<ClipContentsWindow *> windows = form.findChildren<ClipContentsWindow *>();
    return windows.size() == 1 && windows[0]->isVisible() ? windows[0] : nullptr;
}

} // namespace

void ClipContentsTest::loadingFromTheMergedClipGivesTheSameScripts_data()
{
    QTest::addColumn<JobSettings>("settings");
    QTest::addColumn<QByteArray>("locale"); // empty: as the suite runs
    const ClickMap map{0, 45, 30, "http://pop.example/上", "Click me now"};
    QTest::newRow("every target, tenths, click event on")
        << settingsOf(everyTarget, {}, true, {1, 0, 5, "http://pop.example/", "Visit us"}) << QByteArray("C.UTF-8");
    QTest::newRow("non-ASCII texts, all five clip-information items")
        << settingsOf({{"00:00:01.0", "00:00:09.0", "External Browser", "http://例え.jp/ページ"}}, allFive, true, map)
        << QByteArray("C.UTF-8");
    QTest::newRow("click event off, no clip information, unchecked texts")
        << settingsOf(everyTarget, {{false, "T"}, {false, "C"}, {false, "A"}, {false, "K"}, {false, "D"}}, false, map)
        << QByteArray("C.UTF-8");
    QTest::newRow("clip information and the longest click event only")
        << settingsOf({}, {{true, "Title"}, {false, ""}, {false, ""}, {true, "a, b"}, {false, ""}}, true,
                      {24, 0, 0, "http://long.example/", ""})
        << QByteArray("C.UTF-8");
    QTest::newRow("a description of one empty line")
        << settingsOf({}, {{false, ""}, {false, ""}, {false, ""}, {false, ""}, {true, "\n"}}, false, map)
        << QByteArray("C.UTF-8");
    // In GBK "片" alone is also valid UTF-8, so the tool lists it as a string; "片段" is not.
    QTest::newRow("GBK texts, one of them also valid UTF-8")
        << settingsOf({{"00:00:02.0", "00:00:05.5", "Related Info Pane", "http://例子.cn/片段"}},
                      {{true, "片"}, {true, "版权所有"}, {true, "片段"}, {true, "新闻"}, {true, "第一行\n第二行"}}, true,
                      {0, 10, 0, "http://例子.cn/弹出", "点击这里"})
        << QByteArray("zh_CN.GBK");
}

// Settings merged into a clip with the real tool, loaded back from the merged clip by a window
// that showed other settings: the same scripts, byte for byte; merging the source again with them
// gives the same clip contents.
void ClipContentsTest::loadingFromTheMergedClipGivesTheSameScripts()
{
    QFETCH(JobSettings, settings);
    QFETCH(QByteArray, locale);
    const LocaleOverride localeOverride(locale);
    if (locale == "zh_CN.GBK")
        QCOMPARE(CodePage::system().name(), QByteArray("GBK"));
    TemporaryAppFolder appFolder;
    appFolder.installMergeTool();
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("clip.rm"));
    writeRealMediaClip(source, 3000);

    TForm1 first;
    first.applySetup({settings, OutputRule()});
    QVERIFY(first.AddClip(source));
    QVERIFY(mergeAll(first));
    QCOMPARE(first.lvFiles->subItem(0, 1), QStringLiteral("Success"));
    const QString merged = folder.filePath(QStringLiteral("Done_clip.rm"));

    TForm1 second;
    second.applySetup({otherSettings(), OutputRule()});
    QVERIFY(second.AddClip(source));
    second.lvFiles->selectRow(0);
    prompts.messages.clear();
    second.clipCommands().LoadSettingsFromClip2->trigger();
    QCOMPARE(prompts.messageTexts(), QStringList());
    QCOMPARE(scriptsOf(second.jobSettings()), scriptsOf(settings));
    QCOMPARE(second.clickEvents->isOn(), settings.withMap);
    QCOMPARE(second.outputRule(), OutputRule());
    if (!settings.withMap)
        QCOMPARE(second.clickEvents->clickMap().popUpUrl, otherSettings().clickMap.popUpUrl);

    second.setOutputRule({QString(), QStringLiteral("Again_"), false});
    QVERIFY(mergeAll(second));
    QCOMPARE(second.lvFiles->subItem(0, 1), QStringLiteral("Success"));
    const QByteArray mergedListing = jsonListing(merged);
    QVERIFY2(mergedListing.contains("\"events\""), mergedListing.constData());
    QCOMPARE(jsonListing(folder.filePath(QStringLiteral("Again_clip.rm"))), mergedListing);
}

void ClipContentsTest::settingsFromListing_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<JobSettings>("expected");
    QTest::addColumn<QStringList>("leftOut");
    QTest::addColumn<QStringList>("madeOneLine");
    const ClickMap current{3, 0, 0, "http://current/", "current"};
    const ClipInformation none;

    QTest::newRow("markers, the pane's size and times")
        << listing("", "",
                   urlEvent(0, 36000 * 60 + 35999, "&&_rpbrowser&&http://a/") + ","
                       + urlEvent(15, 25, "&&_rpcontextwin&&http://b/?x=1?rpcontextheight=250&rpcontextwidth=280")
                       + "," + urlEvent(600, 610, "&&_rpcontextwin&&http://c/?rpcontextheight=250"),
                   "")
        << settingsOf({{"00:00:00.0", "60:59:59.9", "Media Browser", "http://a/"},
                       {"00:00:01.5", "00:00:02.5", "Related Info Pane", "http://b/?x=1"},
                       {"00:01:00.0", "00:01:01.0", "Related Info Pane", "http://c/?rpcontextheight=250"}},
                      none, false, current)
        << QStringList() << QStringList();
    QTest::newRow("times the script's fields still hold past 60 hours, and one they don't")
        << listing("", "",
                   urlEvent(36000 * 60 + 36000 + 600, 36000 * 60 + 36000 + 609, "&&_rpexternal&&http://a/") + ","
                       + urlEvent(0, 36000 * 60 + 36000 + 610, "&&_rpexternal&&http://b/"),
                   "")
        << settingsOf({{"60:60:60.0", "60:60:60.9", "External Browser", "http://a/"}}, none, false, current)
        << QStringList{"the URL event \"&&_rpexternal&&http://b/\": it lasts past 60 hours"} << QStringList();
    QTest::newRow("another writer's events: no marker, custom and title events")
        << listing("", "",
                   urlEvent(10, 20, "http://plain/") + ","
                       + R"({"stream": 1, "sequence": 1, "type": "custom", "startTenths": 0, "endTenths": 5, "text": "c"},
                            {"stream": 1, "sequence": 2, "type": "title", "startTenths": 0, "endTenths": 5, "text": "t"})",
                   "")
        << settingsOf({{"00:00:01.0", "00:00:02.0", "External Browser", "http://plain/"}}, none, false, current)
        << QStringList{"the target of the URL event \"http://plain/\": it names none, so it is given External Browser"}
        << QStringList();
    QTest::newRow("content description first, then the file information")
        << listing(R"({"field": "title", "text": "T"}, {"field": "comment", "text": " One line"},
                      {"field": "title", "text": "Second T"})",
                   R"({"number": 0, "mimeType": "logical-fileinfo", "name": "", "fileInformation": [
                        {"name": "Title", "text": "File T"}, {"name": "Author", "text": "File A"},
                        {"name": "Description", "text": " Other"}, {"name": "keywords", "text": "k1, k2"}]})",
                   "", "")
        << settingsOf({}, {{true, "T"}, {false, ""}, {true, "File A"}, {true, "k1, k2"}, {true, "One line"}}, false,
                      current)
        << QStringList() << QStringList();
    QTest::newRow("texts as bytes in the code page, a description without its blank")
        << listing(R"({"field": "author", "text": {"bytes": "416e6e"}}, {"field": "comment", "text": {"bytes": "0a"}})",
                   "", "", "")
        << settingsOf({}, {{false, ""}, {false, ""}, {true, "Ann"}, {false, ""}, {true, "\n"}}, false, current)
        << QStringList() << QStringList();
    QTest::newRow("the map's end, a part of a second counting whole; the region that opens a page")
        << listing("", "", "",
                   imageMap(3600500, region("seek the player", "", "Seek") + ","
                                         + region("open in a browser", "http://pop/", "Pop")))
        << settingsOf({}, none, true, {1, 0, 1, "http://pop/", "Pop"})
        << QStringList{"1 more regions of the image map"} << QStringList();
    QTest::newRow("the longest map the click event holds; a second map")
        << listing("", "", "",
                   imageMap((24 * 3600 + 3600 + 60) * 1000, region("open in a browser", "http://a/", "A")) + ","
                       + imageMap(1000, region("open in a browser", "http://b/", "B")))
        << settingsOf({}, none, true, {24, 60, 60, "http://a/", "A"}) << QStringList{"1 more image maps"}
        << QStringList();
    QTest::newRow("a map too long and one that opens no page leave the click event off")
        << listing("", "", "", imageMap((24 * 3600 + 3600 + 61) * 1000, region("open in a browser", "http://a/", "A")))
        << settingsOf({}, none, false, current) << QStringList{"the image map: it lasts past 24 hours"}
        << QStringList();
    QTest::newRow("a map that opens no page")
        << listing("", "", "", imageMap(1000, region("seek the player", "http://a/", "A")))
        << settingsOf({}, none, false, current)
        << QStringList{"the image map: none of its regions opens a web page"} << QStringList();
    // Another writer's line breaks in one-line texts: spaces, each text named; the description
    // keeps its lines.
    QTest::newRow("line breaks in one-line texts become spaces")
        << listing(R"({"field": "title", "text": "Old title\nu 00:00:00.0 00:00:10.0 &&_rpexternal&&http://evil/"},
                      {"field": "copyright", "text": "C"}, {"field": "author", "text": "A1\r\nA2"},
                      {"field": "comment", "text": " D1\nD2"})",
                   R"({"number": 0, "mimeType": "logical-fileinfo", "name": "", "fileInformation": [
                        {"name": "Keywords", "text": "k1\rk2"}]})",
                   urlEvent(10, 20, "&&_rpbrowser&&http://a/\\nb") + "," + urlEvent(30, 40, "http://plain/\\r\\nx") + ","
                       + urlEvent(50, 60, "&&_rpcontextwin&&http://c/?rpcontextheight=250&rpcontextwidth=280"),
                   imageMap(2000, region("open in a browser", "http://pop/\\n", "Click\\rhere")))
        << settingsOf({{"00:00:01.0", "00:00:02.0", "Media Browser", "http://a/ b"},
                       {"00:00:03.0", "00:00:04.0", "External Browser", "http://plain/ x"},
                       {"00:00:05.0", "00:00:06.0", "Related Info Pane", "http://c/"}},
                      {{true, "Old title u 00:00:00.0 00:00:10.0 &&_rpexternal&&http://evil/"},
                       {true, "C"},
                       {true, "A1 A2"},
                       {true, "k1 k2"},
                       {true, "D1\nD2"}},
                      true, {0, 0, 2, "http://pop/ ", "Click here"})
        << QStringList{"the target of the URL event \"http://plain/\r\nx\": it names none, so it is given External Browser"}
        << QStringList{"the URL of the time event at 00:00:01.0", "the URL of the time event at 00:00:03.0",
                       "the title", "the author", "the keywords", "the click event's pop-up URL",
                       "the click event's show text"};
}

void ClipContentsTest::settingsFromListing()
{
    QFETCH(QByteArray, json);
    QFETCH(JobSettings, expected);
    QFETCH(QStringList, leftOut);
    QFETCH(QStringList, madeOneLine);
    const ClickMap current{3, 0, 0, "http://current/", "current"};
    const ClipSettings loaded = settingsFromClip(parseClipListing(json, CodePage::named("UTF-8")), current);
    QCOMPARE(QString::fromUtf8(settingsText(loaded.settings)), QString::fromUtf8(settingsText(expected)));
    QCOMPARE(loaded.leftOut, leftOut);
    QCOMPARE(loaded.madeOneLine, madeOneLine);
    QCOMPARE(loaded.isEmpty(), expected.timeEvents.isEmpty() && !expected.withMap
                                   && !expected.clipInformation.title.checked
                                   && !expected.clipInformation.author.checked
                                   && !expected.clipInformation.keywords.checked
                                   && !expected.clipInformation.description.checked);
}

void ClipContentsTest::malformedListingsAreRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem");
    QTest::newRow("not JSON") << QByteArray("rmevents 1.0") << "the document is no JSON";
    QTest::newRow("an array") << QByteArray("[]") << "the document is not an object";
    QTest::newRow("another kind of clip") << QByteArray(R"({"clip": "MP4"})") << "clip is neither RealMedia nor RealAudio";
    QTest::newRow("no events") << QByteArray(R"({"clip": "RealMedia", "packets": 1, "information": [], "streams": []})")
                               << "events is missing";
    QTest::newRow("negative time") << listing("", "", urlEvent(-1, 5, "x"), "") << "startTenths is not a whole number";
    QTest::newRow("text neither string nor bytes")
        << listing(R"({"field": "title", "text": 5})", "", "", "") << "text is neither a string nor";
    QTest::newRow("odd hexadecimal")
        << listing(R"({"field": "title", "text": {"bytes": "abc"}})", "", "", "") << "text is neither a string nor";
    QTest::newRow("region not an object") << listing("", "", "", imageMap(1, "5")) << "regions is not an object";
}

void ClipContentsTest::malformedListingsAreRefused()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    try {
        parseClipListing(json, CodePage::named("UTF-8"));
        QFAIL("the listing was read");
    } catch (const ClipReadError &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("the merge tool's listing is not as expected: ")),
                 qPrintable(error.message()));
        QVERIFY2(error.message().contains(problem), qPrintable(error.message()));
    }
}

void ClipContentsTest::clipsWithoutSettingsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("clip");  // the bytes of the listed source
    QTest::addColumn<QByteArray>("tool");  // a shell script standing in for the tool; empty: the real one
    QTest::addColumn<bool>("unreadable"); // an error; else a warning that there is nothing to load
    QTest::addColumn<QString>("reason");
    QTemporaryDir folder;
    writeRealMediaClip(folder.filePath(QStringLiteral("plain.rm")), 3000);
    const QByteArray plain = readFile(folder.filePath(QStringLiteral("plain.rm")));
    QTest::newRow("a clip with nothing to load")
        << plain << QByteArray() << false << "carries no time events, click event or clip information";
    QTest::newRow("a damaged clip") << plain.left(60) << QByteArray() << true
                                    << "rmevents: cannot list \"@\": the source is truncated";
    QTest::newRow("not a clip") << QByteArray("Hello") << QByteArray() << true << "is not a RealMedia or RealAudio file";
    QTest::newRow("a tool that prints no JSON")
        << plain << QByteArray("echo listing") << true << "the merge tool's listing is not as expected";
    QTest::newRow("a tool that fails silently") << plain << QByteArray("exit 3") << true << "failed without saying why";
    QTest::newRow("no tool") << plain << QByteArray("-") << true << "the merge tool \"";
}

// Every control as it was, and one message saying why.
void ClipContentsTest::clipsWithoutSettingsChangeNothing()
{
    QFETCH(QByteArray, clip);
    QFETCH(QByteArray, tool);
    QFETCH(bool, unreadable);
    QFETCH(QString, reason);
    TemporaryAppFolder appFolder;
    if (tool.isEmpty())
        appFolder.installMergeTool();
    else if (tool != "-")
        appFolder.installToolScript(tool);
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("clip.rm"));
    writeFile(source, clip);
    TForm1 form;
    const JobSettings before = otherSettings();
    form.applySetup({before, OutputRule()});
    QVERIFY(form.AddClip(source));
    form.lvFiles->selectRow(0);

    form.clipCommands().LoadSettingsFromClip1->trigger();
    QCOMPARE(prompts.messages.size(), 1);
    const QString message = prompts.messages[0].text;
    QVERIFY2(message.contains(reason.replace(QLatin1Char('@'), source)), qPrintable(message));
    if (unreadable) {
        QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Error);
        QVERIFY2(message.startsWith(QStringLiteral("No settings were loaded from \"%1\":\n").arg(source)),
                 qPrintable(message));
    } else {
        QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Warning);
    }
    QCOMPARE(settingsText(form.jobSettings()), settingsText(before));
    QCOMPARE(readFile(source), clip);

    // With no row selected, nothing is asked or changed.
    form.lvFiles->selectRow(-1);
    form.clipCommands().LoadSettingsFromClip1->trigger();
    QCOMPARE(prompts.messages.size(), 1);
}

// A clip whose title another writer gave a line break and an event line: the title field holds
// one line, the message says so, and merging with what was loaded adds no event.
void ClipContentsTest::lineBreaksOfAnotherWritersTitleBecomeSpaces()
{
    TemporaryAppFolder appFolder;
    appFolder.installMergeTool();
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("other writer.rm"));
    RealMediaTest::Clip clip;
    clip.streams = {{0, "Video", "video/x-pn-realvideo", QByteArray()}};
    for (quint32 time = 0; time < 3000; time += 200)
        clip.packets.append({0, time, QByteArray(300, char('a' + time / 200))});
    const QByteArray title = "Old title\nu 00:00:00.0 00:00:10.0 &&_rpexternal&&http://evil.example/";
    clip.content = QList<QByteArray>{title, "", "", ""};
    const QByteArray bytes = RealMediaTest::buildClip(clip);
    writeFile(source, bytes);
    TForm1 form;
    form.applySetup({otherSettings(), OutputRule()});
    QVERIFY(form.AddClip(source));
    form.lvFiles->selectRow(0);

    form.clipCommands().LoadSettingsFromClip1->trigger();
    const QString oneLineTitle = QString::fromLatin1(title).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QCOMPARE(prompts.messageTexts(),
             QStringList{QStringLiteral("The settings were loaded from \"%1\", but not all as it carries them.\n\n"
                                        "Line breaks made spaces, as these fields hold one line:\n- the title")
                             .arg(source)});
    QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Warning);
    QCOMPARE(form.clipInformation->Edit1->text(), oneLineTitle);
    QCOMPARE(scriptsOf(form.jobSettings()),
             CodePage::system().encode(QStringLiteral("i 00:00:00.0 00:00:10.0 ") + oneLineTitle + QStringLiteral("\r\n")));

    QVERIFY(mergeAll(form));
    QCOMPARE(form.lvFiles->subItem(0, 1), QStringLiteral("Success"));
    const ClipContents merged = readClipContents(folder.filePath(QStringLiteral("Done_other writer.rm")));
    QStringList urlEvents;
    for (const ClipContents::Event &event : merged.events) {
        if (event.type == QLatin1String("URL"))
            urlEvents << event.text;
    }
    QCOMPARE(urlEvents, QStringList());
    QCOMPARE(merged.information.size(), 1);
    QCOMPARE(merged.information[0].field, QStringLiteral("title"));
    QCOMPARE(merged.information[0].text, oneLineTitle);
    QCOMPARE(readFile(source), bytes);
}

void ClipContentsTest::clipContentsShowsSourceAndOutput()
{
    TemporaryAppFolder appFolder;
    appFolder.installMergeTool();
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("clip.rm"));
    writeRealMediaClip(source, 3000);
    TForm1 form;
    form.applySetup({settingsOf(everyTarget, allFive, true, {0, 1, 5, "http://pop.example/上", "Visit us"}),
                       OutputRule()});
    QVERIFY(form.AddClip(source));
    QVERIFY(mergeAll(form));
    form.lvFiles->selectRow(0);

    ClipContentsWindow *window = openClipContents(form, form.clipCommands().ClipContents1);
    QVERIFY(window);
    QVERIFY(window->windowTitle().contains(QStringLiteral("clip.rm")));
    QCOMPARE(window->tree->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(allExpanded(window->tree->invisibleRootItem()));
    const QStringList lines = treeLines(*window->tree);
    const QString output = folder.filePath(QStringLiteral("Done_clip.rm"));
    const QStringList expected{
        "Source |  | " + source,
        "  Clip information |  | none",
        "  Events |  | none",
        "  Image maps |  | none",
        "Output |  | " + output,
        "  Clip information |  | 4",
        "    Title |  | Título «uno»",
        "    Comment (description) |  |  Line one Line two",
        "  Events |  | 6",
        "  Image maps |  | 1",
        "    Map | 00:00:00.0 – 00:01:05.0 | area 0, 0, 1024, 768",
        "      Region | 00:00:00.0 – 00:01:05.0 | rectangle 0, 0, 1024, 768",
        "        Action |  | open in a browser",
        "        URL |  | http://pop.example/上",
        "        Status text |  | Visit us",
    };
    // In this order, with other rows between them.
    qsizetype at = -1;
    for (const QString &line : expected) {
        const qsizetype found = lines.indexOf(line, at + 1);
        QVERIFY2(found > at, qPrintable(QStringLiteral("missing in order: %1\n%2").arg(line, lines.join(QLatin1Char('\n')))));
        at = found;
    }
    for (const QString &line :
         {QStringLiteral("    URL | 00:00:00.0 – 00:00:20.0 | &&_rpexternal&&http://www.example.com/"),
          QStringLiteral("    URL | 01:00:00.1 – 59:59:59.9 | "
                         "&&_rpcontextwin&&http://example.net/info?page=2?rpcontextheight=250&rpcontextwidth=280"),
          QStringLiteral("    author | 00:00:00.0 – 00:00:10.0 | 作者"),
          QStringLiteral("      Keywords |  | news, \"quoted\", back\\slash"),
          QStringLiteral("  Clip |  | RealMedia, %1 packets").arg(RealMediaTest::readClip(output).packetCount)})
        QVERIFY2(lines.contains(line), qPrintable(QStringLiteral("missing: %1\n%2").arg(line, lines.join(QLatin1Char('\n')))));
    QCOMPARE(prompts.messageTexts(), QStringList{"Processing finish!"});
    window->close();
    QTRY_VERIFY(form.findChildren<ClipContentsWindow *>().isEmpty());
}

void ClipContentsTest::clipContentsOfAnUnmergedAndADamagedClip()
{
    TemporaryAppFolder appFolder;
    appFolder.installMergeTool();
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("clip.rm"));
    writeFile(source, "not a clip");
    TForm1 form;
    QVERIFY(form.AddClip(source));
    form.lvFiles->selectRow(0);
    ClipContentsWindow *window = openClipContents(form, form.clipCommands().ClipContents2);
    QVERIFY(window);
    QCOMPARE(treeLines(*window->tree),
             (QStringList{"Source |  | " + source,
                          QStringLiteral("  Can't be read |  | rmevents: cannot list \"%1\": source \"%1\" is not a "
                                         "RealMedia or RealAudio file (it begins with 'not ')")
                              .arg(source),
                          "Output |  | " + folder.filePath(QStringLiteral("Done_clip.rm")), "  Not merged yet |  | "}));
    QVERIFY(prompts.messages.isEmpty());
}

QTEST_MAIN(ClipContentsTest)
#include "tst_clipcontents.moc"
