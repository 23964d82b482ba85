#include "TestSupport.h"
#include "tst_langsupport.h"

#include "jobs/AppFolder.h"
#include "lang/IniFile.h"
#include "lang/IniFileWriteError.h"
#include "lang/InvalidOwnerError.h"
#include "lang/Translator.h"
#include "lang/PublishedProperties.h"
#include "lang/StringList.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"
#include "widgets/MenuItem.h"

#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>

// A translator whose run is whatever the test asks of the primitives.
class ProbeLangRes : public TsmlLangRes
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE setActive)

public:
    explicit ProbeLangRes(QObject *owner) : TsmlLangRes(owner) {}

    using TsmlLangRes::DecodeValue;
    using TsmlLangRes::EncodeValue;
    using TsmlLangRes::TranslateFont;
    using TsmlLangRes::TranslateGridColumns;
    using TsmlLangRes::TranslateHeaderSections;
    using TsmlLangRes::TranslateListColumns;
    using TsmlLangRes::TranslateListItems;
    using TsmlLangRes::TranslateMenuItem;
    using TsmlLangRes::TranslateMsg;
    using TsmlLangRes::TranslateStringsProp;
    using TsmlLangRes::TranslateStrProp;
    using TsmlLangRes::TranslateTreeNodes;

    std::function<void()> run;
    int runs = 0;

protected:
    void ApplyLanguage() override
    {
        ++runs;
        if (run)
            run();
    }
};

class LangResTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hasProp_data();
    void hasProp();
    void constructionDefaults();
    void owners_data();
    void owners();
    void langFileName_data();
    void langFileName();
    void settingsReapply_data();
    void settingsReapply();
    void stringListTellsEveryChange_data();
    void stringListTellsEveryChange();
    void decodeValue_data();
    void decodeValue();
    void encodeValue();
    void translateStrProp_data();
    void translateStrProp();
    void bracketedTextsRoundTrip_data();
    void bracketedTextsRoundTrip();
    void nonStringPropertiesArePassedOver();
    void translateStringsProp();
    void translateFont_data();
    void translateFont();
    void fontOfAControlThatIsNoOwner();
    void headerSections();
    void listColumnsAndItems();
    void treeNodesDepthFirst();
    void gridColumns();
    void menuItemsDepthFirstPassingOverSeparators();
    void translateMsg_data();
    void translateMsg();
    void refusedWriteEndsTheRunKeepingReplacedTexts();

private:
    QString entry(const QString &key) const;
    void writeLangFile(const QByteArray &entries) const;

    std::unique_ptr<TemporaryAppFolder> m_folder;
    std::unique_ptr<TTestForm> m_form;
    ProbeLangRes *m_probe = nullptr;
    QString m_langFile;
};

namespace {

const QString missing = QStringLiteral("(missing)");

} // namespace

void LangResTest::init()
{
    m_folder = std::make_unique<TemporaryAppFolder>();
    m_langFile = m_folder->filePath(QStringLiteral("DefLang.ini"));
    m_form = std::make_unique<TTestForm>();
    m_probe = m_form->create<ProbeLangRes>(QStringLiteral("smlProbe1"), m_form.get());
}

void LangResTest::cleanup()
{
    m_form.reset();
    m_folder.reset();
}

QString LangResTest::entry(const QString &key) const
{
    return IniFile(m_langFile).readString(QStringLiteral("TTestForm"), key, missing);
}

void LangResTest::writeLangFile(const QByteArray &entries) const
{
    writeFile(m_langFile, "[TTestForm]\r\n" + entries);
}

void LangResTest::hasProp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    QTest::newRow("declared by the class") << "Caption" << true;
    QTest::newRow("lower case") << "caption" << true;
    QTest::newRow("upper case") << "CAPTION" << true;
    QTest::newRow("declared by an ancestor") << "objectName" << true;
    QTest::newRow("ancestor's, other case") << "Font" << true;
    QTest::newRow("not published") << "Items" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("only ASCII letters fold") << "Capt\u0130on" << false;
}

void LangResTest::hasProp()
{
    QFETCH(QString, name);
    QFETCH(bool, expected);
    Label label;
    QCOMPARE(HasProp(&label, name), expected);
    QCOMPARE(HasProp(nullptr, name), false);
}

