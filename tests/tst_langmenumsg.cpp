#include "TestSupport.h"
#include "tst_langsupport.h"

#include "lang/IniFileWriteError.h"
#include "lang/MenuTranslator.h"
#include "lang/MessageTranslator.h"
#include "widgets/MenuItem.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

// A message translator that counts its runs.
class CountingMsgLangRes : public TsmlMsgLangRes
{
    Q_OBJECT

public:
    using TsmlMsgLangRes::TsmlMsgLangRes;
    int runs = 0;

protected:
    void ApplyLanguage() override
    {
        ++runs;
        TsmlMsgLangRes::ApplyLanguage();
    }
};

class LangMenuMsgTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void noMenuNoEntries();
    void menuItemsDepthFirst_data();
    void menuItemsDepthFirst();
    void assigningAMenuRuns();
    void destroyedMenuIsForgotten();
    void messages_data();
    void messages();
    void changingTheListRunsAllMessagesOnce();
    void laterRunsStartFromTheTranslatedLines();
    void refusedWriteEndsTheRun();
    void messageText();

private:
    QWidget *buildMenu(bool menuBar);
    TsmlMsgLangRes *addMessages(const QStringList &lines);

    std::unique_ptr<TemporaryAppFolder> m_folder;
    std::unique_ptr<TTestForm> m_form;
    QString m_langFile;
};

void LangMenuMsgTest::init()
{
    m_folder = std::make_unique<TemporaryAppFolder>();
    m_langFile = m_folder->filePath(QStringLiteral("DefLang.ini"));
    m_form = std::make_unique<TTestForm>();
}

void LangMenuMsgTest::cleanup()
{
    m_form.reset();
    m_folder.reset();
}

// File (Add Files, a separator over a sub-menu, &Exit), Help (About...).
QWidget *LangMenuMsgTest::buildMenu(bool menuBar)
{
    QWidget *menu = menuBar ? static_cast<QWidget *>(m_form->create<QMenuBar>(QStringLiteral("mm1"), m_form.get()))
                            : m_form->create<QMenu>(QStringLiteral("pmFiles"), m_form.get());
    auto addMenu = [&](const QString &name, const QString &caption) {
        MenuItem *item = m_form->create<MenuItem>(name, caption, menu);
        auto *subMenu = new QMenu(menu);
        item->setMenu(subMenu);
        menu->addAction(item);
        return subMenu;
    };
    auto addItem = [&](QMenu *to, const QString &name, const QString &caption) {
        MenuItem *item = m_form->create<MenuItem>(name, caption, to);
        to->addAction(item);
        return item;
    };
    QMenu *file = addMenu(QStringLiteral("File1"), QStringLiteral("File"));
    addItem(file, QStringLiteral("AddFiles1"), QStringLiteral("Add Files"));
    MenuItem *separator = addItem(file, QStringLiteral("N1"), QStringLiteral("-"));
    auto *underSeparator = new QMenu(file);
    separator->setMenu(underSeparator);
    addItem(underSeparator, QStringLiteral("Hidden1"), QStringLiteral("Hidden"));
    addItem(file, QStringLiteral("Exit1"), QStringLiteral("&Exit"));
    QMenu *help = addMenu(QStringLiteral("Help1"), QStringLiteral("Help"));
    addItem(help, QStringLiteral("About1"), QStringLiteral("About..."));
    return menu;
}

TsmlMsgLangRes *LangMenuMsgTest::addMessages(const QStringList &lines)
{
    auto *translator = m_form->create<TsmlMsgLangRes>(QStringLiteral("smlMsgLangRes1"), m_form.get());
    translator->setMsgList(lines);
    return translator;
}

void LangMenuMsgTest::noMenuNoEntries()
{
    buildMenu(true);
    auto *translator = m_form->create<TsmlMenuLangRes>(QStringLiteral("smlMenuLangRes1"), m_form.get());
    QCOMPARE(translator->Menu(), nullptr);
    translator->setLangFileName(QStringLiteral("DefLang.ini"));
    translator->setActive(true);
    addMessages({})->setActive(true);
    QVERIFY(!QFile::exists(m_langFile));
}

