#include "BatchSupport.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/ClipCommands.h"
#include "app/ClipValuesCommands.h"
#include "app/FileList.h"
#include "app/FolderCommands.h"
#include "app/MainWindow.h"
#include "app/ProfileCommands.h"
#include "app/RememberedSettings.h"
#include "app/UndoCommands.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/EventDialog.h"
#include "dialogs/OutputFileDialog.h"
#include "jobs/BatchRunner.h"
#include "jobs/Profile.h"
#include "jobs/RowStatus.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>
#include <QUrl>
#include <functional>

class UndoTest : public QObject
{
    Q_OBJECT

private slots:
    void eachCommandIsUndoneAndRedone_data();
    void eachCommandIsUndoneAndRedone();
    void eachSaveOfTheEventDialogIsAStep();
    void commandsThatChangeNothingAreNoSteps();
    void undoAndRedoHeadTheEditMenu();
    void keysOutsideTextFieldsWalkTheHistory_data();
    void keysOutsideTextFieldsWalkTheHistory();
    void textFieldsKeepTheirOwnUndo_data();
    void textFieldsKeepTheirOwnUndo();
    void profileKeys_data();
    void profileKeys();
    void clipListStepsWaitWhileABatchRuns();
    void historyIsClearedWhenTheWindowCloses();
};

namespace {

Profile otherProfile()
{
    Profile profile;
    profile.settings.timeEvents = {{"00:00:07.0", "00:00:09.0", "Media Browser", "http://profile.example/"}};
    profile.settings.clipInformation.title = {true, "Profile title"};
    profile.settings.clipInformation.description = {true, "Two\nlines"};
    profile.settings.withMap = false;
    profile.settings.clickMap = {0, 1, 2, "http://profile.example/pop", "Profile text"};
    profile.output = {QStringLiteral("/merged"), QStringLiteral("P_"), false};
    return profile;
}

// A profile with other settings, among the recent ones before the window opens.
QString rememberedProfile(const QString &path)
{
    writeProfileFile(path, otherProfile());
    RememberedSettings().addRecentProfile(path);
    return path;
}

// A clip that carries a title and an author, which Load Settings from Clip takes.
void writeClipWithInformation(const QString &path)
{
    RealMediaTest::Clip clip;
    clip.streams = {{0, "Audio", "audio/x-pn-realaudio", {}}};
    clip.content = QList<QByteArray>{"Clip title", "Clip author", "", ""};
    clip.packets = {{0, 0, "audio"}};
    writeFile(path, RealMediaTest::buildClip(clip));
}

// A window with time events, settings of its own and three clips: one merged, one with an output
// set by hand, one that carries clip information. Nothing of that is in its history.
struct Window
{
    TemporaryAppFolder appFolder;
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString profile = rememberedProfile(folder.filePath(QStringLiteral("other.json")));
    TForm1 form;

    Window()
    {
        appFolder.installMergeTool();
        Profile setup = Profile::startUp();
        setup.settings.timeEvents = {{"00:00:01.0", "00:00:02.0", "External Browser", "http://one.example/"},
                                     {"00:00:03.0", "00:00:04.0", "Media Browser", "http://two.example/"},
                                     {"00:00:05.0", "00:00:06.0", "Related Info Pane", "http://three.example/"}};
        setup.settings.clipInformation.title = {true, "Window title"};
        setup.settings.clipInformation.author = {false, "Kept author"};
        form.applySetup(setup);
        writeClipWithInformation(folder.filePath(QStringLiteral("c.rm")));
        for (const char *name : {"a.rm", "b.rmvb", "c.rm"})
            form.AddClip(clip(QString::fromLatin1(name)));
        FileList &files = form.fileList();
        files.setStatus(0, RowStatus::success);
        files.setDetails(0, {QStringLiteral("Merged in 2 s"), QStringLiteral("Tool: rmevents")});
        files.setStatus(2, RowStatus::failure);
        form.lvFiles->setSubItem(1, 0, folder.filePath(QStringLiteral("by hand.rmvb")));
        files.markOutputSetByHand(1);
        ClipValues own;
        own.setItem(ClipItem::Title, QStringLiteral("Own title of {name}"));
        own.cells.insert(QStringLiteral("Place"), QStringLiteral("Bergen"));
        files.setClipValues(0, own);
    }