void LangResTest::constructionDefaults()
{
    QCOMPARE(m_probe->parent(), m_form.get());
    QCOMPARE(m_probe->LangFileName(), QStringLiteral("DefLang.ini"));
    QCOMPARE(m_probe->LangFilePath(), m_folder->path() + "DefLang.ini");
    QVERIFY(!m_probe->IgnoreEmptyString());
    QVERIFY(m_probe->AutoCreateMode());
    QVERIFY(!m_probe->AddBracket());
    QVERIFY(!m_probe->Active());
    QCOMPARE(m_probe->runs, 0);
    const QStringList published{"LangFileName", "IgnoreEmptyString", "AutoCreateMode", "AddBracket", "Active"};
    const QMetaObject *meta = m_probe->metaObject();
    QCOMPARE(meta->propertyCount() - QObject::staticMetaObject.propertyCount(), published.size());
    for (int index = 0; index < published.size(); ++index)
        QCOMPARE(meta->property(QObject::staticMetaObject.propertyCount() + index).name(), published[index]);
}

void LangResTest::owners_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("form") << int(ComponentOwner::Kind::Form) << true;
    QTest::newRow("data module") << int(ComponentOwner::Kind::DataModule) << true;
    QTest::newRow("frame") << int(ComponentOwner::Kind::Frame) << true;
    QTest::newRow("other owner") << int(ComponentOwner::Kind::Other) << false;
    QTest::newRow("a widget that owns no components") << -1 << false;
    QTest::newRow("no owner") << -2 << false;
}

void LangResTest::owners()
{
    QFETCH(int, kind);
    QFETCH(bool, accepted);
    std::unique_ptr<QObject> owner;
    if (kind >= 0)
        owner = std::make_unique<TTestForm>(ComponentOwner::Kind(kind));
    else if (kind == -1)
        owner = std::make_unique<QWidget>();
    try {
        auto *probe = new ProbeLangRes(owner.get());
        QVERIFY(accepted);
        QCOMPARE(probe->parent(), owner.get());
    } catch (const InvalidOwnerError &error) {
        QVERIFY(!accepted);
        QCOMPARE(error.message(), QStringLiteral("Owner must be a Form or a DataModule!"));
        if (owner)
            QVERIFY(owner->children().isEmpty());
    }
}

void LangResTest::langFileName_data()
{
    QTest::addColumn<QString>("assigned");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain file name") << "DefLang.ini" << "DefLang.ini";
    QTest::newRow("other name") << "Chinese.lng" << "Chinese.lng";
    QTest::newRow("with a sub-folder") << "lang/German.ini" << "German.ini";
}

void LangResTest::langFileName()
{
    QFETCH(QString, assigned);
    QFETCH(QString, name);
    QDir(m_folder->path()).mkdir(QStringLiteral("lang"));
    m_probe->setLangFileName(assigned);
    QCOMPARE(m_probe->LangFileName(), name);
    QCOMPARE(m_probe->LangFilePath(), m_folder->path() + assigned);

    // The path holds from then on, wherever the application folder is later said to be.
    redirectAppFolder(QDir::tempPath());
    m_probe->run = [this] { m_probe->TranslateMsg(QStringLiteral("Msg"), QStringLiteral("Text")); };
    m_probe->setActive(true);
    QCOMPARE(fileLines(m_folder->filePath(assigned)), (QStringList{"[TTestForm]", "Msg=Text"}));
}

void LangResTest::settingsReapply_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("runs");

    const struct
    {
        const char *setting;
        QVariant value;
        int runs;
    } settings[] = {
        {"LangFileName", QStringLiteral("Other.ini"), 1},
        {"IgnoreEmptyString", true, 1},
        {"AutoCreateMode", false, 1},
        {"AutoCreateMode", true, 1},
        {"AddBracket", true, 0},
        {"Active", true, 1},
    };
    for (const auto &each : settings) {
        const QString value = each.value.toString();
        QTest::addRow("active, %s = %s", each.setting, qPrintable(value))
            << true << QString::fromLatin1(each.setting) << each.value << each.runs;
        QTest::addRow("inactive, %s = %s", each.setting, qPrintable(value))
            << false << QString::fromLatin1(each.setting) << each.value << int(each.setting == QByteArray("Active"));
    }
    QTest::newRow("active, Active = false") << true << "Active" << QVariant(false) << 0;
}

