#include "TestSupport.h"

#include "app/MainWindow.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/EventDialog.h"
#include "jobs/JobScripts.h"
#include "jobs/ScriptWriters.h"
#include "platform/CodePage.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/Gauge.h"
#include "widgets/ListView.h"
#include "widgets/MenuItem.h"
#include "widgets/PageControl.h"
#include "widgets/SpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHash>
#include <QSet>
#include <QStyle>
#include <algorithm>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheProductCaptionAndIdleBatch();
    void componentsAreRegisteredInCreationOrder();
    void captionsAreExact();
    void menusCallTheirCommands();
    void addClip_data();
    void addClip();
    void addFilesUsesTheOpenDialog();
    void droppedFilesAreAddedInDeliveredOrder();
    void removeAndClearItems();
    void deletingLeavesNoRowSelected_data();
    void deletingLeavesNoRowSelected();
    void menuSeparatorsAreLinesOnly_data();
    void menuSeparatorsAreLinesOnly();
    void descriptionBytesAsTyped();
    void pastedLinesStayOneLine_data();
    void pastedLinesStayOneLine();
    void webPagesAndMailLink();
    void exitClosesTheWindow();
    void settingsHaveTheirStartValues();
    void checkBoxesToggleTheirFieldsKeepingValues();
    void spinFieldsKeepTheirBounds();

private:
    // Every window reads and completes its language file: keep it out of the program's folder.
    TemporaryAppFolder m_appFolder;
};

namespace {

QStringList componentNames(const TForm1 &form)
{
    QStringList names;
    for (const QObject *component : form.Components())
        names.append(component->objectName());
    return names;
}

template <class T> QStringList menuCaptions(const T *menu)
{
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

} // namespace

void MainWindowTest::startsWithTheProductCaptionAndIdleBatch()
{
    TForm1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Clipvane 1.40"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Clipvane"));
    QCOMPARE(form.size(), QSize(748, 547));
    QCOMPARE(form.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(form.font().pointSize(), 9);
    QCOMPARE(form.RzPageControl1->currentWidget(), form.TabSheet5);
    QCOMPARE(form.lvFiles->rowCount(), 0);
    QVERIFY(!form.Timer1->isActive());
    QCOMPARE(form.Timer1->interval(), 500);
    QVERIFY(form.btnStart->isEnabled());
    QVERIFY(form.acceptDrops());
}

void MainWindowTest::componentsAreRegisteredInCreationOrder()
{
    TForm1 form;
    QStringList names = componentNames(form);
    const QStringList landmarks{"Panel1",          "Panel3",          "Panel4",         "lvFiles",  "RzPageControl1",
                                "TabSheet5",       "ToolBar2",        "BitBtn5",        "BitBtn8",  "lvEvents",
                                "TabSheet6",       "CheckBox4",       "SpinEdit1",      "Label4",   "Edit5",
                                "TabSheet7",       "CheckBox1",       "Edit1",          "chk2",     "mmo1",
                                "ggProgress",      "clbr1",           "tlb1",           "btnAdd",   "btn9",
                                "btnHelp",         "Timer1",          "pmFiles",        "smlFormLangRes1",
                                "smlMenuLangRes1", "smlMsgLangRes1",  "il2",            "mm1",      "About1",
                                "actlst1",         "actAddFiles",     "actClearEvents"};
    qsizetype previous = -1;
    for (const QString &name : landmarks) {
        const qsizetype at = names.indexOf(name);
        QVERIFY2(at > previous, qPrintable(name + QLatin1String(" is out of order")));
        previous = at;
    }
    QCOMPARE(names.last(), QStringLiteral("actClearEvents"));
    QCOMPARE(names.removeDuplicates(), 0);
}

