#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's contents with these bytes through a new file renamed over the old one, so that
// a crash or a full disk leaves the old file whole. Returns why it failed, or an empty text.
QString replaceFile(const QString &path, const QByteArray &bytes);
