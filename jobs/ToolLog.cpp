#include "jobs/ToolLog.h"

#include "jobs/JobFiles.h"
#include "platform/CodePage.h"

#include <QRegularExpression>
#include <algorithm>

QStringList toolLogLines(const QByteArray &log)
{
    const qsizetype nul = log.indexOf('\0');
    const QString text = CodePage::system().decode(nul >= 0 ? log.left(nul) : log);
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        lines.removeLast();
    return lines;
}

namespace {

bool isEndMark(const QString &line)
{
    return line.contains(JobFiles::endMark);
}

} // namespace

bool hasEndMark(const QStringList &lines)
{
    return std::any_of(lines.begin(), lines.end(), isEndMark);
}

QStringList linesBeforeEndMark(const QStringList &lines)
{
    return QStringList(lines.begin(), std::find_if(lines.begin(), lines.end(), isEndMark));
}

QString toolFailureReason(const QStringList &lines)
{
    static const QString failed = QStringLiteral("Failed: ");
    QString last;
    for (const QString &line : lines) {
        if (line.startsWith(failed))
            return line.mid(failed.size());
        if (line.contains(JobFiles::endMark))
            break;
        if (!line.trimmed().isEmpty())
            last = line;
    }
    return last.isEmpty() ? QStringLiteral("the merge tool wrote no reason in its log") : last;
}
