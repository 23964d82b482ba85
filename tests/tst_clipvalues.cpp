// Clip values: placeholders, the values table read, matched and exported, and a clip's settings.
#include "TestSupport.h"

#include "jobs/ClipValues.h"
#include "jobs/Placeholders.h"
#include "jobs/ScriptWriters.h"
#include "jobs/ValuesTable.h"
#include "jobs/ValuesTableError.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Cells = QMap<QString, QString>;
Q_DECLARE_METATYPE(Cells)
Q_DECLARE_METATYPE(FilledAs)
Q_DECLARE_METATYPE(ClipValues)
Q_DECLARE_METATYPE(JobSettings)

class ClipValuesTest : public QObject
{
    Q_OBJECT

private slots:
    void placeholders_data();
    void placeholders();
    void tableRules_data();
    void tableRules();
    void refusals_data();
    void refusals();
    void rowsMatchClips();
    void exportReadsBackTheSameValues();
    void clipSettings_data();
    void clipSettings();
};

namespace {

const QString clip = QStringLiteral("/clips/week 1/intro.rm");
const QDate day(2024, 3, 9);

// A row as the test tables write it: SourceFile, the seven items, then the own columns' cells.
QStringList rowText(const QString &sourceFile, const ClipValues &values, const QStringList &columns)
{
    QStringList text{sourceFile};
    for (const QString &item : values.items)
        text.append(item);
    for (const QString &column : columns)
        text.append(values.cells.value(column));
    return text;
}

// Seven items from a few: the rest the batch's.
QStringList items(const QString &title, const QString &description = QString(), const QString &showText = QString())
{
    return {title, QString(), QString(), QString(), description, showText, QString()};
}

ClipValues valuesOf(const QStringList &itemTexts, const Cells &cells = {})
{
    ClipValues values;
    for (int item = 0; item < clipItemCount && item < itemTexts.size(); ++item)
        values.items[item] = itemTexts[item];
    values.cells = cells;
    return values;
}

JobSettings batchSettings()
{
    JobSettings settings;
    settings.timeEvents = {{QStringLiteral("00:00:01.0"), QStringLiteral("00:00:05.0"), QStringLiteral("External Browser"),
                            QStringLiteral("http://example.com/{name}?n={index}")}};
    settings.clipInformation.title = {true, QStringLiteral("Weekly {name}")};
    settings.clipInformation.copyright = {true, QStringLiteral("(c) {date}")};
    settings.clipInformation.author = {false, QStringLiteral("Nobody")};
    settings.clipInformation.description = {true, QStringLiteral("First line\nsecond {folder}")};
    settings.withMap = false;
    settings.clickMap = {1, 2, 3, QStringLiteral("http://maps.example/{Place}"), QStringLiteral("Open {file}")};
    return settings;
}

} // namespace