void MainWindowTest::captionsAreExact()
{
    TForm1 form;
    QStringList toolBar;
    for (ToolButton *button : {form.btnAdd, form.btnEdit, form.btnRemove, form.btnClear, form.btnStart, form.btnStop,
                               form.btnHelp})
        toolBar.append(button->caption());
    QCOMPARE(toolBar, (QStringList{"Add Files", "Edit Item", "Remove Item", "Clear Items", " Start Merging ",
                                   " Stop Merging ", "Help"}));
    QCOMPARE(form.btnAdd->minimumSize(), QSize(76, 44));
    QCOMPARE(form.tlb1->windowTitle(), QStringLiteral("tlb1"));
    auto *separator = form.findChild<ToolButton *>(QStringLiteral("btn10"));
    QVERIFY(separator && separator->isSeparator());
    QCOMPARE(separator->caption(), QStringLiteral("btn10"));
    QCOMPARE(separator->width(), 8);

    QCOMPARE(form.RzPageControl1->tabText(0), QStringLiteral(" Time Events "));
    QCOMPARE(form.RzPageControl1->tabText(1), QStringLiteral(" Click Events "));
    QCOMPARE(form.RzPageControl1->tabText(2), QStringLiteral(" Clip Information "));
    QCOMPARE(QStringList({form.BitBtn5->text(), form.BitBtn6->text(), form.BitBtn7->text(), form.BitBtn8->text()}),
             (QStringList{"Add Event  ", "Edit Event  ", "Delete Event", "Clear Events"}));
    QCOMPARE(form.BitBtn5->size(), QSize(100, 22));

    QTreeWidgetItem *heading = form.lvFiles->headerItem();
    QCOMPARE(heading->text(0), QStringLiteral("  Source Files "));
    QCOMPARE(heading->text(1), QStringLiteral("Output Files"));
    QCOMPARE(heading->text(2), QStringLiteral("Status"));
    QCOMPARE(form.lvFiles->columnWidth(2), 100);
    QCOMPARE(form.lvFiles->toolTip(), QStringLiteral("Drag the RealAudio or RealVideo files into here"));
    QCOMPARE(form.ggProgress->height(), 12);
}

void MainWindowTest::menusCallTheirCommands()
{
    TemporaryAppFolder appFolder;
    appFolder.installManual();
    TForm1 form;
    QCOMPARE(menuCaptions(form.pmFiles),
             (QStringList{"Add Files", "Add Folder...", "Edit Item", "Remove Item", "-", "Clear Items", "-",
                          "Clip Contents...", "Load Settings from Clip", "-",
                          "Retry Failed"}));
    QCOMPARE(menuCaptions(form.mm1), (QStringList{"File", "Edit", "Jobs", "Help"}));
    const QList<QAction *> menus = form.mm1->actions();
    QCOMPARE(menuCaptions(menus[0]->menu()), (QStringList{"Add Files", "Add Folder...", "-", "Open Profile...",
                                                          "Save Profile", "Save Profile As...", "Recent Profiles", "-",
                                                          "&Exit"}));
    QCOMPARE(menuCaptions(menus[1]->menu()), (QStringList{"Undo", "Redo", "-", "Edit Item", "Remove Item",
                                                          "Clear Items", "-", "Add Event", "Edit Event",
                                                          "Delete Event", "Clear Events", "-",
                                                          "Output Folder...", "-", "Clip Contents...",
                                                          "Load Settings from Clip", "Clip Values..."}));
    QCOMPARE(menuCaptions(menus[2]->menu()), (QStringList{"Add Time Event", "-", "Start Merging", "Stop Merging",
                                                          "Retry Failed", "-", "Show Log"}));
    QCOMPARE(menuCaptions(menus[3]->menu()),
             (QStringList{"Online Help", "-", "Comments", "Vist Home Page", "-", "About..."}));
    // The window's own items and actions have no keys; the commands beside them may.
    int ownItems = 0;
    for (const QAction *menu : menus) {
        for (QAction *item : menu->menu()->actions()) {
            if (!form.Components().contains(item))
                continue;
            ++ownItems;
            QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->objectName()));
        }
    }
    QCOMPARE(ownItems, 21);
    for (const QObject *component : form.Components()) {
        if (const auto *action = qobject_cast<const QAction *>(component))
            QVERIFY2(action->shortcuts().isEmpty(), qPrintable(action->objectName()));
    }

    RecordingPrompts prompts;
    prompts.filesToChoose = QStringList{"/clips/a.rm", "/clips/b.rm"};
    form.pmFiles->actions()[0]->trigger();
    menus[0]->menu()->actions()[0]->trigger();
    QCOMPARE(form.lvFiles->rowCount(), 2);
    form.findChild<QAction *>(QStringLiteral("actHelp"))->trigger();
    QCOMPARE(prompts.openedUrls.size(), 1);
}

