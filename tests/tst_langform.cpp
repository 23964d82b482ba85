#include "TestSupport.h"
#include "tst_langsupport.h"

#include "lang/IniFileWriteError.h"
#include "lang/FormTranslator.h"
#include "lang/MenuTranslator.h"
#include "lang/MessageTranslator.h"
#include "platform/CodePage.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"
#include "widgets/MenuItem.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>

class LangFormTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstRunWritesTheTextsCreatedBeforeIt();
    void secondStartLeavesTheFileAsItWas();
    void gbkLanguageFile();
    void laterStartTakesTheTextsFromTheFile();
    void settingsAfterConstruction();
    void passedOver_data();
    void passedOver();
    void ignoreFormCaption_data();
    void ignoreFormCaption();
    void listViews_data();
    void listViews();
    void treeViews_data();
    void treeViews();
    void headerControlsAndGridsAlways();
    void owners_data();
    void owners();
    void twoFormTranslators();
    void changesReapply_data();
    void changesReapply();
    void componentsCreatedLaterWaitForTheNextRun();
    void withoutAutoCreateNothingIsWritten();
    void addBracketTakesEffectAtTheNextRun();
    void refusedWriteAtStart();

private:
    static void buildForm(TTestForm &form);
    TsmlFormLangRes *addTranslator();
    QStringList keys() const;

    std::unique_ptr<TemporaryAppFolder> m_folder;
    std::unique_ptr<TTestForm> m_form;
    QString m_langFile;
};

namespace {

const QStringList fontEntries{"Form1_FontName=MS Sans Serif", "Form1_FontSize=9", "Form1_FontCharset=0"};

} // namespace

void LangFormTest::init()
{
    m_folder = std::make_unique<TemporaryAppFolder>();
    m_langFile = m_folder->filePath(QStringLiteral("DefLang.ini"));
    m_form = std::make_unique<TTestForm>();
}

void LangFormTest::cleanup()
{
    m_form.reset();
    m_folder.reset();
}

TsmlFormLangRes *LangFormTest::addTranslator()
{
    return m_form->create<TsmlFormLangRes>(QStringLiteral("smlFormLangRes1"), m_form.get());
}

// The keys of the language file's entries, in file order.
QStringList LangFormTest::keys() const
{
    QStringList keys;
    for (const QString &line : fileLines(m_langFile)) {
        if (line.contains(QLatin1Char('=')))
            keys.append(line.section(QLatin1Char('='), 0, 0));
    }
    return keys;
}

// Controls like the main window's, the form translator after them and a label after it.
void LangFormTest::buildForm(TTestForm &form)
{
    Panel *panel1 = form.create<Panel>(QStringLiteral("Panel1"), &form);
    auto *pages = form.create<PageControl>(QStringLiteral("RzPageControl1"), panel1);
    TabSheet *sheet = form.create<TabSheet>(QStringLiteral("TabSheet5"), pages);
    sheet->setCaption(QStringLiteral(" Time Events "));
    pages->addSheet(sheet);
    form.create<Label>(QStringLiteral("Label4"), QStringLiteral("Seconds"), sheet);
    form.create<CheckBox>(QStringLiteral("CheckBox1"), QStringLiteral("Title:"), sheet);
    form.create<QLineEdit>(QStringLiteral("Edit1"), sheet);
    form.create<ListView>(QStringLiteral("lvFiles"), panel1)->addColumn(QStringLiteral("Status"), Qt::AlignLeft, 9);
    form.create<ToolButton>(QStringLiteral("btnAdd"), &form)->setCaption(QStringLiteral("Add Files"));
    form.create<QTimer>(QStringLiteral("Timer1"), &form);
    auto *popup = form.create<QMenu>(QStringLiteral("pmFiles"), &form);
    popup->addAction(form.create<MenuItem>(QStringLiteral("AddFiles2"), QStringLiteral("Add Files"), popup));

    auto *translator = form.create<TsmlFormLangRes>(QStringLiteral("smlFormLangRes1"), &form);
    translator->setLangFileName(QStringLiteral("DefLang.ini"));
    translator->setActive(true);
    form.create<Label>(QStringLiteral("Label9"), QStringLiteral("After"), &form);
}

void LangFormTest::firstRunWritesTheTextsCreatedBeforeIt()
{
    buildForm(*m_form);
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]"} + fontEntries
                                     + QStringList{"Form1_Caption=Clipvane 1.50", "Panel1_Caption=",
                                                   "TabSheet5_Caption= Time Events ", "Label4_Caption=Seconds",
                                                   "CheckBox1_Caption=Title:", "btnAdd_Caption=Add Files"}));
}

