// Times the clip list's undo steps on 10,000 rows: Clear Items, its undo and redo, and a drop of
// as many files taken back and made again.
#include "app/MainWindow.h"
#include "app/UndoCommands.h"
#include "jobs/AppFolder.h"
#include "widgets/ListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>
#include <functional>

namespace {

const int rows = 10000;

double timed(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir appFolder;
    redirectAppFolder(appFolder.path());
    TForm1 form;
    UndoCommands &undo = form.undoCommands();
    QList<QUrl> dropped;
    for (int row = 0; row < rows; ++row)
        dropped.append(QUrl::fromLocalFile(QStringLiteral("/clips/show%1/episode%2.rm").arg(row / 100).arg(row % 100)));

    bool listed = true;
    const double drop = timed([&] { form.WMDropFiles(dropped); });
    listed = listed && form.lvFiles->rowCount() == rows;
    const double clear = timed([&] { form.actClearItemsExecute(); });
    listed = listed && form.lvFiles->rowCount() == 0;
    const double undoClear = timed([&] { undo.actUndoExecute(); });
    listed = listed && form.lvFiles->rowCount() == rows;
    const double redoClear = timed([&] { undo.actRedoExecute(); });
    listed = listed && form.lvFiles->rowCount() == 0;
    undo.actUndoExecute();
    const double undoDrop = timed([&] { undo.actUndoExecute(); });
    listed = listed && form.lvFiles->rowCount() == 0;
    const double redoDrop = timed([&] { undo.actRedoExecute(); });
    listed = listed && form.lvFiles->rowCount() == rows;

    std::printf("%d rows: drop %.1f ms, Clear Items %.1f ms\n", rows, drop, clear);
    std::printf("Undo Clear Items %.1f ms, Redo Clear Items %.1f ms\n", undoClear, redoClear);
    std::printf("Undo Drop Files %.1f ms, Redo Drop Files %.1f ms\n", undoDrop, redoDrop);
    return listed ? 0 : 1;
}