void MainWindowTest::addClip_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("output");
    QTest::newRow("rm") << "/v/a.rm" << true << "/v/Done_a.rm";
    QTest::newRow("RMVB") << "/v/b.RMVB" << true << "/v/Done_b.RMVB";
    QTest::newRow("Ra keeps its spelling") << "/v/c.Ra" << true << "/v/Done_c.Ra";
    QTest::newRow("no folder") << "intro.Rmvb" << true << "Done_intro.Rmvb";
    QTest::newRow("dots and blanks in names") << "/my clips.v2/the end.rm" << true << "/my clips.v2/Done_the end.rm";
    QTest::newRow("non-ASCII") << "/片段/预告.rmvb" << true << "/片段/Done_预告.rmvb";
    QTest::newRow("backslash is a name character here") << "C:\\v\\a.rm" << true << "Done_C:\\v\\a.rm";
    QTest::newRow("rm.bak") << "/v/d.rm.bak" << false << "";
    QTest::newRow("no extension") << "/v/e" << false << "";
    QTest::newRow("avi") << "/v/f.avi" << false << "";
    QTest::newRow("dot only in the folder") << "/v.rm/g" << false << "";
    QTest::newRow("rmx") << "/v/h.rmx" << false << "";
}

void MainWindowTest::addClip()
{
    QFETCH(QString, path);
    QFETCH(bool, listed);
    QFETCH(QString, output);
    TForm1 form;
    QCOMPARE(form.AddClip(path), listed);
    QCOMPARE(form.lvFiles->rowCount(), listed ? 1 : 0);
    if (listed) {
        QCOMPARE(form.lvFiles->caption(0), path);
        QCOMPARE(form.lvFiles->subItem(0, 0), output);
        QCOMPARE(form.lvFiles->subItem(0, 1), QStringLiteral("To be processed"));
    }
}

void MainWindowTest::addFilesUsesTheOpenDialog()
{
    TForm1 form;
    RecordingPrompts prompts;
    prompts.filesToChoose = QStringList{"/v/a.rm", "/v/a.rm", "/v/notes.txt", QString()};
    for (int i = 0; i < 4; ++i)
        form.actAddFilesExecute();
    QCOMPARE(prompts.fileDialogs.size(), 4);
    QVERIFY(!prompts.fileDialogs.first().saving);
    QCOMPARE(prompts.fileDialogs.first().filter,
             QStringLiteral("All Files (*.*)|*.*|RM(*.rm)|*.RM|RMVB(*.rmvb)|*.RMVB|RA(*.ra)|*.RA"));
    QCOMPARE(form.lvFiles->rowCount(), 2);
    QVERIFY(prompts.messages.isEmpty());
}

void MainWindowTest::droppedFilesAreAddedInDeliveredOrder()
{
    TForm1 form;
    const QString longName = QStringLiteral("/clips/") + QString(600, QLatin1Char('x')) + QStringLiteral(".rm");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/clips/z.RM"), QUrl::fromLocalFile("/clips/notes.txt"),
                  QUrl::fromLocalFile("/clips/folder"), QUrl::fromLocalFile(longName),
                  QUrl::fromLocalFile("/clips/a.rmvb")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
    QCOMPARE(form.lvFiles->rowCount(), 3);
    QCOMPARE(form.lvFiles->caption(0), QStringLiteral("/clips/z.RM"));
    QCOMPARE(form.lvFiles->caption(1), longName);
    QCOMPARE(form.lvFiles->caption(2), QStringLiteral("/clips/a.rmvb"));
    // Text fields leave dropped files to the window rather than taking their names as text.
    QVERIFY(!form.clickEvents->Edit4->acceptDrops());
    QVERIFY(!form.clipInformation->mmo1->viewport()->acceptDrops());
    QVERIFY(!form.lvFiles->viewport()->acceptDrops());
}

void MainWindowTest::removeAndClearItems()
{
    TForm1 form;
    for (const char *path : {"/v/a.rm", "/v/b.rm", "/v/c.rm"})
        form.AddClip(QString::fromLatin1(path));
    form.actRemoveItemExecute();
    QCOMPARE(form.lvFiles->rowCount(), 3);
    form.lvFiles->selectRow(1);
    form.actRemoveItemExecute();
    QCOMPARE(form.lvFiles->rowCount(), 2);
    QCOMPARE(form.lvFiles->caption(1), QStringLiteral("/v/c.rm"));
    form.actClearItemsExecute();
    QCOMPARE(form.lvFiles->rowCount(), 0);
}

