#include "jobs/ClipReader.h"

#include "jobs/AppFolder.h"
#include "jobs/ClipReadError.h"
#include "jobs/MergeTool.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// The tool reads a clip to its end; a minute covers clips of gigabytes on a slow disk.
const int listingTimeoutMilliseconds = 60000;

// The tool's JSON listing of the clip. An argument list and no shell, so no path can inject
// arguments; the clip's full path, so the tool's working folder does not matter.
QByteArray clipListingJson(const QString &clipPath)
{
    const QString tool = MergeTool::toolPath(programFolder());
    if (!QFileInfo(tool).isFile())
        throw ClipReadError(QStringLiteral("the merge tool \"%1\" is missing").arg(QDir::toNativeSeparators(tool)));
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(tool, {QStringLiteral("--list"), QStringLiteral("--json"), QFileInfo(clipPath).absoluteFilePath()});
    if (!process.waitForStarted())
        throw ClipReadError(QStringLiteral("the merge tool could not be started: %1").arg(process.errorString()));
    if (!process.waitForFinished(listingTimeoutMilliseconds)) {
        process.kill();
        process.waitForFinished();
        throw ClipReadError(QStringLiteral("the merge tool took longer than a minute to read it"));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString reason = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        throw ClipReadError(reason.isEmpty() ? QStringLiteral("the merge tool failed without saying why") : reason);
    }
    return process.readAllStandardOutput();
}

} // namespace

ClipContents readClipContents(const QString &clipPath)
{
    return parseClipListing(clipListingJson(clipPath), CodePage::system());
}