void LangMenuMsgTest::menuItemsDepthFirst_data()
{
    QTest::addColumn<bool>("menuBar");

    QTest::newRow("main menu") << true;
    QTest::newRow("pop-up menu") << false;
}

void LangMenuMsgTest::menuItemsDepthFirst()
{
    QFETCH(bool, menuBar);
    QWidget *menu = buildMenu(menuBar);
    auto *translator = m_form->create<TsmlMenuLangRes>(QStringLiteral("smlMenuLangRes1"), m_form.get());
    QVERIFY(translator->setProperty("Menu", QVariant::fromValue(menu)));
    translator->setActive(true);
    const QStringList written{"[TTestForm]",         "File1_Caption=File", "AddFiles1_Caption=Add Files",
                              "Exit1_Caption=&Exit", "Help1_Caption=Help", "About1_Caption=About..."};
    QCOMPARE(fileLines(m_langFile), written);

    writeFile(m_langFile, "[TTestForm]\r\nExit1_Caption=<&Beenden>\r\nHelp1_Caption=Hilfe\r\nHidden1_Caption=X\r\n");
    translator->setActive(true);
    auto *exit = m_form->findChild<MenuItem *>(QStringLiteral("Exit1"));
    QCOMPARE(exit->text(), QStringLiteral("&Beenden"));
    QCOMPARE(m_form->findChild<MenuItem *>(QStringLiteral("Help1"))->text(), QStringLiteral("Hilfe"));
    QCOMPARE(m_form->findChild<MenuItem *>(QStringLiteral("Hidden1"))->text(), QStringLiteral("Hidden"));
}

void LangMenuMsgTest::assigningAMenuRuns()
{
    QWidget *menu = buildMenu(false);
    auto *translator = m_form->create<TsmlMenuLangRes>(QStringLiteral("smlMenuLangRes1"), m_form.get());
    translator->setMenu(menu);
    QVERIFY(!QFile::exists(m_langFile));
    translator->setActive(true);
    QVERIFY(QFile::remove(m_langFile));
    translator->setMenu(menu);
    QCOMPARE(fileLines(m_langFile).size(), 6);
}

void LangMenuMsgTest::destroyedMenuIsForgotten()
{
    QWidget *menu = buildMenu(true);
    auto *translator = m_form->create<TsmlMenuLangRes>(QStringLiteral("smlMenuLangRes1"), m_form.get());
    translator->setMenu(menu);
    delete menu;
    QCOMPARE(translator->Menu(), nullptr);
    translator->setActive(true);
    QVERIFY(!QFile::exists(m_langFile));
}

void LangMenuMsgTest::messages_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<bool>("ignoreEmpty");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("translated");
    QTest::addColumn<QStringList>("file");

    QTest::newRow("the file's text replaces the message")
        << QByteArray("Finish=<Fertig!>\r\n") << false << QStringList{"Finish=Processing finish!"}
        << QStringList{"Finish=Fertig!"} << QStringList{"Finish=<Fertig!>"};
    QTest::newRow("a missing message is written")
        << QByteArray() << false << QStringList{"Finish=Processing finish!", "Warn=Careful"}
        << QStringList{"Finish=Processing finish!", "Warn=Careful"}
        << QStringList{"Finish=Processing finish!", "Warn=Careful"};
    QTest::newRow("split at the first =")
        << QByteArray() << false << QStringList{"Eq=a=b"} << QStringList{"Eq=a=b"} << QStringList{"Eq=a=b"};
    QTest::newRow("a line without = goes by an empty name")
        << QByteArray() << false << QStringList{"Loose text"} << QStringList{"Loose text"}
        << QStringList{"=Loose text"};
    QTest::newRow("a line without = takes the text under the empty name")
        << QByteArray("=Lose\r\n") << false << QStringList{"Loose text"} << QStringList{"=Lose"}
        << QStringList{"=Lose"};
    QTest::newRow("an empty text is written") << QByteArray() << false << QStringList{"Empty="}
                                              << QStringList{"Empty="} << QStringList{"Empty="};
    QTest::newRow("an empty text is ignored")
        << QByteArray() << true << QStringList{"Empty="} << QStringList{"Empty="} << QStringList{};
}

