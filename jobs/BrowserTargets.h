#pragma once

#include <QString>
#include <QStringList>

// The stored names of a URL event's browser targets, in the event dialog's order.
namespace BrowserTargets {
inline const QString mediaBrowser = QStringLiteral("Media Browser");
inline const QString externalBrowser = QStringLiteral("External Browser");
inline const QString relatedInfoPane = QStringLiteral("Related Info Pane");
inline const QStringList all{mediaBrowser, externalBrowser, relatedInfoPane};
} // namespace BrowserTargets