void MainWindowTest::webPagesAndMailLink()
{
    TemporaryAppFolder appFolder;
    appFolder.installManual();
    TForm1 form;
    RecordingPrompts prompts;
    form.actHelpExecute();
    form.HomePage1Click();
    form.Comments1Click();
    QCOMPARE(prompts.openedUrls.size(), 3);
    // Help is the manual shipped beside the program, not a page on the web.
    QCOMPARE(prompts.openedUrls[0], QUrl::fromLocalFile(appFolder.programPath() + QStringLiteral("manual.html")).toString());
    QVERIFY(prompts.openedUrls[1].startsWith(QLatin1String("https://www.example.com/")));
    QCOMPARE(prompts.openedUrls[2], QStringLiteral("mailto:support@example.com?subject=ForClipvane 1.40"));
}

void MainWindowTest::exitClosesTheWindow()
{
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Exit1Click();
    QVERIFY(!form.isVisible());
}

void MainWindowTest::settingsHaveTheirStartValues()
{
    TForm1 form;
    const ClipInformationPanel &information = *form.clipInformation;
    QVERIFY(form.clickEvents->CheckBox4->isChecked());
    QCOMPARE(form.clickEvents->CheckBox4->text(), QStringLiteral("Merge \"Click To PopUp\" events into RealAudio / RealVideo files"));
    const ClickMap map = form.clickEvents->clickMap();
    QCOMPARE(QList<int>({map.hours, map.minutes, map.seconds}), QList<int>({3, 0, 0}));
    QVERIFY(map.popUpUrl.isEmpty() && map.showText.isEmpty());
    QCOMPARE(clickMapScript(map), QStringLiteral("DURATION=0:3:0:0:0\r\n<MAP START=0:0:0:0:0 END=0:3:0:0:0 COORDS=0,0,1024,768>"
                                                 "<AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"\" ALT=\"\"></MAP>\r\n"));
    for (CheckBox *box : {information.CheckBox1, information.CheckBox2, information.CheckBox3, information.chk1, information.chk2})
        QVERIFY(!box->isChecked());
    for (QWidget *field : {static_cast<QWidget *>(information.Edit1), static_cast<QWidget *>(information.Edit2),
                           static_cast<QWidget *>(information.Edit3), static_cast<QWidget *>(information.edt1),
                           static_cast<QWidget *>(information.mmo1)})
        QVERIFY(!field->isEnabled());
    QCOMPARE(eventScript(form.jobSettings().timeEvents, information.clipInformation()), QString());
}

void MainWindowTest::checkBoxesToggleTheirFieldsKeepingValues()
{
    TForm1 form;
    ClickEventsPanel &click = *form.clickEvents;
    ClipInformationPanel &information = *form.clipInformation;
    click.Edit5->setText(QStringLiteral("http://pop.example/"));
    click.CheckBox4->click();
    QVERIFY(!click.SpinEdit1->isEnabled() && !click.Edit4->isEnabled() && !click.Edit5->isEnabled());
    click.CheckBox4->click();
    QVERIFY(click.SpinEdit3->isEnabled() && click.Edit5->isEnabled());
    QCOMPARE(click.Edit5->text(), QStringLiteral("http://pop.example/"));

    const struct {
        CheckBox *box;
        QWidget *field;
    } items[] = {{information.CheckBox1, information.Edit1}, {information.CheckBox2, information.Edit2}, {information.CheckBox3, information.Edit3},
                 {information.chk1, information.edt1}, {information.chk2, information.mmo1}};
    for (const auto &item : items) {
        item.box->click();
        QVERIFY(item.field->isEnabled());
        item.box->click();
        QVERIFY(!item.field->isEnabled());
    }
    information.CheckBox1->click();
    information.Edit1->setText(QStringLiteral("Title"));
    information.CheckBox1->click();
    QCOMPARE(eventScript({}, information.clipInformation()), QString());
    information.CheckBox1->click();
    QCOMPARE(eventScript({}, information.clipInformation()), QStringLiteral("i 00:00:00.0 00:00:10.0 Title\r\n"));
}

