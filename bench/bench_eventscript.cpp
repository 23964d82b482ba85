// Times the event script for 10,000 time events and a 10 KB description, built, encoded and
// written to a file, as one job does it.
#include "jobs/ScriptFile.h"
#include "jobs/ScriptWriters.h"
#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const char *targets[] = {"Media Browser", "External Browser", "Related Info Pane"};
    QList<TimeEventRow> rows;
    for (int i = 0; i < 10000; ++i) {
        const QString start = QStringLiteral("%1:%2:%3.0").arg(i / 3600 % 60, 2, 10, QLatin1Char('0'))
                                  .arg(i / 60 % 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
        rows.append({start, start, QString::fromLatin1(targets[i % 3]),
                     QStringLiteral("http://www.example.com/promotions/clip%1.html").arg(i)});
    }
    ClipInformation information;
    information.title = {true, QStringLiteral("A title")};
    QString description;
    while (description.size() < 10 * 1024)
        description += QStringLiteral("A line of the description, wrapped by the user.\n");
    information.description = {true, description};

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("events.txt"));
    const CodePage codePage = CodePage::system();
    qint64 best = std::numeric_limits<qint64>::max();
    qint64 bytes = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray script = codePage.encode(eventScript(rows, information));
        writeScriptFile(path, script);
        best = std::min(best, timer.nsecsElapsed());
        bytes = script.size();
    }
    std::printf("event script: 10,000 rows + %lld-character description, %lld bytes: best of 5 %.2f ms\n",
                static_cast<long long>(description.size()), static_cast<long long>(bytes), best / 1e6);
    return 0;
}
