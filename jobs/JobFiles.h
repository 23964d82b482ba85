#pragma once

#include <QString>

// The fixed names, in the working folder, of what a job shares with the merge tool, and of the
// batch log.
namespace JobFiles {
inline const QString eventScript = QStringLiteral("events.txt");
inline const QString mapScript = QStringLiteral("maps.txt");
inline const QString log = QStringLiteral("result.txt");
inline const QString folderLock = QStringLiteral("clipvane.lock");
inline const QString batchLog = QStringLiteral("batch.log");
inline const QString toolBaseName = QStringLiteral("rmevents");
inline const QString endMark = QStringLiteral("***");
} // namespace JobFiles
