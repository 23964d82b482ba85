// Times the Clip Values window opening over 10,000 listed clips with their values, and the import
// of a 10,000-row values table into the window.
#include "TestSupport.h"

#include "app/ClipValuesCommands.h"
#include "app/MainWindow.h"
#include "dialogs/ClipValuesWindow.h"
#include "widgets/ListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdio>

namespace {

const int clipCount = 10000;

double secondsSince(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TemporaryAppFolder appFolder;
    RecordingPrompts prompts;
    TForm1 form;
    QByteArray table = "SourceFile,Title,Place\r\n*,{name} in {Place},\r\n";
    form.lvFiles->setUpdatesEnabled(false);
    for (int clip = 0; clip < clipCount; ++clip) {
        const QString name = QStringLiteral("clip%1.rm").arg(clip, 5, 10, QLatin1Char('0'));
        form.AddClip(appFolder.filePath(name));
        table += name.toUtf8() + (clip % 3 == 0 ? ",Own title {index}," : ",,") + "City " + QByteArray::number(clip)
                 + "\r\n";
    }
    form.lvFiles->setUpdatesEnabled(true);
    const QString tablePath = appFolder.filePath(QStringLiteral("values.csv"));
    writeFile(tablePath, table);

    QElapsedTimer clock;
    clock.start();
    if (!form.clipValuesCommands().importValues(tablePath))
        return 1;
    const double imported = secondsSince(clock);

    clock.restart();
    form.clipValuesCommands().actClipValuesExecute();
    ClipValuesWindow *window = form.clipValuesCommands().clipValuesWindow();
    if (!QTest::qWaitForWindowExposed(window))
        return 1;
    window->repaint();
    const double opened = secondsSince(clock);

    clock.restart();
    window->table->verticalScrollBar()->setValue(window->table->verticalScrollBar()->maximum());
    window->repaint();
    const double scrolled = secondsSince(clock);

    std::printf("%d clips: values table imported in %.3f s; Clip Values window opened and painted in %.3f s; "
                "scrolled to the last row and painted in %.3f s\n",
                clipCount, imported, opened, scrolled);
    return 0;
}