void LangFormTest::secondStartLeavesTheFileAsItWas()
{
    buildForm(*m_form);
    const QByteArray written = readFile(m_langFile);
    TTestForm again;
    buildForm(again);
    QCOMPARE(readFile(m_langFile), written);
}

void LangFormTest::gbkLanguageFile()
{
    const QByteArray locale = qgetenv("LC_ALL");
    qputenv("LC_ALL", "zh_CN.GBK");
    const auto restoreLocale = qScopeGuard([&] {
        if (locale.isNull())
            qunsetenv("LC_ALL");
        else
            qputenv("LC_ALL", locale);
    });
    const CodePage gbk = CodePage::named("GBK");
    QCOMPARE(CodePage::system().name(), gbk.name());
    const QString translated = QStringLiteral("[TTestForm]\r\nForm1_FontName=宋体\r\nForm1_FontCharset=134\r\n"
                                              "Label4_Caption=秒\r\n");
    writeFile(m_langFile, gbk.encode(translated));
    Label *label = m_form->create<Label>(QStringLiteral("Label4"), QStringLiteral("Seconds"), m_form.get());
    m_form->create<CheckBox>(QStringLiteral("CheckBox1"), QStringLiteral("标题:"), m_form.get());
    addTranslator()->setActive(true);
    QCOMPARE(m_form->font().family(), QStringLiteral("宋体"));
    QCOMPARE(m_form->FontCharset(), 134);
    QCOMPARE(label->text(), QStringLiteral("秒"));
    QCOMPARE(readFile(m_langFile),
             gbk.encode(translated
                        + QStringLiteral("Form1_FontSize=9\r\nForm1_Caption=Clipvane 1.50\r\nCheckBox1_Caption=标题:\r\n")));
}

void LangFormTest::laterStartTakesTheTextsFromTheFile()
{
    writeFile(m_langFile, "[TTestForm]\r\nForm1_FontName=SimSun\r\nForm1_FontSize=10\r\nForm1_FontCharset=134\r\n"
                          "Form1_Caption=Clipvane (de)\r\nTabSheet5_Caption=< Zeitereignisse >\r\n"
                          "Label4_Caption=Sekunden\r\nControl1_Tabs[1]=Zwei\r\nControl1_Items[0]=Eins\r\n");
    auto *pages = m_form->create<PageControl>(QStringLiteral("RzPageControl1"), m_form.get());
    TabSheet *sheet = m_form->create<TabSheet>(QStringLiteral("TabSheet5"), pages);
    sheet->setCaption(QStringLiteral(" Time Events "));
    pages->addSheet(sheet);
    Label *label = m_form->create<Label>(QStringLiteral("Label4"), QStringLiteral("Seconds"), sheet);
    auto *control = m_form->create<TestControl>(QStringLiteral("Control1"), m_form.get());
    control->tabs = QStringList{"One", "Two"};
    control->items = QStringList{"One"};
    addTranslator()->setActive(true);

    QCOMPARE(m_form->font().family(), QStringLiteral("SimSun"));
    QCOMPARE(m_form->font().pointSize(), 10);
    QCOMPARE(m_form->FontCharset(), 134);
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Clipvane (de)"));
    QCOMPARE(pages->tabText(0), QStringLiteral(" Zeitereignisse "));
    QCOMPARE(label->text(), QStringLiteral("Sekunden"));
    QCOMPARE(control->tabs, (QStringList{"One", "Zwei"}));
    QCOMPARE(control->items, QStringList{"Eins"});
    QCOMPARE(keys().last(), QStringLiteral("Control1_Tabs[0]"));
}