void LangResTest::settingsReapply()
{
    QFETCH(bool, active);
    QFETCH(QString, setting);
    QFETCH(QVariant, value);
    QFETCH(int, runs);
    m_probe->setActive(active);
    m_probe->runs = 0;
    QVERIFY(m_probe->setProperty(qPrintable(setting), value));
    QCOMPARE(m_probe->property(qPrintable(setting)), value);
    QCOMPARE(m_probe->runs, runs);
}

void LangResTest::stringListTellsEveryChange_data()
{
    QTest::addColumn<std::function<void(StringList &)>>("change");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("changes");

    using Change = std::function<void(StringList &)>;
    QTest::newRow("assign") << Change([](StringList &l) { l.assign({"x"}); }) << QStringList{"x"} << 1;
    QTest::newRow("assign the same lines") << Change([](StringList &l) { l.assign({"a", "b"}); })
                                           << QStringList{"a", "b"} << 1;
    QTest::newRow("append") << Change([](StringList &l) { l.append("c"); }) << QStringList{"a", "b", "c"} << 1;
    QTest::newRow("insert") << Change([](StringList &l) { l.insert(0, "c"); }) << QStringList{"c", "a", "b"} << 1;
    QTest::newRow("replace") << Change([](StringList &l) { l.replace(1, "c"); }) << QStringList{"a", "c"} << 1;
    QTest::newRow("remove") << Change([](StringList &l) { l.removeAt(0); }) << QStringList{"b"} << 1;
    QTest::newRow("clear") << Change([](StringList &l) { l.clear(); }) << QStringList{} << 1;
    QTest::newRow("clear when empty") << Change([](StringList &l) {
        l.clear();
        l.clear();
    }) << QStringList{} << 1;
}

void LangResTest::stringListTellsEveryChange()
{
    QFETCH(std::function<void(StringList &)>, change);
    QFETCH(QStringList, lines);
    QFETCH(int, changes);
    StringList list(QStringList{"a", "b"});
    QStringList seen;
    list.setOnChange([&] { seen.append(list.lines().join(QLatin1Char('|'))); });
    change(list);
    QCOMPARE(list.lines(), lines);
    QCOMPARE(seen.size(), changes);
    QCOMPARE(seen.last(), lines.join(QLatin1Char('|')));
}

void LangResTest::decodeValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << "Seconds" << "Seconds";
    QTest::newRow("in brackets") << "<Seconds>" << "Seconds";
    QTest::newRow("blanks kept inside brackets") << "<  Add Event  >" << "  Add Event  ";
    QTest::newRow("empty brackets") << "<>" << "";
    QTest::newRow("a lone <") << "<" << "<";
    QTest::newRow("a lone >") << ">" << ">";
    QTest::newRow("only the outer pair") << "<<b>>" << "<b>";
    QTest::newRow("open only") << "<b" << "<b";
    QTest::newRow("blanks outside the brackets") << " <b> " << " <b> ";
}

void LangResTest::decodeValue()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(ProbeLangRes::DecodeValue(value), text);
}

void LangResTest::encodeValue()
{
    QCOMPARE(m_probe->EncodeValue(QStringLiteral("Seconds")), QStringLiteral("Seconds"));
    m_probe->setAddBracket(true);
    QCOMPARE(m_probe->EncodeValue(QStringLiteral("Seconds")), QStringLiteral("<Seconds>"));
    QCOMPARE(m_probe->EncodeValue(QString()), QStringLiteral("<>"));
}