void ClipValuesTest::placeholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<FilledAs>("as");
    QTest::addColumn<QString>("filled");

    const Cells none;
    QTest::newRow("every built-in") << "{name}|{file}|{ext}|{folder}|{index}|{date}" << clip << none << FilledAs::Text
                                    << "intro|intro.rm|rm|week 1|7|2024-03-09";
    QTest::newRow("last extension only, as written") << "{name} {ext}" << "/a/b/show.final.RMVB" << none
                                                      << FilledAs::Text << "show.final RMVB";
    QTest::newRow("no extension") << "[{name}][{ext}]" << "/a/README" << none << FilledAs::Text << "[README][]";
    QTest::newRow("unknown stays") << "{unknownword} {Name} {" << clip << none << FilledAs::Text
                                   << "{unknownword} {Name} {";
    QTest::newRow("column in any case") << "{city}/{CITY}" << clip << Cells{{"City", "Oslo"}} << FilledAs::Text
                                        << "Oslo/Oslo";
    QTest::newRow("built-in wins over a column") << "{name}" << clip << Cells{{"Name", "other"}} << FilledAs::Text
                                                 << "intro";
    QTest::newRow("URL encodes the filled value only") << "http://x/?q={Q}&f={folder}" << clip
                                                       << Cells{{"Q", "two & more"}} << FilledAs::Url
                                                       << "http://x/?q=two%20%26%20more&f=week%201";
    QTest::newRow("URL keeps unreserved, encodes UTF-8") << "{Q}" << clip << Cells{{"Q", "aZ09-._~é/"}}
                                                         << FilledAs::Url << "aZ09-._~%C3%A9%2F";
    QTest::newRow("text keeps the value as it is") << "{Q}" << clip << Cells{{"Q", "two & more"}} << FilledAs::Text
                                                   << "two & more";
    QTest::newRow("line breaks in a value become spaces") << "<{Q}>" << clip << Cells{{"Q", "a\r\nb\nc\rd"}}
                                                          << FilledAs::Text << "<a b c d>";
    QTest::newRow("line break in a URL value") << "{Q}" << clip << Cells{{"Q", "a\nb"}} << FilledAs::Url << "a%20b";
    QTest::newRow("a filled value is not filled again") << "{Q}" << clip << Cells{{"Q", "{name}"}} << FilledAs::Text
                                                        << "{name}";
    QTest::newRow("brace before a placeholder") << "{{name}}" << clip << none << FilledAs::Text << "{intro}";
    QTest::newRow("empty cell fills empty") << "[{Q}]" << clip << Cells{{"Q", ""}} << FilledAs::Text << "[]";
    QTest::newRow("clip at the root") << "[{folder}]" << "/intro.rm" << none << FilledAs::Text << "[]";
}

void ClipValuesTest::placeholders()
{
    QFETCH(QString, text);
    QFETCH(QString, path);
    QFETCH(Cells, cells);
    QFETCH(FilledAs, as);
    QFETCH(QString, filled);
    QCOMPARE(fillPlaceholders(text, {path, 7, day}, cells, as), filled);
}

void ClipValuesTest::tableRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QStringList>("defaults");
    QTest::addColumn<bool>("windows1252");

    const QString a = QStringLiteral("a.rm");
    QTest::newRow("comma, LF") << QByteArray("SourceFile,Title,City\na.rm,Hello,Oslo\n") << QStringList{"City"}
                               << QList<QStringList>{QStringList{a} + items("Hello") + QStringList{"Oslo"}} << QStringList() << false;
    QTest::newRow("BOM, CR LF, any letter case")
        << QByteArray("\xEF\xBB\xBFsourcefile,TITLE,showtext\r\na.rm,T,S\r\n") << QStringList()
        << QList<QStringList>{QStringList{a} + items("T", QString(), "S")} << QStringList() << false;
    QTest::newRow("CR only") << QByteArray("SourceFile,Title\ra.rm,T\rb.rm,U") << QStringList()
                             << QList<QStringList>{QStringList{a} + items("T"), QStringList{"b.rm"} + items("U")} << QStringList() << false;
    QTest::newRow("semicolon header") << QByteArray("SourceFile;Title;Note\na.rm;1,5;x,y\n") << QStringList{"Note"}
                                      << QList<QStringList>{QStringList{a} + items("1,5") + QStringList{"x,y"}} << QStringList()
                                      << false;
    QTest::newRow("tab header") << QByteArray("SourceFile\tTitle\na.rm\tT;U\n") << QStringList()
                                << QList<QStringList>{QStringList{a} + items("T;U")} << QStringList() << false;
    QTest::newRow("sep= line") << QByteArray("sep=|\r\nSourceFile|Title\r\na.rm|T,U;V\r\n") << QStringList()
                               << QList<QStringList>{QStringList{a} + items("T,U;V")} << QStringList() << false;
    QTest::newRow("quotes, doubled quotes, quoted separators")
        << QByteArray("SourceFile,Title,Description\n\"a.rm\",\"Say \"\"hi\"\", then, go\",plain \"quote\"\n")
        << QStringList() << QList<QStringList>{QStringList{a} + items("Say \"hi\", then, go", "plain \"quote\"")}
        << QStringList() << false;
    QTest::newRow("quoted line breaks in Description and own columns")
        << QByteArray("SourceFile,Description,Note\r\na.rm,\"one\r\ntwo\rthree\",\"x\ny\"\r\n") << QStringList{"Note"}
        << QList<QStringList>{QStringList{a} + items(QString(), "one\ntwo\nthree") + QStringList{"x\ny"}} << QStringList()
        << false;
    QTest::newRow("cells stay text") << QByteArray("SourceFile,Title,N\na.rm,007,1e3\n") << QStringList{"N"}
                                     << QList<QStringList>{QStringList{a} + items("007") + QStringList{"1e3"}} << QStringList()
                                     << false;
    QTest::newRow("short rows, blank lines, blank rows")
        << QByteArray("SourceFile,Title,N\n\na.rm\n,,\nb.rm,-\n") << QStringList{"N"}
        << QList<QStringList>{QStringList{a} + items("") + QStringList{""}, QStringList{"b.rm"} + items("-") + QStringList{""}}
        << QStringList() << false;
    QTest::newRow("star row") << QByteArray("SourceFile,Title\n*,Default\na.rm,\n") << QStringList()
                              << QList<QStringList>{QStringList{a} + items("")} << QStringList{"*"} + items("Default") << false;
    QTest::newRow("Windows-1252") << QByteArray("SourceFile,Title\na.rm,Caf\xE9 \x80 \x96 \x93\n") << QStringList()
                                  << QList<QStringList>{QStringList{a} + items(QStringLiteral("Café € – “"))} << QStringList()
                                  << true;
    QTest::newRow("UTF-8 without BOM") << QByteArray("SourceFile,Title\na.rm,Caf\xC3\xA9\n") << QStringList()
                                       << QList<QStringList>{QStringList{a} + items(QStringLiteral("Café"))} << QStringList()
                                       << false;
}

