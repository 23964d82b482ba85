// Times listing a tree of 10,000 clips in 100 folders (with as many other files beside them):
// the search alone, and Add Folder into the main window's file list.
#include "app/MainWindow.h"
#include "jobs/AppFolder.h"
#include "jobs/ClipSearch.h"
#include "widgets/ListView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir tree;
    for (int folder = 0; folder < 100; ++folder) {
        const QString path = tree.filePath(QStringLiteral("show%1/season%2").arg(folder / 10).arg(folder % 10));
        QDir().mkpath(path);
        for (int clip = 0; clip < 100; ++clip) {
            touch(path + QStringLiteral("/episode%1.rm").arg(clip));
            touch(path + QStringLiteral("/episode%1.txt").arg(clip));
        }
    }

    QElapsedTimer timer;
    timer.start();
    const qsizetype found = clipsBelow(tree.path()).size();
    const double searchMs = timer.nsecsElapsed() / 1e6;

    QTemporaryDir appFolder;
    redirectAppFolder(appFolder.path());
    TForm1 form;
    timer.restart();
    const int listed = form.AddFolder(tree.path());
    const double addMs = timer.nsecsElapsed() / 1e6;
    std::printf("search: %lld clips in %.1f ms\n", static_cast<long long>(found), searchMs);
    std::printf("Add Folder into the window: %d rows in %.1f ms\n", listed, addMs);
    return found == 10000 && listed == 10000 ? 0 : 1;
}
