#include "TestSupport.h"

#include "app/MainWindow.h"
#include "dialogs/AboutBox.h"
#include "dialogs/OutputFileDialog.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/LinkLabel.h"
#include "widgets/ListView.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void editItemWithoutSelectionOpensNothing();
    void editItemShowsAndAppliesTheRow();
    void apply_data();
    void apply();
    void refusedSourceKeepsTheDialogOpen();
    void browsingFillsOnlyItsOwnField();
    void keyboardOfTheEditDialog();
    void aboutBoxTextsAndLinks();
    void aboutBoxKeys();

private:
    // Every window reads and completes its language file: keep it out of the program's folder.
    TemporaryAppFolder m_appFolder;
};

namespace {

struct EditFixture
{
    TemporaryAppFolder folder;
    RecordingPrompts prompts;
    TForm1 form;
    QString source;

    EditFixture()
    {
        source = folder.filePath(QStringLiteral("a.rm"));
        writeFile(source, "clip");
        form.AddClip(source);
        form.lvFiles->selectRow(0);
    }
};

} // namespace

void DialogsTest::editItemWithoutSelectionOpensNothing()
{
    EditFixture fixture;
    fixture.form.lvFiles->clearSelection();
    QVERIFY(!whileModal<TFrmedtfile>([&] { fixture.form.actEditItemExecute(); }, [](TFrmedtfile &) {}));
}

void DialogsTest::editItemShowsAndAppliesTheRow()
{
    EditFixture fixture;
    fixture.form.lvFiles->setSubItem(0, 1, QStringLiteral("Success"));
    const QString other = fixture.folder.filePath(QStringLiteral("b.RMVB"));
    writeFile(other, "clip");
    QVERIFY(whileModal<TFrmedtfile>([&] { fixture.form.actEditItemExecute(); }, [&](TFrmedtfile &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit File"));
        QCOMPARE(dialog.size(), QSize(452, 153));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Source File："));
        QCOMPARE(dialog.Label2->text(), QStringLiteral("Output File："));
        QCOMPARE(dialog.Button2->text(), QStringLiteral("..."));
        QCOMPARE(dialog.Button3->text(), QStringLiteral(" ... "));
        QVERIFY(dialog.Button2->font().bold());
        QCOMPARE(dialog.BitBtn1->text(), QStringLiteral("确定"));
        QCOMPARE(dialog.BitBtn2->text(), QStringLiteral("取消"));
        QCOMPARE(dialog.Edit1->text(), fixture.source);
        QCOMPARE(dialog.Edit2->text(), fixture.folder.filePath(QStringLiteral("Done_a.rm")));
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.Edit1);
        dialog.Edit1->setText(other);
        dialog.Edit2->setText(QString());
        dialog.BitBtn1->click();
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(fixture.form.lvFiles->caption(0), other);
    QCOMPARE(fixture.form.lvFiles->subItem(0, 0), QString());
    QCOMPARE(fixture.form.lvFiles->subItem(0, 1), QStringLiteral("Success"));
    QVERIFY(fixture.prompts.messages.isEmpty());
}

void DialogsTest::apply_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("applied");
    QTest::newRow("existing file of any type") << QStringLiteral("notes.txt") << true;
    QTest::newRow("unchanged") << QStringLiteral("a.rm") << true;
    QTest::newRow("folder") << QStringLiteral("folder.rm") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("missing file") << QStringLiteral("gone.rm") << false;
}

void DialogsTest::apply()
{
    QFETCH(QString, source);
    QFETCH(bool, applied);
    EditFixture fixture;
    writeFile(fixture.folder.filePath(QStringLiteral("notes.txt")), "text");
    QDir(fixture.folder.path()).mkdir(QStringLiteral("folder.rm"));
    fixture.form.lvFiles->setSubItem(0, 1, QStringLiteral("Failure"));
    const QString typedSource = source.isEmpty() ? QString() : fixture.folder.filePath(source);

    TFrmedtfile dialog(fixture.form.lvFiles, &fixture.form);
    dialog.show();
    dialog.Edit1->setText(typedSource);
    dialog.Edit2->setText(QStringLiteral("/elsewhere/out.rm"));
    dialog.BitBtn1Click();

    QCOMPARE(fixture.form.lvFiles->caption(0), applied ? typedSource : fixture.source);
    QCOMPARE(fixture.form.lvFiles->subItem(0, 0),
             applied ? QStringLiteral("/elsewhere/out.rm") : fixture.folder.filePath(QStringLiteral("Done_a.rm")));
    QCOMPARE(fixture.form.lvFiles->subItem(0, 1), QStringLiteral("Failure"));
    QCOMPARE(fixture.prompts.messageTexts(), applied ? QStringList() : QStringList{"目标文件不存在，请重新输入！"});
    if (!applied) {
        QCOMPARE(fixture.prompts.messages[0].title, QStringLiteral("提示"));
        QCOMPARE(fixture.prompts.messages[0].icon, UserPrompts::Icon::Warning);
    }
    QCOMPARE(dialog.isVisible(), !applied);
}

void DialogsTest::refusedSourceKeepsTheDialogOpen()
{
    EditFixture fixture;
    const QString later = fixture.folder.filePath(QStringLiteral("later.rm"));
    QVERIFY(whileModal<TFrmedtfile>([&] { fixture.form.actEditItemExecute(); }, [&](TFrmedtfile &dialog) {
        dialog.Edit1->setText(later);
        dialog.Edit2->setText(QStringLiteral("typed output"));
        dialog.BitBtn1->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Edit1->text(), later);
        QCOMPARE(dialog.Edit2->text(), QStringLiteral("typed output"));
        writeFile(later, "clip");
        dialog.BitBtn1->click();
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(fixture.form.lvFiles->caption(0), later);
    QCOMPARE(fixture.form.lvFiles->subItem(0, 0), QStringLiteral("typed output"));
}

void DialogsTest::browsingFillsOnlyItsOwnField()
{
    EditFixture fixture;
    const QString filter = QStringLiteral("所有文件 (*.*)|*.*|RM文件(*.rm)|*.RM|RMVB(*rmvb)|*.RMVB");
    fixture.prompts.filesToChoose = QStringList{"/new/source.rm", "/new/output.rm", QString(), QString()};
    QVERIFY(whileModal<TFrmedtfile>([&] { fixture.form.actEditItemExecute(); }, [&](TFrmedtfile &dialog) {
        const QString output = dialog.Edit2->text();
        dialog.Button2->click();
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("/new/source.rm"));
        QCOMPARE(dialog.Edit2->text(), output);
        dialog.Button3->click();
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("/new/source.rm"));
        QCOMPARE(dialog.Edit2->text(), QStringLiteral("/new/output.rm"));
        dialog.Button2->click();
        dialog.Button3->click();
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("/new/source.rm"));
        QCOMPARE(dialog.Edit2->text(), QStringLiteral("/new/output.rm"));
        QCOMPARE(dialog.Button2->focusPolicy(), Qt::NoFocus);
        dialog.BitBtn2->click();
    }));
    QCOMPARE(fixture.prompts.fileDialogs.size(), 4);
    const bool saving[] = {false, true, false, true};
    const char *presets[] = {"", "", "/new/source.rm", "/new/output.rm"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(fixture.prompts.fileDialogs[i].saving, saving[i]);
        QCOMPARE(fixture.prompts.fileDialogs[i].filter, filter);
        QCOMPARE(fixture.prompts.fileDialogs[i].preset, QString::fromUtf8(presets[i]));
    }
    QCOMPARE(fixture.form.lvFiles->caption(0), fixture.source);
}