void LangResTest::translateStrProp_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("ignoreEmpty");
    QTest::addColumn<bool>("autoCreate");
    QTest::addColumn<bool>("bracket");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");

    QTest::newRow("the file's text replaces the caption")
        << QByteArray("Label4_Caption=Sekunden\r\n") << "Seconds" << false << true << false << "Sekunden" << "Sekunden";
    QTest::newRow("a value in brackets is decoded")
        << QByteArray("Label4_Caption=<  Sekunden  >\r\n") << "Seconds" << false << true << false << "  Sekunden  "
        << "<  Sekunden  >";
    QTest::newRow("the file's text, whatever the settings")
        << QByteArray("Label4_Caption=Sekunden\r\n") << "" << true << false << true << "Sekunden" << "Sekunden";
    QTest::newRow("a missing entry is written with the caption")
        << QByteArray() << "Seconds" << false << true << false << "Seconds" << "Seconds";
    QTest::newRow("written in brackets")
        << QByteArray() << "Seconds" << false << true << true << "Seconds" << "<Seconds>";
    QTest::newRow("an empty entry never blanks the caption and is rewritten")
        << QByteArray("Label4_Caption=\r\n") << "Seconds" << false << true << false << "Seconds" << "Seconds";
    QTest::newRow("an empty caption is written") << QByteArray() << "" << false << true << false << "" << "";
    QTest::newRow("an empty caption is ignored") << QByteArray() << "" << true << true << false << "" << missing;
    QTest::newRow("a non-empty caption is written when ignoring empty ones")
        << QByteArray() << "Seconds" << true << true << false << "Seconds" << "Seconds";
    QTest::newRow("nothing is written without auto-create")
        << QByteArray() << "Seconds" << false << false << false << "Seconds" << missing;
    QTest::newRow("an empty entry stays without auto-create")
        << QByteArray("Label4_Caption=\r\n") << "Seconds" << false << false << false << "Seconds" << "";
    QTest::newRow("a value of blanks and tabs counts as empty and is rewritten")
        << QByteArray("Label4_Caption= \t  \r\n") << "Seconds" << false << true << false << "Seconds" << "Seconds";
    QTest::newRow("a blank value stays without auto-create")
        << QByteArray("Label4_Caption=  \r\n") << "Seconds" << false << false << false << "Seconds" << "  ";
    QTest::newRow("blanks in brackets are a caption")
        << QByteArray("Label4_Caption=< \t>\r\n") << "Seconds" << false << true << false << " \t" << "< \t>";
    QTest::newRow("a caption of two lines is not written, for it could not be read back")
        << QByteArray() << "Two\nlines" << false << true << false << "Two\nlines" << missing;
}

void LangResTest::translateStrProp()
{
    QFETCH(QByteArray, entries);
    QFETCH(QString, caption);
    QFETCH(bool, ignoreEmpty);
    QFETCH(bool, autoCreate);
    QFETCH(bool, bracket);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    if (!entries.isEmpty())
        writeLangFile(entries);
    Label *label = m_form->create<Label>(QStringLiteral("Label4"), caption, m_form.get());
    m_probe->setIgnoreEmptyString(ignoreEmpty);
    m_probe->setAutoCreateMode(autoCreate);
    m_probe->setAddBracket(bracket);
    m_probe->run = [&] { m_probe->TranslateStrProp(label, QStringLiteral("Caption")); };
    m_probe->setActive(true);
    QCOMPARE(label->text(), shown);
    QCOMPARE(entry(QStringLiteral("Label4_Caption")), stored);
}

void LangResTest::bracketedTextsRoundTrip_data()
{
    QTest::addColumn<bool>("bracket");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("written plain, read without its brackets") << false << "<b>" << "b";
    QTest::newRow("written in brackets, read back whole") << true << "<<b>>" << "<b>";
}

void LangResTest::bracketedTextsRoundTrip()
{
    QFETCH(bool, bracket);
    QFETCH(QString, stored);
    QFETCH(QString, readBack);
    Label *label = m_form->create<Label>(QStringLiteral("Label4"), QStringLiteral("<b>"), m_form.get());
    m_probe->setAddBracket(bracket);
    m_probe->run = [&] { m_probe->TranslateStrProp(label, QStringLiteral("caption")); };
    m_probe->setActive(true);
    QCOMPARE(label->text(), QStringLiteral("<b>"));
    QCOMPARE(entry(QStringLiteral("Label4_caption")), stored);
    m_probe->setAddBracket(!bracket);
    m_probe->setActive(true);
    QCOMPARE(label->text(), readBack);
}

void LangResTest::nonStringPropertiesArePassedOver()
{
    auto *control = m_form->create<NumberControl>(QStringLiteral("Number1"), m_form.get());
    writeLangFile("Number1_Caption=5\r\nNumber1_Items[0]=6\r\n");
    m_probe->run = [&] {
        m_probe->TranslateStrProp(control, QStringLiteral("Caption"));
        m_probe->TranslateStringsProp(control, QStringLiteral("Items"));
        m_probe->TranslateStrProp(control, QStringLiteral("Missing"));
        m_probe->TranslateStrProp(control, QStringLiteral("enabled"));
    };
    m_probe->setActive(true);
    QCOMPARE(control->caption, 7);
    QCOMPARE(control->items, 8);
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "Number1_Caption=5", "Number1_Items[0]=6"}));
}

