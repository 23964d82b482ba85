// Takes screenshots of Clipvane's windows as the X server shows them, for a person to look at:
// the main window with each tab, its File menu open, the event dialog, the output file dialog, the
// output folder dialog, the about box, the Clip Values window, the contents of a merged clip, a
// message box, and after a batch of the bundled tool a failed row's tooltip and the batch log
// window. Run under an X server
// (scripts/screenshots.sh starts Xvfb); the pictures go into the folder given as the argument.
#include "MergeToolRun.h"
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/ProfileCommands.h"
#include "app/BatchCommands.h"
#include "app/ClipValuesCommands.h"
#include "app/FileList.h"
#include "dialogs/ClipValuesModel.h"
#include "dialogs/ClipValuesWindow.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipContentsWindow.h"
#include "dialogs/ClipInformationPanel.h"
#include "jobs/RowStatus.h"
#include "dialogs/AboutBox.h"
#include "dialogs/BatchLogWindow.h"
#include "dialogs/OutputFileDialog.h"
#include "dialogs/EventDialog.h"
#include "dialogs/OutputRuleDialog.h"
#include "jobs/BatchRunner.h"
#include "jobs/JobScripts.h"
#include "platform/DesktopPrompts.h"
#include "widgets/ListView.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

QString outputFolder;