void LangMenuMsgTest::messages()
{
    QFETCH(QByteArray, entries);
    QFETCH(bool, ignoreEmpty);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, translated);
    QFETCH(QStringList, file);
    if (!entries.isEmpty())
        writeFile(m_langFile, "[TTestForm]\r\n" + entries);
    TsmlMsgLangRes *translator = addMessages(lines);
    translator->setIgnoreEmptyString(ignoreEmpty);
    translator->setActive(true);
    QCOMPARE(translator->MsgList().lines(), translated);
    QCOMPARE(translator->property("MsgList").toStringList(), translated);
    if (!file.isEmpty())
        file.prepend(QStringLiteral("[TTestForm]"));
    QCOMPARE(fileLines(m_langFile), file);
}

void LangMenuMsgTest::changingTheListRunsAllMessagesOnce()
{
    writeFile(m_langFile, "[TTestForm]\r\nA=Eins\r\n");
    auto *translator = m_form->create<CountingMsgLangRes>(QStringLiteral("smlMsgLangRes1"), m_form.get());
    translator->setMsgList({"A=One", "B=Two"});
    QCOMPARE(translator->runs, 0);
    translator->setActive(true);
    QCOMPARE(translator->runs, 1);
    QCOMPARE(translator->MsgList().lines(), (QStringList{"A=Eins", "B=Two"}));

    writeFile(m_langFile, "[TTestForm]\r\nA=Uno\r\nB=Dos\r\n");
    translator->MsgList().append(QStringLiteral("C=Three"));
    QCOMPARE(translator->runs, 2);
    QCOMPARE(translator->MsgList().lines(), (QStringList{"A=Uno", "B=Dos", "C=Three"}));
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "A=Uno", "B=Dos", "C=Three"}));

    QVERIFY(translator->setProperty("MsgList", QStringList{"D=Four"}));
    QCOMPARE(translator->runs, 3);
    QCOMPARE(fileLines(m_langFile).last(), QStringLiteral("D=Four"));
}

void LangMenuMsgTest::laterRunsStartFromTheTranslatedLines()
{
    writeFile(m_langFile, "[TTestForm]\r\nFinish=Fertig\r\n");
    TsmlMsgLangRes *translator = addMessages({"Finish=Processing finish!"});
    translator->setActive(true);
    QVERIFY(QFile::remove(m_langFile));
    translator->setActive(true);
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "Finish=Fertig"}));
}

void LangMenuMsgTest::refusedWriteEndsTheRun()
{
    QVERIFY(QDir().mkdir(m_langFile));
    TsmlMsgLangRes *translator = addMessages({"A=One"});
    QVERIFY_THROWS_EXCEPTION(IniFileWriteError, translator->setActive(true));
    QVERIFY(QDir().rmdir(m_langFile));
    translator->MsgList().append(QStringLiteral("B=Two"));
    QCOMPARE(fileLines(m_langFile), (QStringList{"[TTestForm]", "A=One", "B=Two"}));
}

void LangMenuMsgTest::messageText()
{
    TsmlMsgLangRes *translator = addMessages({"Finish=Fertig=ja", "finish=second", "Loose"});
    QCOMPARE(translator->MessageText(QStringLiteral("FINISH")), QStringLiteral("Fertig=ja"));
    QCOMPARE(translator->MessageText(QString()), QStringLiteral("Loose"));
    QCOMPARE(translator->MessageText(QStringLiteral("Other")), QString());
}

QTEST_MAIN(LangMenuMsgTest)
#include "tst_langmenumsg.moc"
