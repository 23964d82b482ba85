// Times 200 small clips through clipvane-batch -j 1 against a plain shell loop of the bundled
// tool on the same scripts, and -j 2 against -j 1, each the best of three runs, and prints the
// ratios: what the command adds to the tool's own work, and what a second core gives.
#include "BestOfThree.h"
#include "RealMediaFixture.h"

#include "jobs/JobScripts.h"
#include "jobs/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const int clipCount = 200;

bool execute(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitCode() == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString clips = folder.filePath(QStringLiteral("clips"));
    QDir().mkpath(clips);
    for (int i = 0; i < clipCount; ++i)
        writeRealMediaClip(clips + QStringLiteral("/clip%1.rm").arg(i, 3, 10, QLatin1Char('0')), 40000);

    Profile profile = Profile::startUp();
    profile.settings.timeEvents = {{"00:00:01.0", "00:00:01.5", "External Browser", "http://example.com/a"},
                                   {"00:00:01.2", "00:00:01.8", "Media Browser", "http://example.com/b"}};
    profile.settings.clipInformation.title = {true, QStringLiteral("Benchmark")};
    const QString profilePath = folder.filePath(QStringLiteral("profile.json"));
    writeProfileFile(profilePath, profile);
    const QString scripts = folder.filePath(QStringLiteral("scripts/"));
    QDir().mkpath(scripts);
    WriteEvents(scripts, profile.settings);
    WriteMap(scripts, profile.settings);

    const QString loop = QStringLiteral(
        "for clip in \"$1\"/*.rm; do \"$0\" -i \"$clip\" -o \"$2/Done_${clip##*/}\" -e events.txt -m maps.txt "
        "-l result.txt || exit 1; done");
    const double tool = bestOfThree([&] {
        QDir(folder.filePath(QStringLiteral("loop"))).removeRecursively();
        QDir().mkpath(folder.filePath(QStringLiteral("loop")));
        return execute(QStringLiteral("sh"), {"-c", loop, QStringLiteral(RMEVENTS_PATH), clips, folder.filePath("loop")},
                       scripts);
    });
    auto command = [&](const char *jobs) {
        return bestOfThree([&] {
            QDir(folder.filePath(QStringLiteral("out"))).removeRecursively();
            return execute(QStringLiteral(CLIPVANE_BATCH_PATH),
                           {"-q", "-j", QLatin1String(jobs), "--profile", profilePath, "-o", folder.filePath("out"), clips},
                           folder.path());
        });
    };
    const double oneJob = command("1");
    const double twoJobs = command("2");
    std::printf("%d clips of 40 KB, best of three runs:\n", clipCount);
    std::printf("  shell loop of the tool      %.3f s\n", tool);
    std::printf("  clipvane-batch -j 1         %.3f s   ratio to the loop %.2f (aim: at most 1.2)\n", oneJob,
                oneJob / tool);
    std::printf("  clipvane-batch -j 2         %.3f s   ratio to -j 1     %.2f (aim: at most 0.65)\n", twoJobs,
                twoJobs / oneJob);
    return 0;
}
