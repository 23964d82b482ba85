// Times a values table of 10,000 rows read and matched to 10,000 clips, and clipvane-batch
// --dry-run over 10,000 clips with that table, each the best of three runs.
#include "BestOfThree.h"
#include "jobs/Profile.h"
#include "jobs/ValuesTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const int clipCount = 10000;

bool dryRun(const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(CLIPVANE_BATCH_PATH), arguments);
    return process.waitForFinished(600000) && process.exitCode() == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString clips = folder.filePath(QStringLiteral("clips"));
    QDir().mkpath(clips);
    QStringList clipPaths;
    QByteArray table = "\xEF\xBB\xBFSourceFile,Title,Description,PopUpUrl,City,Note\r\n*,,,,Oslo,\r\n";
    for (int i = 0; i < clipCount; ++i) {
        const QString name = QStringLiteral("clip%1.rm").arg(i, 5, 10, QLatin1Char('0'));
        clipPaths << clips + QLatin1Char('/') + name;
        QFile(clipPaths.last()).open(QIODevice::WriteOnly);
        table += QStringLiteral("clips/%1,\"Episode {index}, \"\"%2\"\"\",\"Line one\r\nLine two\",http://maps.example/{City},"
                                "Town %2,Note %2\r\n")
                     .arg(name)
                     .arg(i)
                     .toUtf8();
    }
    const QString tablePath = folder.filePath(QStringLiteral("values.csv"));
    QFile tableFile(tablePath);
    tableFile.open(QIODevice::WriteOnly);
    tableFile.write(table);
    tableFile.close();

    Profile profile = Profile::startUp();
    profile.settings.timeEvents = {{"00:00:01.0", "00:00:01.5", "External Browser", "http://example.com/{name}?d={date}"},
                                   {"00:00:01.2", "00:00:01.8", "Media Browser", "http://example.com/{folder}/{Note}"}};
    profile.settings.clipInformation.title = {true, QStringLiteral("Benchmark {name}")};
    profile.settings.clipInformation.author = {true, QStringLiteral("{City}")};
    const QString profilePath = folder.filePath(QStringLiteral("profile.json"));
    writeProfileFile(profilePath, profile);

    int matched = 0;
    const double readAndMatch = bestOfThree([&] {
        const ValuesMatch match = matchValuesTable(readValuesTableFile(tablePath), clipPaths);
        matched = match.matchedRows;
        return match.unmatchedRows.isEmpty() && match.clipsWithoutRow.isEmpty();
    });
    const QStringList common{"--profile", profilePath, "--values", tablePath, "--dry-run", clips};
    const double text = bestOfThree([&] { return dryRun(common); });
    const double json = bestOfThree([&] { return dryRun(QStringList{"--json"} + common); });
    std::printf("values table of %d rows (%lld bytes) read and matched to %d clips: %.3f s (%d matched)\n", clipCount,
                qint64(table.size()), clipCount, readAndMatch, matched);
    std::printf("clipvane-batch --dry-run over %d clips with that table: %.3f s; with --json: %.3f s\n", clipCount, text,
                json);
    return 0;
}
