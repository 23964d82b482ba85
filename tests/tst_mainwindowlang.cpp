#include "TestSupport.h"

#include "app/Startup.h"
#include "app/MainWindow.h"
#include "dialogs/ClipInformationPanel.h"
#include "platform/CodePage.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QDir>
#include <QTest>

class MainWindowLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWritesEveryVisitedCaption();
    void firstStartWritesTheKnownFile();
    void secondStartLeavesTheFileAsItWas();
    void translatedFileShowsOnTheWindow();
    void unwritableFolderEndsTheStart();
};

namespace {

QString languageFile(const TemporaryAppFolder &folder)
{
    return folder.filePath(QStringLiteral("DefLang.ini"));
}

QStringList fileLines(const QString &path)
{
    QStringList lines = QString::fromUtf8(readFile(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

void MainWindowLanguageTest::firstStartWritesEveryVisitedCaption()
{
    TemporaryAppFolder folder;
    TForm1 form;
    const QStringList lines = fileLines(languageFile(folder));
    QCOMPARE(lines.first(), QStringLiteral("[TForm1]"));
    QCOMPARE(lines.count(QStringLiteral("[TForm1]")), 1);
    for (const char *entry : {"Form1_FontName=MS Sans Serif", "Form1_FontCharset=0", "Form1_Caption=Clipvane 1.50",
                              "Panel1_Caption=", "Panel4_Caption=", "Label4_Caption=Seconds", "CheckBox1_Caption=Title:",
                              "btnAdd_Caption=Add Files", "btnStart_Caption= Start Merging ", "btn9_Caption=btn9",
                              "TabSheet5_Caption= Time Events ", "BitBtn5_Caption=Add Event  ", "tlb1_Caption=tlb1",
                              "CheckBox4_Caption=Merge \"Click To PopUp\" events into RealAudio / RealVideo files"})
        QVERIFY2(lines.contains(QString::fromUtf8(entry)), entry);

    // Every caption visited, in creation order, and nothing of what the form translator passes over
    // or what is created after it.
    QStringList captioned;
    for (const QObject *component : form.Components()) {
        if (component->objectName() == QLatin1String("smlFormLangRes1"))
            break;
        if (component->metaObject()->indexOfProperty("Caption") >= 0 && !qobject_cast<const QAction *>(component))
            captioned << component->objectName();
    }
    QStringList captionKeys;
    for (const QString &line : lines) {
        if (line.contains(QLatin1String("_Caption=")) && !line.startsWith(QLatin1String("Form1_")))
            captionKeys << line.section(QLatin1String("_Caption="), 0, 0);
    }
    QCOMPARE(captionKeys, captioned);
    for (const char *absent : {"lvFiles", "lvEvents", "Timer1", "actStart", "AddFiles2", "Exit1", "mm1", "pmFiles"}) {
        for (const QString &line : lines)
            QVERIFY2(!line.startsWith(QString::fromLatin1(absent) + QLatin1Char('_')), qPrintable(line));
    }
}

// The file is a format translators keep: its keys, their order and their values stay as they were.
void MainWindowLanguageTest::firstStartWritesTheKnownFile()
{
    TemporaryAppFolder folder;
    TForm1 form;
    QCOMPARE(readFile(languageFile(folder)), readFile(QStringLiteral(TEST_DATA_DIR "/DefLang-first-start.ini")));
}

void MainWindowLanguageTest::secondStartLeavesTheFileAsItWas()
{
    TemporaryAppFolder folder;
    { TForm1 first; }
    const QByteArray written = readFile(languageFile(folder));
    QVERIFY(!written.isEmpty());
    { TForm1 second; }
    QCOMPARE(readFile(languageFile(folder)), written);
}

void MainWindowLanguageTest::translatedFileShowsOnTheWindow()
{
    TemporaryAppFolder folder;
    const QByteArray previousLocale = qgetenv("LC_ALL");
    qputenv("LC_ALL", "zh_CN.GBK");
    const CodePage gbk = CodePage::named("GBK");
    writeFile(languageFile(folder), gbk.encode(QStringLiteral("[TForm1]\r\n"
                                                              "Form1_FontName=宋体\r\n"
                                                              "Form1_FontSize=10\r\n"
                                                              "Form1_FontCharset=134\r\n"
                                                              "Form1_Caption=剪辑风向标\r\n"
                                                              "btnAdd_Caption=添加文件\r\n"
                                                              "TabSheet6_Caption= 点击事件 \r\n"
                                                              "Label4_Caption=秒\r\n"
                                                              "CheckBox1_Caption=标题:\r\n")));
    {
        TForm1 form;
        QCOMPARE(form.font().family(), QStringLiteral("宋体"));
        QCOMPARE(form.font().pointSize(), 10);
        QCOMPARE(form.FontCharset(), 134);
        QCOMPARE(form.windowTitle(), QStringLiteral("Clipvane 1.40"));
        QCOMPARE(form.btnAdd->caption(), QStringLiteral("添加文件"));
        QCOMPARE(form.btnAdd->text(), QStringLiteral("添加文件"));
        QCOMPARE(form.RzPageControl1->tabText(1), QStringLiteral(" 点击事件 "));
        QCOMPARE(form.findChild<Label *>(QStringLiteral("Label4"))->text(), QStringLiteral("秒"));
        QCOMPARE(form.clipInformation->CheckBox1->text(), QStringLiteral("标题:"));
        QCOMPARE(form.btnEdit->caption(), QStringLiteral("Edit Item"));
    }
    const QString completed = gbk.decode(readFile(languageFile(folder)));
    QVERIFY(completed.contains(QStringLiteral("btnAdd_Caption=添加文件\r\n")));
    QVERIFY(completed.contains(QStringLiteral("btnEdit_Caption=Edit Item\r\n")));
    if (previousLocale.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", previousLocale);
}

void MainWindowLanguageTest::unwritableFolderEndsTheStart()
{
    TemporaryAppFolder folder;
    RecordingPrompts prompts;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("DefLang.ini")));
    QVERIFY(!createMainWindow(folder.path()));
    QCOMPARE(prompts.messageTexts(), QStringList{QStringLiteral("Unable to write to ") + languageFile(folder)});
    QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Error);
    QVERIFY(QApplication::topLevelWidgets().isEmpty() || std::none_of(QApplication::topLevelWidgets().begin(),
                                                                        QApplication::topLevelWidgets().end(),
                                                                        [](QWidget *w) { return w->isVisible(); }));
}

QTEST_MAIN(MainWindowLanguageTest)
#include "tst_mainwindowlang.moc"