void LangFormTest::settingsAfterConstruction()
{
    TsmlFormLangRes *translator = addTranslator();
    QCOMPARE(translator->StringProperties().lines(), QStringList{"Caption"});
    QCOMPARE(translator->StringsProperties().lines(), (QStringList{"Tabs", "Items"}));
    QVERIFY(translator->IgnoreControls().lines().isEmpty());
    QVERIFY(!translator->IgnoreFormCaption());
    QVERIFY(!translator->IncludeListViewItems());
    QVERIFY(!translator->IncludeListViewHead());
    QVERIFY(!translator->IncludeTreeViewItems());
    QVERIFY(!translator->Active());
    QStringList published;
    const QMetaObject *meta = translator->metaObject();
    for (int index = QObject::staticMetaObject.propertyCount(); index < meta->propertyCount(); ++index)
        published.append(QString::fromLatin1(meta->property(index).name()));
    QCOMPARE(published, (QStringList{"LangFileName", "IgnoreEmptyString", "AutoCreateMode", "AddBracket",
                                     "StringProperties", "StringsProperties", "IgnoreControls", "IgnoreFormCaption",
                                     "IncludeListViewItems", "IncludeListViewHead", "IncludeTreeViewItems", "Active"}));
    QVERIFY(translator->setProperty("IgnoreControls", QStringList{"Label1"}));
    QCOMPARE(translator->IgnoreControls().lines(), QStringList{"Label1"});
    QVERIFY(!QFile::exists(m_langFile));
}

void LangFormTest::passedOver_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("ignoreControls");
    QTest::addColumn<bool>("translated");

    QTest::newRow("a label") << "label" << QStringList{} << true;
    QTest::newRow("a timer") << "timer" << QStringList{} << false;
    QTest::newRow("a menu item") << "menu item" << QStringList{} << false;
    QTest::newRow("a name to ignore") << "label" << QStringList{"Other", "Thing1"} << false;
    QTest::newRow("a name to ignore in other case") << "label" << QStringList{"thing1"} << true;
}

void LangFormTest::passedOver()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, ignoreControls);
    QFETCH(bool, translated);
    const QString name = QStringLiteral("Thing1");
    if (kind == QLatin1String("timer"))
        m_form->create<CaptionedTimer>(name, m_form.get());
    else if (kind == QLatin1String("menu item"))
        m_form->create<MenuItem>(name, QStringLiteral("Tick"), m_form.get());
    else
        m_form->create<Label>(name, QStringLiteral("Tick"), m_form.get());
    TsmlFormLangRes *translator = addTranslator();
    translator->setIgnoreControls(ignoreControls);
    translator->setActive(true);
    QCOMPARE(keys().contains(QStringLiteral("Thing1_Caption")), translated);
}

void LangFormTest::ignoreFormCaption_data()
{
    QTest::addColumn<bool>("ignore");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("formKey");

    QTest::newRow("translated") << false << "Caption" << "Form1_Caption";
    QTest::newRow("ignored") << true << "Caption" << "";
    QTest::newRow("a line in other case is no caption to ignore") << true << "caption" << "Form1_caption";
}

void LangFormTest::ignoreFormCaption()
{
    QFETCH(bool, ignore);
    QFETCH(QString, line);
    QFETCH(QString, formKey);
    m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    TsmlFormLangRes *translator = addTranslator();
    translator->setStringProperties({line});
    translator->setIgnoreFormCaption(ignore);
    translator->setActive(true);
    QStringList expected{"Form1_FontName", "Form1_FontSize", "Form1_FontCharset"};
    if (!formKey.isEmpty())
        expected.append(formKey);
    expected.append("Label1_" + line);
    QCOMPARE(keys(), expected);
}

void LangFormTest::listViews_data()
{
    QTest::addColumn<bool>("head");
    QTest::addColumn<bool>("items");
    QTest::addColumn<QStringList>("listKeys");

    QTest::newRow("neither, not even its string properties") << false << false << QStringList{};
    QTest::newRow("head") << true << false << QStringList{"lvEvents_ColumnCaption[0]", "lvEvents_ColumnCaption[1]"};
    QTest::newRow("items") << false << true
                           << QStringList{"lvEvents_ItemCaption[0]", "lvEvents_SubItem[0]Caption[0]"};
    QTest::newRow("both, head first") << true << true
                                      << QStringList{"lvEvents_ColumnCaption[0]", "lvEvents_ColumnCaption[1]",
                                                     "lvEvents_ItemCaption[0]", "lvEvents_SubItem[0]Caption[0]"};
}

void LangFormTest::listViews()
{
    QFETCH(bool, head);
    QFETCH(bool, items);
    QFETCH(QStringList, listKeys);
    auto *list = m_form->create<ListView>(QStringLiteral("lvEvents"), m_form.get());
    list->addColumn(QStringLiteral("Start Time"), Qt::AlignLeft, 90);
    list->addColumn(QStringLiteral("End Time"), Qt::AlignLeft, 90);
    list->addRow(QStringLiteral("00:00:05.0"), {QStringLiteral("00:00:20.0")});
    list->setToolTip(QStringLiteral("Events"));
    TsmlFormLangRes *translator = addTranslator();
    translator->setStringProperties({"Caption", "toolTip"});
    translator->setIncludeListViewHead(head);
    translator->setIncludeListViewItems(items);
    translator->setActive(true);
    QCOMPARE(keys().mid(5), listKeys);
}