void MainWindowTest::deletingLeavesNoRowSelected_data()
{
    QTest::addColumn<bool>("events");
    QTest::newRow("Remove Item") << false;
    QTest::newRow("Delete Event") << true;
}

void MainWindowTest::deletingLeavesNoRowSelected()
{
    QFETCH(bool, events);
    TForm1 form;
    ListView *list = events ? form.lvEvents : form.lvFiles;
    for (const char *caption : {"a.rm", "b.rm", "c.rm"})
        list->addRow(QString::fromLatin1(caption), {QString(), QString(), QString()});
    const auto deleteRow = [&] { events ? form.actDeleteEventExecute() : form.actRemoveItemExecute(); };
    const auto editRow = [&] { events ? form.actEditEventExecute() : form.actEditItemExecute(); };

    list->selectRow(1);
    deleteRow();
    QCOMPARE(list->selectedRow(), -1);
    QVERIFY(!whileModal<QDialog>(editRow, [](QDialog &) {}));
    deleteRow();
    QCOMPARE(QStringList({list->caption(0), list->caption(1)}), (QStringList{"a.rm", "c.rm"}));
    list->selectRow(1);
    deleteRow();
    QCOMPARE(list->selectedRow(), -1);
    QCOMPARE(list->rowCount(), 1);
}

void MainWindowTest::menuSeparatorsAreLinesOnly_data()
{
    QTest::addColumn<QString>("menu");
    for (const char *menu : {"pop-up", "File", "Edit", "Jobs", "Help"})
        QTest::newRow(menu) << QString::fromLatin1(menu);
}

// Every separator is painted as one line of one colour, with nothing beside it.
void MainWindowTest::menuSeparatorsAreLinesOnly()
{
    QFETCH(QString, menu);
    TForm1 form;
    QMenu *shown = form.pmFiles;
    for (const QAction *item : form.mm1->actions())
        if (item->text() == menu)
            shown = item->menu();
    shown->resize(shown->sizeHint());
    const QImage image = shown->grab().toImage();
    int separators = 0;
    for (QAction *item : shown->actions()) {
        if (!item->isSeparator())
            continue;
        ++separators;
        QCOMPARE(qobject_cast<MenuItem *>(item)->caption(), QStringLiteral("-"));
        // Inside the menu's outline, which the item's area overlaps.
        const int frame = shown->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, shown) + 1;
        const QRect area = shown->actionGeometry(item).adjusted(frame, 0, -frame, 0);
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[image.pixel(x, y)];
        const QRgb background = std::max_element(counts.cbegin(), counts.cend()).key();
        QSet<QRgb> colours;
        QSet<int> lines;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) != background) {
                    colours.insert(image.pixel(x, y));
                    lines.insert(y);
                }
        QCOMPARE(colours.size(), 1);
        QCOMPARE(lines.size(), 1);
    }
    QVERIFY(separators > 0);
}

void MainWindowTest::descriptionBytesAsTyped()
{
    TForm1 form;
    ClipInformationPanel &information = *form.clipInformation;
    information.chk2->click();
    information.CheckBox1->click();
    information.mmo1->setFocus();
    QTest::keyClicks(information.mmo1, QStringLiteral("A\u00a0B"));
    QTest::keyClick(information.mmo1, Qt::Key_Return);
    QTest::keyClicks(information.mmo1, QStringLiteral("C  D\u00a0"));
    information.Edit1->setText(QStringLiteral("T\u00a0U"));
    WriteEvents(m_appFolder.path(), form.jobSettings());
    QCOMPARE(readFile(m_appFolder.filePath(QStringLiteral("events.txt"))),
             CodePage::system().encode(QStringLiteral("i 00:00:00.0 00:00:10.0 T\u00a0U\r\n"
                                                      "q 00:00:00.0 00:00:10.0  A\u00a0" "B C  D\u00a0\r\n")));
}