void DialogsTest::keyboardOfTheEditDialog()
{
    EditFixture fixture;
    const QString other = fixture.folder.filePath(QStringLiteral("other.rm"));
    writeFile(other, "clip");
    QVERIFY(whileModal<TFrmedtfile>([&] { fixture.form.actEditItemExecute(); }, [&](TFrmedtfile &dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QList<QWidget *> tabOrder{dialog.Edit2, dialog.BitBtn1, dialog.BitBtn2, dialog.Edit1};
        for (QWidget *next : tabOrder) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        dialog.Edit2->setFocus();
        dialog.Edit2->setText(QStringLiteral("escaped"));
        QTest::keyClick(dialog.Edit2, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(fixture.form.lvFiles->subItem(0, 0), fixture.folder.filePath(QStringLiteral("Done_a.rm")));
    QVERIFY(whileModal<TFrmedtfile>([&] { fixture.form.actEditItemExecute(); }, [&](TFrmedtfile &dialog) {
        dialog.Edit1->setText(other);
        QTest::keyClick(dialog.Edit1, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(fixture.form.lvFiles->caption(0), other);
}

void DialogsTest::aboutBoxTextsAndLinks()
{
    RecordingPrompts prompts;
    TForm1 form;
    for (int opening = 0; opening < 2; ++opening) {
        QVERIFY(whileModal<TAboutForm>([&] { form.About1Click(); }, [&](TAboutForm &about) {
            QCOMPARE(about.windowTitle(), QStringLiteral("About"));
            QCOMPARE(about.width(), 363);
            QCOMPARE(about.lbl2->text(), QStringLiteral("Clipvane 1.40"));
            QVERIFY(about.lbl2->font().bold());
            QCOMPARE(about.lbl2->font().pixelSize(), 16);
            QCOMPARE(about.lbl2->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
            QVERIFY(about.lbl3->text().startsWith(QLatin1String("Copyright")));
            QVERIFY(about.lbl3->text().endsWith(QLatin1String("Vanecraft Software")));
            QCOMPARE(about.UrlLbl1->text(), QStringLiteral("https://www.example.com/clipvane/"));
            QVERIFY(about.UrlLbl1->font().underline());
            QCOMPARE(about.UrlLbl1->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(!about.UrlLbl1->isVisited());
            QVERIFY(QTest::qWaitForWindowActive(&about));
            QCOMPARE(QApplication::focusWidget(), about.Button1);

            QTest::mouseClick(about.lbl2, Qt::LeftButton);
            QTest::mouseClick(about.lbl3, Qt::LeftButton);
            QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(5, about.height() - 5));
            QVERIFY(prompts.openedUrls.isEmpty());
            QTest::mouseClick(about.Image1, Qt::LeftButton);
            QCOMPARE(prompts.openedUrls, QStringList{"https://www.example.com/clipvane/"});
            prompts.urlsOpen = false;
            QTest::mouseClick(about.UrlLbl1, Qt::LeftButton);
            QVERIFY(!about.UrlLbl1->isVisited());
            prompts.urlsOpen = true;
            QTest::mouseClick(about.UrlLbl1, Qt::LeftButton);
            QVERIFY(about.UrlLbl1->isVisited());
            QCOMPARE(about.UrlLbl1->palette().color(QPalette::WindowText), QColor(0x80, 0, 0x80));
            QCOMPARE(prompts.openedUrls.size(), 3);
            prompts.openedUrls.clear();
            about.Button1->click();
            QVERIFY(!about.isVisible());
        }));
    }
}

void DialogsTest::aboutBoxKeys()
{
    TAboutForm about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(about.isVisible());
    QTest::keyClick(about.Button1, Qt::Key_Return);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