void LangResTest::translateStringsProp()
{
    auto *control = m_form->create<TestControl>(QStringLiteral("Control1"), m_form.get());
    control->items = QStringList{"One", "Two", "", "Four"};
    writeLangFile("Control1_Items[1]=Zwei\r\nControl1_Items[2]=<Drei>\r\nControl1_Items[3]=\r\nControl1_Items[4]=Fuenf\r\n");
    m_probe->run = [&] { m_probe->TranslateStringsProp(control, QStringLiteral("items")); };
    m_probe->setActive(true);
    QCOMPARE(control->items, (QStringList{"One", "Zwei", "Drei", "Four"}));
    QCOMPARE(fileLines(m_langFile),
             (QStringList{"[TTestForm]", "Control1_Items[1]=Zwei", "Control1_Items[2]=<Drei>", "Control1_items[3]=Four",
                          "Control1_Items[4]=Fuenf", "Control1_items[0]=One"}));
}

void LangResTest::translateFont_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<bool>("autoCreate");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QStringList>("stored");

    const QString msSansSerif = QStringLiteral("MS Sans Serif");
    QTest::newRow("missing entries are written, the face name encoded")
        << QByteArray() << true << msSansSerif << 9 << 0 << QStringList{"<MS Sans Serif>", "9", "0"};
    QTest::newRow("nothing written without auto-create")
        << QByteArray() << false << msSansSerif << 9 << 0 << QStringList{missing, missing, missing};
    QTest::newRow("the file's font")
        << QByteArray("Form1_FontName=<SimSun>\r\nForm1_FontSize=12\r\nForm1_FontCharset=134\r\n") << false
        << "SimSun" << 12 << 134 << QStringList{"<SimSun>", "12", "134"};
    QTest::newRow("character set 390 is 134")
        << QByteArray("Form1_FontCharset=390\r\n") << true << msSansSerif << 9 << 134
        << QStringList{"<MS Sans Serif>", "9", "390"};
    QTest::newRow("size in hexadecimal")
        << QByteArray("Form1_FontSize=0x0A\r\n") << true << msSansSerif << 10 << 0
        << QStringList{"<MS Sans Serif>", "0x0A", "0"};
    QTest::newRow("no numbers count as missing")
        << QByteArray("Form1_FontSize=abc\r\nForm1_FontCharset=abc\r\n") << true << msSansSerif << 9 << 0
        << QStringList{"<MS Sans Serif>", "9", "0"};
    QTest::newRow("size 0 and character set -1 count as missing")
        << QByteArray("Form1_FontName=\r\nForm1_FontSize=0\r\nForm1_FontCharset=-1\r\n") << true << msSansSerif << 9
        << 0 << QStringList{"<MS Sans Serif>", "9", "0"};
    QTest::newRow("a blank face name counts as missing")
        << QByteArray("Form1_FontName= \t\r\n") << true << msSansSerif << 9 << 0
        << QStringList{"<MS Sans Serif>", "9", "0"};
    QTest::newRow("a negative size leaves the font alone")
        << QByteArray("Form1_FontSize=-12\r\nForm1_FontCharset=-2\r\n") << true << msSansSerif << 9 << 254
        << QStringList{"<MS Sans Serif>", "-12", "-2"};
}

void LangResTest::translateFont()
{
    QFETCH(QByteArray, entries);
    QFETCH(bool, autoCreate);
    QFETCH(QString, family);
    QFETCH(int, pointSize);
    QFETCH(int, charset);
    QFETCH(QStringList, stored);
    if (!entries.isEmpty())
        writeLangFile(entries);
    m_probe->setAutoCreateMode(autoCreate);
    m_probe->setAddBracket(true);
    m_probe->run = [&] { m_probe->TranslateFont(m_form.get()); };
    m_probe->setActive(true);
    QCOMPARE(m_form->font().family(), family);
    QCOMPARE(m_form->font().pointSize(), pointSize);
    QCOMPARE(m_form->FontCharset(), charset);
    QCOMPARE((QStringList{entry("Form1_FontName"), entry("Form1_FontSize"), entry("Form1_FontCharset")}), stored);
}

void LangResTest::fontOfAControlThatIsNoOwner()
{
    Label *label = m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("x"), m_form.get());
    QObject plain;
    plain.setObjectName(QStringLiteral("Plain"));
    m_probe->run = [&] {
        m_probe->TranslateFont(label);
        m_probe->TranslateFont(&plain);
    };
    m_probe->setActive(true);
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "Label1_FontName=MS Sans Serif", "Label1_FontSize=9"}));
}

