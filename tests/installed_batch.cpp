// Starts Clipvane the way its program does, from the program folder given first, with the clips
// that follow on its command line; then presses Start Merging and waits for the batch. Prints one
// line per listed row (source, tab, status) and then every message shown. The exit status is 0 when
// the batch finished, 2 when the start failed and 3 when the batch did not end in time.
#include "TestSupport.h"

#include "app/ClipvaneApplication.h"
#include "app/Startup.h"
#include "app/MainWindow.h"
#include "jobs/BatchRunner.h"
#include "widgets/ListView.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

namespace {

void printMessages(const RecordingPrompts &prompts)
{
    for (const QString &text : prompts.messageTexts())
        std::printf("message\t%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char *argv[])
{
    ClipvaneApplication application(argc, argv);
    RecordingPrompts prompts;
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 1;
    const std::unique_ptr<TForm1> form = createMainWindow(arguments.at(1), arguments.mid(2));
    if (!form) {
        printMessages(prompts);
        return 2;
    }
    form->show();
    form->actStartExecute();
    const QDeadlineTimer deadline(30000);
    QEventLoop waiting;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!form->runner().isRunning() || deadline.hasExpired())
            waiting.quit();
    });
    poll.start(100);
    waiting.exec();
    for (int row = 0; row < form->lvFiles->rowCount(); ++row)
        std::printf("%s\t%s\n", qPrintable(form->lvFiles->caption(row)), qPrintable(form->lvFiles->subItem(row, 1)));
    printMessages(prompts);
    return form->runner().isRunning() ? 3 : 0;
}