void MainWindowTest::pastedLinesStayOneLine_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("scriptLines"); // of both scripts: the pasted text's and the map's two
    const QString injected = QStringLiteral("u 00:00:01.0 00:00:09.0 &&_rpexternal&&http://evil.example/");
    QTest::newRow("event URL, an event line after it")
        << "EdtUrl" << "http://a/\n" + injected << "http://a/ " + injected << 3;
    QTest::newRow("show text, CR LF") << "Edit4" << "Click\r\nhere" << "Click here" << 2;
    QTest::newRow("pop-up URL, CR") << "Edit5" << "http://a/\rb" << "http://a/ b" << 2;
    QTest::newRow("title, an event line after it") << "Edit1" << "Nice\n" + injected << "Nice " + injected << 3;
    QTest::newRow("copyright, an empty line between") << "Edit2" << "a\r\n\r\nb" << "a  b" << 3;
    QTest::newRow("author, a line break at the end") << "Edit3" << "Ann\n" << "Ann " << 3;
    QTest::newRow("keywords, LF") << "edt1" << "k1\nk2" << "k1 k2" << 3;
}

// Pasted through the clipboard with Ctrl+V, as a person does: the field shows one line, and the
// scripts carry it on one line.
void MainWindowTest::pastedLinesStayOneLine()
{
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(int, scriptLines);
    TForm1 form;
    form.show();
    ClipInformationPanel &information = *form.clipInformation;
    for (CheckBox *box : {information.CheckBox1, information.CheckBox2, information.CheckBox3, information.chk1})
        box->click();
    QVERIFY(form.clickEvents->isOn());
    QGuiApplication::clipboard()->setText(pasted);
    QCOMPARE(QGuiApplication::clipboard()->text(), pasted);
    auto paste = [](QLineEdit *edit) {
        edit->clear();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        return edit->text();
    };
    if (field == QLatin1String("EdtUrl")) {
        QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
            QCOMPARE(paste(dialog.EdtUrl), shown);
            dialog.BitBtn1->click();
        }));
        QCOMPARE(form.lvEvents->subItem(0, 2), shown);
    } else {
        QLineEdit *edit = nullptr;
        for (QObject *component : form.Components()) {
            if (component->objectName() == field)
                edit = qobject_cast<QLineEdit *>(component);
        }
        QVERIFY(edit);
        QVERIFY(edit->isEnabled());
        QCOMPARE(paste(edit), shown);
    }

    const JobSettings settings = form.jobSettings();
    const QString scripts = eventScript(settings.timeEvents, settings.clipInformation) + clickMapScript(settings.clickMap);
    QStringList lines = scripts.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), scriptLines);
    QCOMPARE(lines.filter(shown).size(), 1);
    for (const QString &line : lines)
        QVERIFY2(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')), qPrintable(line));
}

void MainWindowTest::spinFieldsKeepTheirBounds()
{
    TForm1 form;
    ClickEventsPanel &click = *form.clickEvents;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.RzPageControl1->setCurrentWidget(click.TabSheet6);
    click.SpinEdit1->setFocus();
    click.SpinEdit1->selectAll();
    QTest::keyClicks(click.SpinEdit1, QStringLiteral("999"));
    QCOMPARE(click.SpinEdit1->text(), QStringLiteral("99"));
    QCOMPARE(click.clickMap().hours, 99);
    click.Edit4->setFocus();
    QCOMPARE(click.SpinEdit1->text(), QStringLiteral("24"));

    click.SpinEdit2->setValue(59);
    click.SpinEdit2->stepBy(1);
    click.SpinEdit2->stepBy(1);
    QCOMPARE(click.SpinEdit2->value(), 60);
    click.SpinEdit3->setFocus();
    click.SpinEdit3->selectAll();
    QTest::keyClicks(click.SpinEdit3, QStringLiteral("60"));
    click.Edit4->setFocus();
    QCOMPARE(click.SpinEdit3->text(), QStringLiteral("60"));
    QCOMPARE(click.clickMap().seconds, 60);
    click.SpinEdit3->setValue(1);
    click.SpinEdit3->stepBy(-3);
    QCOMPARE(click.SpinEdit3->value(), 0);
    click.SpinEdit3->setFocus();
    click.SpinEdit3->selectAll();
    QTest::keyClicks(click.SpinEdit3, QStringLiteral("x"));
    QCOMPARE(click.SpinEdit3->text(), QStringLiteral("x"));
    QCOMPARE(click.clickMap().seconds, 0);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
