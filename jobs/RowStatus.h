#pragma once

#include <QString>

// The status texts of a file-list row.
namespace RowStatus {
inline const QString toBeProcessed = QStringLiteral("To be processed");
inline const QString processing = QStringLiteral("Processing...");
inline const QString success = QStringLiteral("Success");
inline const QString failure = QStringLiteral("Failure");
} // namespace RowStatus