    QString clip(const QString &name)
    {
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path))
            writeClip(path, 100);
        return path;
    }
    UndoCommands &undo() { return form.undoCommands(); }
    void showActive()
    {
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
};

// A row's own values as one text.
QString valuesText(const ClipValues &values)
{
    QStringList parts(values.items.begin(), values.items.end());
    for (auto cell = values.cells.cbegin(); cell != values.cells.cend(); ++cell)
        parts.append(cell.key() + QLatin1Char('=') + cell.value());
    return parts.join(QLatin1Char(';'));
}

// All an undo step may put back: the whole setup, the time events as listed, every row whole with
// its own values, and the values table's own columns.
QStringList windowState(TForm1 &form)
{
    QStringList state{QString::fromUtf8(profileJson(form.setup())),
                      form.clipValuesCommands().listedValues().ownColumns.join(QLatin1Char(','))};
    for (int row = 0; row < form.lvEvents->rowCount(); ++row)
        state.append(QStringList{form.lvEvents->caption(row), form.lvEvents->subItem(row, 0),
                                 form.lvEvents->subItem(row, 1), form.lvEvents->subItem(row, 2)}
                         .join(QLatin1Char('|')));
    for (int row = 0; row < form.fileList().rowCount(); ++row) {
        const FileRow value = form.fileList().row(row);
        state.append(QStringList{value.sourcePath, value.outputPath, value.status,
                                 value.outputSetByHand ? QStringLiteral("by hand") : QStringLiteral("by rule"),
                                 value.addedFolder, value.details.join(QLatin1Char('/')), valuesText(value.values)}
                         .join(QLatin1Char('|')));
    }
    return state;
}

using Command = std::function<void(Window &)>;

void saveEventFromDialog(TForm1 &form, void (TForm1::*open)(), BitBtn *TFrmevent::*save)
{
    QVERIFY(whileModal<TFrmevent>([&] { (form.*open)(); }, [&](TFrmevent &dialog) {
        dialog.EdtUrl->setText(QStringLiteral("http://typed.example/"));
        (dialog.*save)->click();
    }));
}

} // namespace

Q_DECLARE_METATYPE(Command)

