// Start-up of Clipvane's window against a bare Qt window of the same size and shape, offscreen.
// Each start is a fresh process, timed from its launch to its idle shown window (as a user waits
// for it), and the kinds alternate so that all see the same machine; each figure is the median of
// the runs, with the part from main to the idle window beside it.
#include "app/MainWindow.h"
#include "jobs/AppFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const QSize windowSize(748, 547);

// One start in this process; prints its milliseconds.
int timeOneStart(int argc, char *argv[], bool bare, const char *folder)
{
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->setMenuBar(new QMenuBar);
        window->menuBar()->addMenu(QStringLiteral("File"));
        window->setCentralWidget(new QWidget);
        window->resize(windowSize);
    } else {
        redirectAppFolder(QString::fromLocal8Bit(folder));
        window = std::make_unique<TForm1>();
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    QApplication::processEvents();
    std::printf("%.3f\n", clock.nsecsElapsed() / 1e6);
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 3 && std::strcmp(argv[1], "--one") == 0)
        return timeOneStart(argc, argv, std::strcmp(argv[2], "bare") == 0, argc > 3 ? argv[3] : "");

    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const int runs = 21;
    std::vector<double> bare, clipvane, clipvaneFirst;
    std::vector<double> bareMain, clipvaneMain, clipvaneFirstMain;
    // The child prints when its window is idle, then ends; the launch is timed to that line.
    auto start = [&](const QStringList &arguments, std::vector<double> &inMain) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--one")} + arguments);
        process.waitForReadyRead();
        const double elapsed = clock.nsecsElapsed() / 1e6;
        process.waitForFinished();
        inMain.push_back(process.readAllStandardOutput().trimmed().toDouble());
        return elapsed;
    };
    for (int run = 0; run < runs; ++run) {
        QFile::remove(folder.filePath(QStringLiteral("DefLang.ini")));
        clipvaneFirst.push_back(start({QStringLiteral("clipvane"), folder.path()}, clipvaneFirstMain));
        bare.push_back(start({QStringLiteral("bare")}, bareMain));
        clipvane.push_back(start({QStringLiteral("clipvane"), folder.path()}, clipvaneMain));
    }
    const double bareMs = median(bare);
    std::printf("bare Qt window:                   %6.1f ms             (main to idle %5.1f ms)\n", bareMs,
                median(bareMain));
    std::printf("Clipvane, language file in place: %6.1f ms, %.2fx bare (main to idle %5.1f ms)\n", median(clipvane),
                median(clipvane) / bareMs, median(clipvaneMain));
    std::printf("Clipvane, language file written:  %6.1f ms, %.2fx bare (main to idle %5.1f ms)\n",
                median(clipvaneFirst), median(clipvaneFirst) / bareMs, median(clipvaneFirstMain));
    return 0;
}