void LangFormTest::treeViews_data()
{
    QTest::addColumn<bool>("include");
    QTest::addColumn<QStringList>("treeKeys");

    QTest::newRow("nodes") << true << QStringList{"Tree1_ItemText[0]", "Tree1_ItemText[1]"};
    QTest::newRow("the general rule otherwise") << false << QStringList{"Tree1_toolTip"};
}

void LangFormTest::treeViews()
{
    QFETCH(bool, include);
    QFETCH(QStringList, treeKeys);
    auto *tree = m_form->create<QTreeWidget>(QStringLiteral("Tree1"), m_form.get());
    new QTreeWidgetItem(new QTreeWidgetItem(tree, {"Root"}), {"Leaf"});
    TsmlFormLangRes *translator = addTranslator();
    translator->setStringProperties({"Caption", "toolTip"});
    translator->setIncludeTreeViewItems(include);
    translator->setActive(true);
    QCOMPARE(keys().mid(5), treeKeys);
}

void LangFormTest::headerControlsAndGridsAlways()
{
    QStandardItemModel model(0, 1);
    model.setHorizontalHeaderLabels({"Name"});
    m_form->create<QHeaderView>(QStringLiteral("Header1"), Qt::Horizontal, m_form.get())->setModel(&model);
    auto *grid = m_form->create<QTableWidget>(QStringLiteral("DBGrid1"), 0, 1, m_form.get());
    grid->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Title")));
    TsmlFormLangRes *translator = addTranslator();
    translator->setStringProperties({"Caption", "toolTip"});
    translator->setActive(true);
    QCOMPARE(keys().mid(5), (QStringList{"Header1_SectionsText[0]", "DBGrid1_ColumnsCaption[0]"}));
}

void LangFormTest::owners_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("translates");

    QTest::newRow("form") << int(ComponentOwner::Kind::Form) << true;
    QTest::newRow("frame") << int(ComponentOwner::Kind::Frame) << true;
    QTest::newRow("data module") << int(ComponentOwner::Kind::DataModule) << false;
}

void LangFormTest::owners()
{
    QFETCH(int, kind);
    QFETCH(bool, translates);
    m_form = std::make_unique<TTestForm>(ComponentOwner::Kind(kind));
    m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    writeFile(m_langFile, "[TTestForm]\r\nLabel1_Caption=\r\n");
    addTranslator()->setActive(true);
    if (translates)
        QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "Label1_Caption=Text"} + fontEntries
                                         + QStringList{"Form1_Caption=Clipvane 1.50"}));
    else
        QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "Label1_Caption="}));
}

void LangFormTest::twoFormTranslators()
{
    m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    TsmlFormLangRes *first = addTranslator();
    TsmlFormLangRes *second = m_form->create<TsmlFormLangRes>(QStringLiteral("smlFormLangRes2"), m_form.get());
    m_form->create<TsmlMenuLangRes>(QStringLiteral("smlMenuLangRes1"), m_form.get());
    m_form->create<TsmlMsgLangRes>(QStringLiteral("smlMsgLangRes1"), m_form.get())->setMsgList({"Msg=Hello"});
    // Were they not passed over, the form translators' own lists would be translated.
    const QStringList lists{"StringProperties", "StringsProperties", "MsgList"};
    first->setStringsProperties(lists);
    second->setStringsProperties(lists);
    first->setActive(true);
    const QStringList firstRun = fileLines(m_langFile);
    QCOMPARE(firstRun, (QStringList{"[TTestForm]"} + fontEntries
                        + QStringList{"Form1_Caption=Clipvane 1.50", "Label1_Caption=Text",
                                      "smlMsgLangRes1_MsgList[0]=Msg=Hello"}));
    QVERIFY(QFile::remove(m_langFile));
    second->setActive(true);
    QCOMPARE(fileLines(m_langFile), firstRun);
}

