#pragma once

#include <QString>

// The status texts of a file-list row.
namespace RowStatus {
inline const QString toBeProcessed = QStringLiteral("To be processed");
inline const QString processing = QStringLiteral("Processing...");
inline const QString success = QStringLiteral("Success");
inline const QString failure = QStringLiteral("Failure");
// Its output was up to date, and the batch was to pass over such clips.
inline const QString skipped = QStringLiteral("Skipped");
} // namespace RowStatus