void UndoTest::eachCommandIsUndoneAndRedone_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Add Event, Save & Quit") << Command([](Window &w) {
        saveEventFromDialog(w.form, &TForm1::actAddEventExecute, &TFrmevent::BitBtn1);
    }) << "Add Event";
    QTest::newRow("Add Event, Save & Add") << Command([](Window &w) {
        saveEventFromDialog(w.form, &TForm1::actAddEventExecute, &TFrmevent::BitBtn3);
    }) << "Add Event";
    QTest::newRow("Edit Event") << Command([](Window &w) {
        w.form.lvEvents->selectRow(1);
        saveEventFromDialog(w.form, &TForm1::actEditEventExecute, &TFrmevent::BitBtn1);
    }) << "Edit Event";
    QTest::newRow("Delete Event") << Command([](Window &w) {
        w.form.lvEvents->selectRow(1);
        w.form.BitBtn7->click();
    }) << "Delete Event";
    QTest::newRow("Clear Events") << Command([](Window &w) { w.form.BitBtn8->click(); }) << "Clear Events";
    QTest::newRow("Add Files") << Command([](Window &w) {
        w.prompts.filesToChoose = QStringList{w.clip(QStringLiteral("d.rm"))};
        w.form.btnAdd->click();
    }) << "Add Files";
    QTest::newRow("Add Folder") << Command([](Window &w) {
        const QString below = w.folder.filePath(QStringLiteral("more"));
        QDir().mkpath(below + QStringLiteral("/deeper"));
        writeClip(below + QStringLiteral("/e.rm"), 100);
        writeClip(below + QStringLiteral("/deeper/f.rmvb"), 100);
        w.prompts.filesToChoose = QStringList{below};
        w.form.folderCommands().AddFolder1->trigger();
    }) << "Add Folder";
    QTest::newRow("drop") << Command([](Window &w) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(w.clip(QStringLiteral("g.rm"))), QUrl::fromLocalFile(w.clip(QStringLiteral("h.rm")))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.form, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.form, &drop);
    }) << "Drop Files";
    QTest::newRow("Remove Item") << Command([](Window &w) {
        w.form.lvFiles->selectRow(0);
        w.form.btnRemove->click();
    }) << "Remove Item";
    QTest::newRow("Remove Item, a row set by hand") << Command([](Window &w) {
        w.form.lvFiles->selectRow(1);
        w.form.pmFiles->findChild<QAction *>(QStringLiteral("RemoveItem2"))->trigger();
    }) << "Remove Item";
    QTest::newRow("Clear Items") << Command([](Window &w) { w.form.btnClear->click(); }) << "Clear Items";
    QTest::newRow("Edit Item") << Command([](Window &w) {
        w.form.lvFiles->selectRow(2);
        QVERIFY(whileModal<TFrmedtfile>([&] { w.form.actEditItemExecute(); }, [&](TFrmedtfile &dialog) {
            dialog.Edit1->setText(w.clip(QStringLiteral("other source.rm")));
            dialog.Edit2->setText(QStringLiteral("/typed/output.rm"));
            dialog.BitBtn1->click();
        }));
    }) << "Edit Item";
    QTest::newRow("Open Profile") << Command([](Window &w) {
        w.prompts.filesToChoose = QStringList{w.profile};
        w.form.profileCommands().OpenProfile1->trigger();
    }) << "Open Profile";
    QTest::newRow("a recent profile") << Command([](Window &w) {
        w.form.profileCommands().RecentProfiles1->actions().value(0)->trigger();
    }) << "Open Profile";
    QTest::newRow("Load Settings from Clip") << Command([](Window &w) {
        w.form.lvFiles->selectRow(2);
        w.form.clipCommands().LoadSettingsFromClip1->trigger();
    }) << "Load Settings from Clip";
    QTest::newRow("Import Clip Values") << Command([](Window &w) {
        const QString table = w.folder.filePath(QStringLiteral("values.csv"));
        writeFile(table, "SourceFile,Title,Place\r\nb.rmvb,Second {Place},Oslo\r\n*,,Everywhere\r\n");
        QVERIFY(w.form.clipValuesCommands().importValues(table));
        // The import says what it matched; that message is its own, not a fault.
        QCOMPARE(w.prompts.messages.size(), 1);
        w.prompts.messages.clear();
    }) << "Import Clip Values";
}

