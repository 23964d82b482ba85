#include "jobs/FailureReasons.h"

#include <QDir>

namespace FailureReasons {

QString outputWarning(const QString &reason, const QString &path)
{
    return reason + QLatin1Char('\n') + QDir::toNativeSeparators(path)
           + QLatin1String("\nChoose another output file with \"Edit Item\".");
}

QString reasonOfWarning(const QString &warning)
{
    return warning.section(QLatin1Char('\n'), 0, 1).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString reasonAbout(const QString &reason, const QString &path)
{
    return reasonOfWarning(outputWarning(reason, path));
}

} // namespace FailureReasons