bool saveArea(const QRect &area, const QString &name)
{
    const QString path = QDir(outputFolder).filePath(name + QLatin1String(".png"));
    const bool saved =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool save(QWidget &window, const QString &name)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(200);
    const QString path = QDir(outputFolder).filePath(name + QLatin1String(".png"));
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(window.winId()).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

void fillExampleRows(TForm1 &form)
{
    const QStringList statuses{RowStatus::toBeProcessed, RowStatus::processing, RowStatus::success,
                               RowStatus::failure};
    for (int row = 0; row < statuses.size(); ++row) {
        const QString clip = QStringLiteral("/home/ann/clips/trailer%1.rmvb").arg(row + 1);
        form.AddClip(clip);
        form.lvFiles->setSubItem(row, 1, statuses[row]);
    }
    form.lvEvents->addRow(QStringLiteral("00:00:05.0"), {QStringLiteral("00:00:20.0"), QStringLiteral("External Browser"),
                                                          QStringLiteral("http://www.example.com/")});
    form.lvEvents->addRow(QStringLiteral("00:01:00.0"), {QStringLiteral("00:01:30.0"), QStringLiteral("Media Browser"),
                                                          QStringLiteral("http://www.example.com/offer")});
}

// An open menu is a window of its own: the screen is grabbed where the main window and the menu lie.
bool saveWithMenu(TForm1 &form, QMenu &menu, const QString &name)
{
    form.menuBar()->setActiveAction(menu.menuAction());
    if (!QTest::qWaitForWindowExposed(&menu))
        return false;
    QTest::qWait(200);
    const bool saved = saveArea(form.frameGeometry().united(menu.geometry()), name);
    menu.hide();
    return saved;
}

// A clip merged with the window's settings by the bundled tool; returns the merged clip's path.
QString mergedClip(const TForm1 &form, const TemporaryAppFolder &appFolder)
{
    const QString source = appFolder.filePath(QStringLiteral("trailer.rm"));
    writeRealMediaClip(source, 3000);
    const JobSettings settings = form.jobSettings();
    WriteEvents(appFolder.path(), settings);
    WriteMap(appFolder.path(), settings);
    runMergeTool(appFolder.path(), {"-i", source, "-o", appFolder.filePath(QStringLiteral("Done_trailer.rm")), "-e",
                                    "events.txt", "-m", "maps.txt", "-l", "result.txt"});
    return source;
}

// A batch of the bundled tool over a good clip, a file that is not RealMedia and a clip cut short.
bool mergeExampleBatch(TForm1 &form, const QTemporaryDir &clips)
{
    const QString good = clips.filePath(QStringLiteral("trailer1.rmvb"));
    const QString notes = clips.filePath(QStringLiteral("trailer2.rmvb"));
    const QString cut = clips.filePath(QStringLiteral("trailer3.rmvb"));
    writeRealMediaClip(good, 300000);
    QFile notesFile(notes);
    if (!notesFile.open(QIODevice::WriteOnly) || notesFile.write("Notes for the trailer.\n") < 0)
        return false;
    notesFile.close();
    writeRealMediaClip(cut, 300000);
    if (!QFile(cut).resize(150000))
        return false;
    form.actClearItemsExecute();
    for (const QString &clip : {good, notes, cut})
        form.AddClip(clip);
    RecordingPrompts prompts;
    form.actStartExecute();
    while (form.runner().isRunning())
        QTest::qWait(50);
    return true;
}

// The tooltip of the row, shown where the pointer rests, with the window beneath it.
bool saveRowToolTip(TForm1 &form, int row, const QString &name)
{
    ListView *list = form.lvFiles;
    const QPoint position = list->visualItemRect(list->topLevelItem(row)).center();
    QHelpEvent help(QEvent::ToolTip, position, list->viewport()->mapToGlobal(position));
    QApplication::sendEvent(list->viewport(), &help);
    QWidget *tip = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = widget;
    if (!tip || !QTest::qWaitForWindowExposed(tip))
        return false;
    QTest::qWait(200);
    return saveArea(form.frameGeometry().united(tip->geometry()), name);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    outputFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outputFolder);
    TemporaryAppFolder appFolder;
    TForm1 form;
    fillExampleRows(form);
    bool ok = true;
    const char *tabNames[] = {"main-time-events", "main-click-events", "main-clip-information"};
    for (int tab = 0; tab < form.RzPageControl1->count(); ++tab) {
        form.RzPageControl1->setCurrentIndex(tab);
        ok = save(form, QString::fromLatin1(tabNames[tab])) && ok;
    }
    form.RzPageControl1->setCurrentIndex(0);
    ok = saveWithMenu(form, *qobject_cast<QMenu *>(form.profileCommands().OpenProfile1->parent()), QStringLiteral("file-menu")) && ok;

    int mode = TFrmevent::AddMode;
    TFrmevent eventDialog(form.lvEvents, mode, &form);
    ok = save(eventDialog, QStringLiteral("event-dialog")) && ok;
    eventDialog.hide();
    form.lvFiles->selectRow(0);
    TFrmedtfile fileDialog(form.lvFiles, &form);
    ok = save(fileDialog, QStringLiteral("edit-file-dialog")) && ok;
    fileDialog.hide();
    OutputRuleDialog outputDialog({QStringLiteral("/home/ann/merged"), QStringLiteral("Done_"), true}, QString(), &form);
    ok = save(outputDialog, QStringLiteral("output-folder-dialog")) && ok;
    outputDialog.hide();
    form.clipInformation->setClipInformation({{true, QStringLiteral("Summer Trailer")},
                                              {true, QStringLiteral("(C) 2026 Ann Example")},
                                              {true, QStringLiteral("Ann Example")},
                                              {true, QStringLiteral("trailer, summer")},
                                              {false, QString()}});
    form.clickEvents->setClickEvent(true, {0, 2, 30, QStringLiteral("http://www.example.com/tickets"),
                                           QStringLiteral("Get your tickets")});
    appFolder.installMergeTool();
    const QString source = mergedClip(form, appFolder);
    ClipContentsWindow contents(source, appFolder.filePath(QStringLiteral("Done_trailer.rm")), &form);
    ok = save(contents, QStringLiteral("clip-contents")) && ok;
    contents.hide();
    TAboutForm about(&form);
    ok = save(about, QStringLiteral("about-box")) && ok;
    about.hide();

    // Clip values: two clips with texts of their own, one without the click event, the rest the
    // batch's in grey.
    form.clipValuesCommands().model().setOwnColumns({QStringLiteral("City")});
    ClipValues ownTitle;
    ownTitle.setItem(ClipItem::Title, QStringLiteral("{name}: Director's Cut"));
    ownTitle.cells.insert(QStringLiteral("City"), QStringLiteral("Oslo"));
    form.fileList().setClipValues(1, ownTitle);
    ClipValues noClick;
    noClick.setItem(ClipItem::ShowText, ClipValues::off);
    noClick.setItem(ClipItem::Author, QStringLiteral("Ben in {City}"));
    noClick.cells.insert(QStringLiteral("City"), QStringLiteral("Bergen"));
    form.fileList().setClipValues(2, noClick);
    form.clipValuesCommands().actClipValuesExecute();
    ok = save(*form.clipValuesCommands().clipValuesWindow(), QStringLiteral("clip-values")) && ok;
    form.clipValuesCommands().clipValuesWindow()->hide();

    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ok = save(*box, QStringLiteral("message-box")) && ok;
            box->accept();
        } else {
            ok = false;
        }
    });
    DesktopPrompts().showMessage(&form, QStringLiteral("Notice"), QStringLiteral("Processing finish!"),
                                 UserPrompts::Icon::Warning);

    QTemporaryDir clips;
    ok = mergeExampleBatch(form, clips) && ok;
    form.activateWindow();
    ok = QTest::qWaitForWindowActive(&form) && ok;
    ok = saveRowToolTip(form, 1, QStringLiteral("failed-row-tooltip")) && ok;
    form.batchCommands().actShowLogExecute();
    ok = save(*form.batchCommands().batchLogWindow(), QStringLiteral("batch-log")) && ok;
    return ok ? 0 : 1;
}
