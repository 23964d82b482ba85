// Figures of the main window and the batch runner, offscreen: start-up to an idle shown window
// with the process's peak memory, adding 10,000 dropped clips, and the per-clip overhead of a
// 20-clip batch run with the bundled merge tool and the real 500 ms poll.
#include "tests/RealMediaFixture.h"
#include "app/MainWindow.h"
#include "jobs/BatchRunner.h"
#include "jobs/AppFolder.h"
#include "platform/UserPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cstdio>
#include <sys/resource.h>

namespace {

class SilentPrompts : public UserPrompts
{
public:
    void showMessage(QWidget *, const QString &, const QString &, Icon) override {}
    Answer askYesNoCancel(QWidget *, const QString &, const QString &) override { return Answer::No; }
    QString chooseFileToOpen(QWidget *, const QString &, const QString &) override { return {}; }
    QString chooseFileToSave(QWidget *, const QString &, const QString &) override { return {}; }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    bool openUrl(const QString &) override { return true; }
};

long peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer startUp;
    startUp.start();
    QApplication application(argc, argv);
    SilentPrompts prompts;
    UserPrompts::install(&prompts);
    QTemporaryDir folder;
    redirectAppFolder(folder.path());
    auto *form = new TForm1;
    form->show();
    if (!QTest::qWaitForWindowExposed(form))
        return 1;
    QApplication::processEvents();
    std::printf("start-up to an idle shown window: %.1f ms, peak memory %.1f MB\n", startUp.nsecsElapsed() / 1e6,
                peakMemoryKilobytes() / 1024.0);

    QList<QUrl> urls;
    for (int i = 0; i < 10000; ++i)
        urls.append(QUrl::fromLocalFile(QStringLiteral("/media/clips/promotion %1.rmvb").arg(i)));
    QElapsedTimer adding;
    adding.start();
    form->WMDropFiles(urls);
    QApplication::processEvents();
    std::printf("adding 10,000 dropped clips: %.1f ms\n", adding.nsecsElapsed() / 1e6);
    delete form;

    QFile::copy(QStringLiteral(RMEVENTS_PATH), folder.filePath(QStringLiteral("rmevents")));
    TForm1 batchForm;
    const int clips = 20;
    for (int i = 0; i < clips; ++i) {
        const QString path = folder.filePath(QStringLiteral("clip%1.rm").arg(i));
        // Sizes differ, so that no job's first poll is mistaken for a finished one.
        writeRealMediaClip(path, 64 * 1024 + i * 16 * 1024);
        batchForm.AddClip(path);
    }
    QElapsedTimer batch;
    batch.start();
    batchForm.actStartExecute();
    while (batchForm.runner().isRunning())
        QTest::qWait(10);
    const double seconds = batch.nsecsElapsed() / 1e9;
    std::printf("20-clip batch with the bundled tool: %.2f s, %.3f s per clip\n", seconds, seconds / clips);
    return 0;
}