void LangFormTest::changesReapply_data()
{
    QTest::addColumn<std::function<void(TsmlFormLangRes &)>>("change");
    QTest::addColumn<int>("runs");
    QTest::addColumn<bool>("labelKey");

    using Change = std::function<void(TsmlFormLangRes &)>;
    QTest::newRow("a line added to IgnoreControls")
        << Change([](TsmlFormLangRes &t) { t.IgnoreControls().append(QStringLiteral("Label1")); }) << 1 << false;
    QTest::newRow("IgnoreControls assigned")
        << Change([](TsmlFormLangRes &t) { t.setIgnoreControls({"Label1", "Label2"}); }) << 1 << false;
    QTest::newRow("a line removed from StringsProperties")
        << Change([](TsmlFormLangRes &t) { t.StringsProperties().removeAt(0); }) << 1 << true;
    QTest::newRow("a line changed in StringProperties")
        << Change([](TsmlFormLangRes &t) { t.StringProperties().replace(0, QStringLiteral("caption")); }) << 1
        << false;
    QTest::newRow("IncludeListViewHead")
        << Change([](TsmlFormLangRes &t) { t.setIncludeListViewHead(true); }) << 1 << true;
    QTest::newRow("IgnoreFormCaption")
        << Change([](TsmlFormLangRes &t) { t.setIgnoreFormCaption(true); }) << 1 << true;
    QTest::newRow("LangFileName")
        << Change([](TsmlFormLangRes &t) { t.setLangFileName(QStringLiteral("DefLang.ini")); }) << 1 << true;
    QTest::newRow("switched off")
        << Change([](TsmlFormLangRes &t) {
               t.setActive(false);
               t.IgnoreControls().append(QStringLiteral("x"));
           })
        << 0 << false;
}

void LangFormTest::changesReapply()
{
    QFETCH(std::function<void(TsmlFormLangRes &)>, change);
    QFETCH(int, runs);
    QFETCH(bool, labelKey);
    auto *counter = m_form->create<TestControl>(QStringLiteral("Counter1"), m_form.get());
    m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    TsmlFormLangRes *translator = addTranslator();
    translator->setActive(true);
    QCOMPARE(counter->captionReads, 1);
    QVERIFY(QFile::remove(m_langFile));
    change(*translator);
    QCOMPARE(counter->captionReads, 1 + runs);
    QCOMPARE(keys().contains(QStringLiteral("Label1_Caption")), labelKey);
    QCOMPARE(QFile::exists(m_langFile), runs > 0);
}

void LangFormTest::componentsCreatedLaterWaitForTheNextRun()
{
    TsmlFormLangRes *translator = addTranslator();
    translator->setActive(true);
    Label *later = m_form->create<Label>(QStringLiteral("Later1"), QStringLiteral("Later"), m_form.get());
    writeFile(m_langFile, "[TTestForm]\r\nLater1_Caption=Spaeter\r\n");
    QCOMPARE(later->text(), QStringLiteral("Later"));
    translator->setActive(true);
    QCOMPARE(later->text(), QStringLiteral("Spaeter"));
}

void LangFormTest::withoutAutoCreateNothingIsWritten()
{
    writeFile(m_langFile, "[TTestForm]\r\nLabel1_Caption=\r\n");
    Label *label = m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    TsmlFormLangRes *translator = addTranslator();
    translator->setAutoCreateMode(false);
    translator->setActive(true);
    QCOMPARE(label->text(), QStringLiteral("Text"));
    QCOMPARE(readFile(m_langFile), QByteArray("[TTestForm]\r\nLabel1_Caption=\r\n"));
}

void LangFormTest::addBracketTakesEffectAtTheNextRun()
{
    m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    TsmlFormLangRes *translator = addTranslator();
    translator->setActive(true);
    QVERIFY(QFile::remove(m_langFile));
    translator->setAddBracket(true);
    QVERIFY(!QFile::exists(m_langFile));
    translator->setActive(true);
    QCOMPARE(fileLines(m_langFile).last(), QStringLiteral("Label1_Caption=<Text>"));
}

void LangFormTest::refusedWriteAtStart()
{
    QVERIFY(QDir().mkdir(m_langFile));
    m_form->create<Label>(QStringLiteral("Label1"), QStringLiteral("Text"), m_form.get());
    TsmlFormLangRes *translator = addTranslator();
    translator->setLangFileName(QStringLiteral("DefLang.ini"));
    try {
        translator->setActive(true);
        QFAIL("the refused write was not reported");
    } catch (const IniFileWriteError &error) {
        QCOMPARE(error.message(), "Unable to write to " + QDir::toNativeSeparators(m_langFile));
    }
    QVERIFY(QFileInfo(m_langFile).isDir());
}

QTEST_MAIN(LangFormTest)
#include "tst_langform.moc"