void ClipValuesTest::tableRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, columns);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QStringList, defaults);
    QFETCH(bool, windows1252);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("values.csv"));
    writeFile(path, bytes);
    const ValuesTable table = readValuesTableFile(path);
    QCOMPARE(table.columns, columns);
    QCOMPARE(table.readAsWindows1252, windows1252);
    QList<QStringList> read;
    for (const ValuesRow &row : table.rows) {
        read.append(rowText(row.sourceFile, row.values, columns));
        QCOMPARE(row.clipPath, QDir::cleanPath(folder.filePath(row.sourceFile)));
    }
    QCOMPARE(read, rows);
    QCOMPARE(table.defaults ? rowText(QStringLiteral("*"), *table.defaults, columns) : QStringList(), defaults);
    QCOMPARE(readFile(path), bytes);
}

void ClipValuesTest::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");

    QTest::newRow("no SourceFile column") << QByteArray("File,Title\na.rm,T\n") << "line 1: no column is named SourceFile";
    QTest::newRow("empty file") << QByteArray("") << "line 1: no column is named SourceFile";
    QTest::newRow("more cells than the header") << QByteArray("SourceFile,Title\na.rm,T\nb.rm,T,extra\n")
                                                << "line 3: the row has 3 cells, the header 2";
    QTest::newRow("two rows for one clip") << QByteArray("SourceFile,Title\na.rm,T\nsub/../b.rm,U\n./a.rm,V\n")
                                           << "lines 2 and 4 both name the clip";
    QTest::newRow("two star rows") << QByteArray("SourceFile,Title\n*,T\n*,U\n") << "lines 2 and 3 are both the \"*\" row";
    QTest::newRow("quote left open") << QByteArray("SourceFile,Title\na.rm,T\nb.rm,\"open\nc.rm,U\n")
                                     << "line 3: a quote opened here is never closed";
    QTest::newRow("line break in Title") << QByteArray("SourceFile,Title\na.rm,\"one\ntwo\"\n")
                                         << "line 2: the Title cell holds a line break; only Description may";
    QTest::newRow("line break in PopUpUrl after sep=")
        << QByteArray("sep=;\nSourceFile;popupurl\na.rm;x\nb.rm;\"http://x\r\n/y\"\n")
        << "line 4: the popupurl cell holds a line break; only Description may";
    QTest::newRow("two columns of one name") << QByteArray("SourceFile,Title,title\na.rm,T,U\n")
                                             << "line 1: two columns are named \"title\"";
}