void LangResTest::headerSections()
{
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({"Name", "Size", "Date"});
    auto *header = m_form->create<QHeaderView>(QStringLiteral("Header1"), Qt::Horizontal, m_form.get());
    header->setModel(&model);
    writeLangFile("Header1_SectionsText[1]=Groesse\r\n");
    m_probe->run = [&] { m_probe->TranslateHeaderSections(header); };
    m_probe->setActive(true);
    QCOMPARE(model.horizontalHeaderItem(1)->text(), QStringLiteral("Groesse"));
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "Header1_SectionsText[1]=Groesse",
                                                 "Header1_SectionsText[0]=Name", "Header1_SectionsText[2]=Date"}));
}

void LangResTest::listColumnsAndItems()
{
    auto *list = m_form->create<ListView>(QStringLiteral("lvFiles"), m_form.get());
    list->addColumn(QStringLiteral("  Source Files "), Qt::AlignLeft, 100);
    list->addColumn(QStringLiteral("Status"), Qt::AlignLeft, 100);
    list->addRow(QStringLiteral("a.rm"), {QStringLiteral("Success")});
    list->addRow(QStringLiteral("b.rm"), {QStringLiteral("Failure"), QStringLiteral("extra")});
    writeLangFile("lvFiles_ColumnCaption[1]=Zustand\r\nlvFiles_SubItem[1]Caption[0]=Fehler\r\n");
    m_probe->run = [&] {
        m_probe->TranslateListColumns(list);
        m_probe->TranslateListItems(list);
    };
    m_probe->setActive(true);
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Zustand"));
    QCOMPARE(list->subItem(1, 0), QStringLiteral("Fehler"));
    QCOMPARE(fileLines(m_langFile),
             (QStringList{"[TTestForm]", "lvFiles_ColumnCaption[1]=Zustand", "lvFiles_SubItem[1]Caption[0]=Fehler",
                          "lvFiles_ColumnCaption[0]=  Source Files ", "lvFiles_ItemCaption[0]=a.rm",
                          "lvFiles_SubItem[0]Caption[0]=Success", "lvFiles_ItemCaption[1]=b.rm",
                          "lvFiles_SubItem[1]Caption[1]=extra"}));
}

void LangResTest::treeNodesDepthFirst()
{
    auto *tree = m_form->create<QTreeWidget>(QStringLiteral("Tree1"), m_form.get());
    auto *a = new QTreeWidgetItem(tree, {"A"});
    auto *a1 = new QTreeWidgetItem(a, {"A1"});
    new QTreeWidgetItem(a1, {"A1a"});
    new QTreeWidgetItem(a, {"A2"});
    new QTreeWidgetItem(tree, {"B"});
    writeLangFile("Tree1_ItemText[3]=Zwei\r\n");
    m_probe->run = [&] { m_probe->TranslateTreeNodes(tree); };
    m_probe->setActive(true);
    QCOMPARE(a->child(1)->text(0), QStringLiteral("Zwei"));
    QCOMPARE(fileLines(m_langFile),
             (QStringList{"[TTestForm]", "Tree1_ItemText[3]=Zwei", "Tree1_ItemText[0]=A", "Tree1_ItemText[1]=A1",
                          "Tree1_ItemText[2]=A1a", "Tree1_ItemText[4]=B"}));
}

void LangResTest::gridColumns()
{
    auto *grid = m_form->create<QTableWidget>(QStringLiteral("DBGrid1"), 0, 3, m_form.get());
    grid->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Title")));
    grid->setHorizontalHeaderItem(1, new QTableWidgetItem(QStringLiteral("Author")));
    writeLangFile("DBGrid1_ColumnsCaption[0]=Titel\r\nDBGrid1_ColumnsCaption[2]=Jahr\r\n");
    m_probe->run = [&] { m_probe->TranslateGridColumns(grid); };
    m_probe->setActive(true);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Titel"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Author"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Jahr"));
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "DBGrid1_ColumnsCaption[0]=Titel",
                                                 "DBGrid1_ColumnsCaption[2]=Jahr", "DBGrid1_ColumnsCaption[1]=Author"}));
}