// One step each, undone by the menu and by Ctrl+Z, redone by the menu and by Ctrl+Y, each time back
// to exactly what the window showed.
void UndoTest::eachCommandIsUndoneAndRedone()
{
    QFETCH(Command, command);
    QFETCH(QString, caption);
    Window w;
    QAction *undo = w.undo().Undo1;
    QAction *redo = w.undo().Redo1;
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("Undo"));
    QCOMPARE(redo->text(), QStringLiteral("Redo"));
    const QStringList before = windowState(w.form);

    command(w);
    QCOMPARE(w.prompts.messageTexts(), QStringList());
    const QStringList after = windowState(w.form);
    QVERIFY(after != before);
    QCOMPARE(w.undo().history().count(), 1);
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("Undo ") + caption);

    undo->trigger();
    QCOMPARE(windowState(w.form), before);
    QVERIFY(!undo->isEnabled());
    QVERIFY(redo->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("Redo ") + caption);
    redo->trigger();
    QCOMPARE(windowState(w.form), after);

    w.showActive();
    w.form.lvEvents->setFocus();
    QTest::keyClick(&w.form, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(windowState(w.form), before);
    QTest::keyClick(&w.form, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(windowState(w.form), after);
    QCOMPARE(w.undo().history().count(), 1);
}

void UndoTest::eachSaveOfTheEventDialogIsAStep()
{
    Window w;
    w.form.lvEvents->selectRow(0);
    const QStringList before = windowState(w.form);
    QStringList urls;
    QVERIFY(whileModal<TFrmevent>([&] { w.form.actEditEventExecute(); }, [&](TFrmevent &dialog) {
        for (const char *url : {"http://edited.example/", "http://added.example/", "http://second.example/"}) {
            dialog.EdtUrl->setText(QString::fromLatin1(url));
            dialog.BitBtn3->click();
            urls.append(w.undo().Undo1->text());
        }
    }));
    QCOMPARE(urls, (QStringList{"Undo Edit Event", "Undo Add Event", "Undo Add Event"}));
    QCOMPARE(w.form.lvEvents->rowCount(), 5);
    QCOMPARE(w.form.lvEvents->subItem(0, 2), QStringLiteral("http://edited.example/"));

    w.undo().Undo1->trigger();
    QCOMPARE(w.form.lvEvents->rowCount(), 4);
    QCOMPARE(w.form.lvEvents->subItem(3, 2), QStringLiteral("http://added.example/"));
    w.undo().Undo1->trigger();
    QCOMPARE(w.form.lvEvents->rowCount(), 3);
    QCOMPARE(w.undo().Undo1->text(), QStringLiteral("Undo Edit Event"));
    w.undo().Undo1->trigger();
    QCOMPARE(windowState(w.form), before);
}

// A command that changes nothing, or that is refused, leaves nothing to undo.
void UndoTest::commandsThatChangeNothingAreNoSteps()
{
    Window w;
    const QStringList before = windowState(w.form);
    w.form.lvEvents->selectRow(-1);
    w.form.actDeleteEventExecute();
    w.form.lvFiles->selectRow(-1);
    w.form.actRemoveItemExecute();
    w.form.actAddFilesExecute();
    w.prompts.filesToChoose = QStringList{w.folder.filePath(QStringLiteral("notes.txt"))};
    w.form.actAddFilesExecute();
    QVERIFY(whileModal<TFrmevent>([&] { w.form.actAddEventExecute(); }, [](TFrmevent &dialog) { dialog.BitBtn2->click(); }));
    w.form.lvFiles->selectRow(0);
    QVERIFY(whileModal<TFrmedtfile>([&] { w.form.actEditItemExecute(); }, [](TFrmedtfile &dialog) { dialog.BitBtn1->click(); }));
    const QString broken = w.folder.filePath(QStringLiteral("broken.json"));
    writeFile(broken, "{ not json");
    QVERIFY(!w.form.profileCommands().openProfile(broken));
    QCOMPARE(w.prompts.messages.size(), 1);
    QCOMPARE(windowState(w.form), before);
    QCOMPARE(w.undo().history().count(), 0);
    QVERIFY(!w.undo().Undo1->isEnabled());

    w.form.actClearEventsExecute();
    w.form.actClearEventsExecute();
    w.form.actClearItemsExecute();
    w.form.actClearItemsExecute();
    QCOMPARE(w.undo().history().count(), 2);
}

void UndoTest::undoAndRedoHeadTheEditMenu()
{
    Window w;
    const QList<QAction *> items = w.form.menuOf("EditItem1")->actions();
    QCOMPARE(items.value(0), w.undo().Undo1);
    QCOMPARE(items.value(1), w.undo().Redo1);
    QVERIFY(items.value(2)->isSeparator());
    QCOMPARE(items.value(3)->objectName(), QStringLiteral("EditItem1"));
    QCOMPARE(w.undo().Undo1->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
    QCOMPARE(w.undo().Redo1->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))}));
    // What the menu shows beside the captions.
    QCOMPARE(w.undo().Undo1->shortcut().toString(QKeySequence::PortableText), QStringLiteral("Ctrl+Z"));
    QCOMPARE(w.undo().Redo1->shortcut().toString(QKeySequence::PortableText), QStringLiteral("Ctrl+Shift+Z"));
    // The window's components, and so its language file, are as before.
    QVERIFY(!w.form.Components().contains(w.undo().Undo1));
    QVERIFY(!w.form.Components().contains(w.undo().Redo1));
}