void ClipValuesTest::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("values.csv"));
    writeFile(path, bytes);
    try {
        readValuesTableFile(path);
        QFAIL("the table was taken");
    } catch (const ValuesTableError &error) {
        const QString message = error.message();
        QVERIFY2(message.startsWith(QStringLiteral("The values table \"%1\" can't be used: ").arg(QDir::toNativeSeparators(path))),
                 qPrintable(message));
        QVERIFY2(message.contains(fault), qPrintable(message));
        QCOMPARE(message.count(QLatin1Char('\n')), 0);
    }
    QCOMPARE(readFile(path), bytes);
}

void ClipValuesTest::rowsMatchClips()
{
    QTemporaryDir folder;
    const QString tablePath = folder.filePath(QStringLiteral("table/values.csv"));
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("table"))));
    const QString full = folder.filePath(QStringLiteral("elsewhere/full.rm"));
    const QString relative = folder.filePath(QStringLiteral("table/sub/rel.rm"));
    const QString bare = folder.filePath(QStringLiteral("table/bare.rm"));
    const QString rowless = folder.filePath(QStringLiteral("rowless.rm"));
    writeFile(tablePath, QStringLiteral("SourceFile,Title,Author,City\n"
                                        "%1,Full,,Oslo\n"
                                        "*,Default title,Default author,Nowhere\n"
                                        "sub/rel.rm,,Own author,\n"
                                        "bare.rm,-,,Bergen\n"
                                        "gone.rm,Gone,,\n"
                                        ",No clip,,\n")
                             .arg(full)
                             .toUtf8());
    const ValuesTable table = readValuesTableFile(tablePath);
    const ValuesMatch match = matchValuesTable(table, {rowless, bare, relative, full});

    QCOMPARE(match.matchedRows, 3);
    QCOMPARE(match.unmatchedRows, (QStringList{"gone.rm", ""}));
    QCOMPARE(match.clipsWithoutRow, QList<int>{0});
    QCOMPARE(match.clips.size(), 4);
    const QList<QStringList> expected{
        {"Default title", "Default author", "Nowhere"},
        {"-", "Default author", "Bergen"},
        {"Default title", "Own author", "Nowhere"},
        {"Full", "Default author", "Oslo"},
    };
    for (int clipIndex = 0; clipIndex < 4; ++clipIndex) {
        const ClipValues &values = match.clips[clipIndex];
        QCOMPARE((QStringList{values.item(ClipItem::Title), values.item(ClipItem::Author), values.cells.value("City")}),
                 expected[clipIndex]);
        QCOMPARE(values.cells.keys(), QStringList{"City"});
    }
}

void ClipValuesTest::exportReadsBackTheSameValues()
{
    QTemporaryDir folder;
    const QStringList columns{"City", "Note, with comma"};
    const QList<ListedClipValues> clips{
        {folder.filePath("a.rm"), valuesOf(items("Title \"quoted\"", "two\nlines", "-"), {{"City", "Oslo"}, {"Note, with comma", " padded "}})},
        {folder.filePath("b b.rm"), valuesOf(items(""), {{"City", ""}, {"Note, with comma", ""}})},
        {folder.filePath("c.rm"), valuesOf({"1", "2", "3", "4", "5", "6", "http://x/{City}"}, {{"City", "é;\t"}, {"Note, with comma", "n"}})},
    };
    const QString path = folder.filePath("export.csv");
    writeValuesTableFile(path, columns, clips);
    const QByteArray bytes = readFile(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF" "SourceFile,Title,Copyright,Author,Keywords,Description,ShowText,PopUpUrl,"
                             "City,\"Note, with comma\"\r\n"));
    QCOMPARE(bytes.count("\r\n"), 5); // the header, three rows, the line break inside the description
    QCOMPARE(bytes.count('\n'), 5);
    QVERIFY(bytes.contains(folder.filePath("b b.rm").toUtf8()));

    const ValuesTable table = readValuesTableFile(path);
    QCOMPARE(table.columns, columns);
    QVERIFY(!table.readAsWindows1252);
    QStringList paths;
    for (const ListedClipValues &clipValues : clips)
        paths.append(clipValues.path);
    const ValuesMatch match = matchValuesTable(table, paths);
    QVERIFY(match.unmatchedRows.isEmpty());
    QVERIFY(match.clipsWithoutRow.isEmpty());
    for (int index = 0; index < clips.size(); ++index)
        QCOMPARE(match.clips[index], clips[index].values);
}