void LangResTest::menuItemsDepthFirstPassingOverSeparators()
{
    auto *file = m_form->create<MenuItem>(QStringLiteral("File1"), QStringLiteral("File"), m_form.get());
    auto *menu = new QMenu(m_form.get());
    file->setMenu(menu);
    auto *exit = m_form->create<MenuItem>(QStringLiteral("Exit1"), QStringLiteral("&Exit"), menu);
    auto *separator = m_form->create<MenuItem>(QStringLiteral("N1"), QStringLiteral("-"), menu);
    auto *underSeparator = new QMenu(menu);
    separator->setMenu(underSeparator);
    underSeparator->addAction(m_form->create<MenuItem>(QStringLiteral("Hidden1"), QStringLiteral("Hidden"), menu));
    auto *qtSeparator = m_form->create<MenuItem>(QStringLiteral("N2"), menu);
    qtSeparator->setSeparator(true);
    auto *about = m_form->create<MenuItem>(QStringLiteral("About1"), QStringLiteral("About..."), menu);
    menu->addActions({exit, separator, qtSeparator, about});
    writeLangFile("Exit1_Caption=&Beenden\r\n");
    m_probe->run = [&] { m_probe->TranslateMenuItem(file); };
    m_probe->setActive(true);
    QCOMPARE(exit->text(), QStringLiteral("&Beenden"));
    QCOMPARE(fileLines(m_langFile),
             (QStringList{"[TTestForm]", "Exit1_Caption=&Beenden", "File1_Caption=File", "About1_Caption=About..."}));
}

void LangResTest::translateMsg_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<bool>("ignoreEmpty");
    QTest::addColumn<bool>("autoCreate");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("stored");

    QTest::newRow("the file's text") << QByteArray("Msg=<Hallo>\r\n") << "Hello" << false << true << "Hallo"
                                     << "<Hallo>";
    QTest::newRow("missing: written, empty result") << QByteArray() << "Hello" << false << true << "" << "Hello";
    QTest::newRow("empty entry: rewritten") << QByteArray("Msg=\r\n") << "Hello" << false << true << "" << "Hello";
    QTest::newRow("empty text written") << QByteArray() << "" << false << true << "" << "";
    QTest::newRow("empty text ignored") << QByteArray() << "" << true << true << "" << missing;
    QTest::newRow("without auto-create") << QByteArray() << "Hello" << false << false << "" << missing;
}

void LangResTest::translateMsg()
{
    QFETCH(QByteArray, entries);
    QFETCH(QString, defaultText);
    QFETCH(bool, ignoreEmpty);
    QFETCH(bool, autoCreate);
    QFETCH(QString, result);
    QFETCH(QString, stored);
    if (!entries.isEmpty())
        writeLangFile(entries);
    m_probe->setIgnoreEmptyString(ignoreEmpty);
    m_probe->setAutoCreateMode(autoCreate);
    QString message = QStringLiteral("(not run)");
    m_probe->run = [&] { message = m_probe->TranslateMsg(QStringLiteral("Msg"), defaultText); };
    m_probe->setActive(true);
    QCOMPARE(message, result);
    QCOMPARE(entry(QStringLiteral("Msg")), stored);
}

void LangResTest::refusedWriteEndsTheRunKeepingReplacedTexts()
{
    writeLangFile("First_Caption=Erster\r\n");
    auto *first = m_form->create<TestControl>(QStringLiteral("First"), m_form.get());
    auto *second = m_form->create<TestControl>(QStringLiteral("Second"), m_form.get());
    auto *third = m_form->create<TestControl>(QStringLiteral("Third"), m_form.get());
    // Once the first caption is set, the language file turns into a folder: no later write can succeed.
    first->whenCaptionSet = [this] {
        QVERIFY(QFile::remove(m_langFile));
        QVERIFY(QDir().mkdir(m_langFile));
    };
    m_probe->run = [&] {
        for (TestControl *control : {first, second, third})
            m_probe->TranslateStrProp(control, QStringLiteral("Caption"));
    };
    try {
        m_probe->setActive(true);
        QFAIL("the refused write did not end the run");
    } catch (const IniFileWriteError &error) {
        QCOMPARE(error.message(), "Unable to write to " + QDir::toNativeSeparators(m_langFile));
    }
    QCOMPARE(first->caption(), QStringLiteral("Erster"));
    QCOMPARE(second->captionReads, 1);
    QCOMPARE(third->captionReads, 0);
}

QTEST_MAIN(LangResTest)
#include "tst_langres.moc"