void UndoTest::keysOutsideTextFieldsWalkTheHistory_data()
{
    QTest::addColumn<QKeyCombination>("redoKey");
    QTest::newRow("Ctrl+Shift+Z") << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    QTest::newRow("Ctrl+Y") << QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

// With the focus on the lists, the window's keys walk its history, step by step.
void UndoTest::keysOutsideTextFieldsWalkTheHistory()
{
    QFETCH(QKeyCombination, redoKey);
    Window w;
    w.showActive();
    const QStringList start = windowState(w.form);
    w.form.lvFiles->selectRow(1);
    w.form.actRemoveItemExecute();
    const QStringList removed = windowState(w.form);
    w.form.actClearEventsExecute();
    const QStringList cleared = windowState(w.form);

    w.form.lvFiles->setFocus();
    QTest::keyClick(w.form.lvFiles, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(windowState(w.form), removed);
    w.form.lvEvents->setFocus();
    QTest::keyClick(w.form.lvEvents, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(windowState(w.form), start);
    QTest::keyClick(w.form.lvEvents, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(windowState(w.form), start);
    QTest::keyClick(w.form.lvEvents, redoKey.key(), redoKey.keyboardModifiers());
    QCOMPARE(windowState(w.form), removed);
    QTest::keyClick(w.form.lvEvents, redoKey.key(), redoKey.keyboardModifiers());
    QCOMPARE(windowState(w.form), cleared);
}

void UndoTest::textFieldsKeepTheirOwnUndo_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Ctrl+Z") << QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
    QTest::newRow("Ctrl+Shift+Z") << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    QTest::newRow("Ctrl+Y") << QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

// Typing in a field and pressing an undo or redo key works on the field: the window's history,
// which has a step to undo and one to redo, stays where it was.
void UndoTest::textFieldsKeepTheirOwnUndo()
{
    QFETCH(QKeyCombination, key);
    Window w;
    w.showActive();
    w.form.actClearEventsExecute();
    w.form.lvFiles->selectRow(0);
    w.form.actRemoveItemExecute();
    w.undo().actUndoExecute();
    const QStringList before = windowState(w.form);
    QLineEdit *title = w.form.clipInformation->Edit1;
    title->setFocus();
    QCOMPARE(QApplication::focusWidget(), title);
    QTest::keyClicks(title, QStringLiteral(" typed"));
    QCOMPARE(title->text(), QStringLiteral("Window title typed"));

    QTest::keyClick(title, key.key(), key.keyboardModifiers());
    const bool fieldUndo = key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
    if (fieldUndo)
        QCOMPARE(title->text(), QStringLiteral("Window title"));
    else
        QCOMPARE(title->text(), QStringLiteral("Window title typed"));
    // The title is the field's to change back; the rest is as it was.
    QCOMPARE(windowState(w.form).mid(1), before.mid(1));
    QCOMPARE(w.undo().history().index(), 1);
    QCOMPARE(w.form.lvEvents->rowCount(), 0);
    QCOMPARE(w.form.lvFiles->rowCount(), 3);
}

void UndoTest::profileKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("itemName");
    QTest::newRow("Open Profile... Ctrl+O") << QKeyCombination(Qt::ControlModifier, Qt::Key_O) << false << "OpenProfile1";
    QTest::newRow("Save Profile Ctrl+S") << QKeyCombination(Qt::ControlModifier, Qt::Key_S) << true << "SaveProfile1";
    QTest::newRow("Save Profile As... Ctrl+Shift+S")
        << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S) << true << "SaveProfileAs1";
}

// Each key opens its command's file dialog, also while a text field has the focus.
void UndoTest::profileKeys()
{
    QFETCH(QKeyCombination, key);
    QFETCH(bool, saving);
    QFETCH(QString, itemName);
    Window w;
    const QAction *item = w.form.findChild<QAction *>(itemName);
    QCOMPARE(item->shortcut(), QKeySequence(key));
    w.showActive();
    for (QWidget *focus : {static_cast<QWidget *>(w.form.lvFiles), static_cast<QWidget *>(w.form.clickEvents->Edit4)}) {
        focus->setFocus();
        w.prompts.fileDialogs.clear();
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        QCOMPARE(w.prompts.fileDialogs.size(), 1);
        QCOMPARE(w.prompts.fileDialogs[0].saving, saving);
    }
}

// While a batch works through the list, the steps that add or remove its rows wait; the others
// don't, and what the batch writes into the rows is no step.
void UndoTest::clipListStepsWaitWhileABatchRuns()
{
    Window w;
    w.appFolder.installToolScript(waitingTool);
    ToolReaper reaper(w.form.runner());
    QAction *undo = w.undo().Undo1;
    QAction *redo = w.undo().Redo1;
    w.prompts.filesToChoose = QStringList{w.clip(QStringLiteral("d.rm"))};
    w.form.actAddFilesExecute();
    w.form.lvFiles->selectRow(0);
    w.form.actRemoveItemExecute();
    undo->trigger();
    const QStringList beforeBatch = windowState(w.form);

    w.form.actStartExecute();
    QVERIFY(w.form.runner().isRunning());
    QCOMPARE(undo->text(), QStringLiteral("Undo Add Files"));
    QCOMPARE(redo->text(), QStringLiteral("Redo Remove Item"));
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    w.showActive();
    w.form.lvFiles->setFocus();
    QTest::keyClick(w.form.lvFiles, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.form.lvFiles, Qt::Key_Y, Qt::ControlModifier);
    w.undo().actUndoExecute();
    w.undo().actRedoExecute();
    QCOMPARE(w.form.lvFiles->rowCount(), 4);
    QCOMPARE(w.undo().history().index(), 1);

    // The time events are no part of the list: their steps go on.
    w.form.actClearEventsExecute();
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("Undo Clear Events"));
    QTest::keyClick(w.form.lvFiles, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.form.lvEvents->rowCount(), 3);
    QVERIFY(!undo->isEnabled());
    QVERIFY(redo->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("Redo Clear Events"));

    // Four rows, each a job; the runner's statuses and the jobs' details add no steps.
    w.form.runner().requestStop();
    finishToolJob(w.form.runner(), w.appFolder);
    QVERIFY(!w.form.runner().isRunning());
    QCOMPARE(w.undo().history().count(), 2);
    QCOMPARE(w.form.fileList().status(0), RowStatus::success);
    const QStringList details = w.form.fileList().row(0).details;
    QVERIFY(!details.isEmpty());
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("Undo Add Files"));
    undo->trigger();
    QCOMPARE(w.form.lvFiles->rowCount(), 3);
    QCOMPARE(w.form.fileList().row(0).details, details);
    redo->trigger();
    QCOMPARE(windowState(w.form).mid(1, 3), beforeBatch.mid(1, 3));
    QCOMPARE(windowState(w.form).last(), beforeBatch.last());
}

void UndoTest::historyIsClearedWhenTheWindowCloses()
{
    Window w;
    w.showActive();
    w.form.actClearEventsExecute();
    w.form.actClearItemsExecute();
    w.undo().actUndoExecute();
    QVERIFY(w.undo().Undo1->isEnabled());
    QVERIFY(w.undo().Redo1->isEnabled());
    QVERIFY(w.form.close());
    QCOMPARE(w.undo().history().count(), 0);
    QVERIFY(!w.undo().Undo1->isEnabled());
    QVERIFY(!w.undo().Redo1->isEnabled());
    QCOMPARE(w.undo().Undo1->text(), QStringLiteral("Undo"));
    QCOMPARE(w.form.lvEvents->rowCount(), 0);
    QCOMPARE(w.form.lvFiles->rowCount(), 3);
}

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