void ClipValuesTest::clipSettings_data()
{
    QTest::addColumn<ClipValues>("values");
    QTest::addColumn<bool>("withMap");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("showText");
    QTest::addColumn<QString>("popUpUrl");

    const QString url = QStringLiteral("u 00:00:01.0 00:00:05.0 &&_rpexternal&&http://example.com/intro?n=3\r\n");
    const QString copyright = QStringLiteral("c 00:00:00.0 00:00:10.0 (c) 2024-03-09\r\n");
    const QString description = QStringLiteral("q 00:00:00.0 00:00:10.0  First line second week 1\r\n");
    QTest::newRow("the batch's values, filled")
        << ClipValues() << false
        << url + "i 00:00:00.0 00:00:10.0 Weekly intro\r\n" + copyright + description << "Open intro.rm"
        << "http://maps.example/{Place}";
    QTest::newRow("own texts switch items on, - switches off")
        << valuesOf({"-", "", "By {Who}", "", "Own\n{Who}", "", ""}, {{"Who", "Ann\nLee"}}) << false
        << url + copyright + "a 00:00:00.0 00:00:10.0 By Ann Lee\r\n" + "q 00:00:00.0 00:00:10.0  Own Ann Lee\r\n"
        << "Open intro.rm" << "http://maps.example/{Place}";
    QTest::newRow("own show text switches the click event on")
        << valuesOf(items("", "", "See {Place}"), {{"Place", "St. Olav's & co"}}) << true
        << url + "i 00:00:00.0 00:00:10.0 Weekly intro\r\n" + copyright + description << "See St. Olav's & co"
        << "http://maps.example/St.%20Olav%27s%20%26%20co";
    QTest::newRow("own pop-up URL switches it on")
        << valuesOf({"", "", "", "", "", "", "https://{Place}.example/"}, {{"Place", "a b"}}) << true
        << url + "i 00:00:00.0 00:00:10.0 Weekly intro\r\n" + copyright + description << "Open intro.rm"
        << "https://a%20b.example/";
    QTest::newRow("- in either switches it off")
        << valuesOf({"", "", "", "", "", "Shown", "-"}) << false
        << url + "i 00:00:00.0 00:00:10.0 Weekly intro\r\n" + copyright + description << "Shown"
        << "http://maps.example/{Place}";
}

void ClipValuesTest::clipSettings()
{
    QFETCH(ClipValues, values);
    QFETCH(bool, withMap);
    QFETCH(QString, script);
    QFETCH(QString, showText);
    QFETCH(QString, popUpUrl);

    const JobSettings batch = batchSettings();
    const JobSettings settings = clipJobSettings(batch, values, {clip, 3, day});
    QCOMPARE(eventScript(settings.timeEvents, settings.clipInformation), script);
    QCOMPARE(settings.withMap, withMap);
    QCOMPARE(settings.clickMap.showText, showText);
    QCOMPARE(settings.clickMap.popUpUrl, popUpUrl);
    QCOMPARE((QList<int>{settings.clickMap.hours, settings.clickMap.minutes, settings.clickMap.seconds}),
             (QList<int>{1, 2, 3}));

    // With the batch's click event on, only "-" takes it off.
    JobSettings mapOn = batch;
    mapOn.withMap = true;
    const bool switchedOff = values.item(ClipItem::ShowText) == ClipValues::off || values.item(ClipItem::PopUpUrl) == ClipValues::off;
    QCOMPARE(clipJobSettings(mapOn, values, {clip, 3, day}).withMap, !switchedOff);
}

QTEST_GUILESS_MAIN(ClipValuesTest)
#include "tst_clipvalues.moc"
