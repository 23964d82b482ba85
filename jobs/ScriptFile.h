#pragma once

#include <QByteArray>
#include <QString>

// Creates or overwrites the file with these bytes. Throws InputOutputError, carrying the system's
// error text, when the file can't be created, written or closed; the file is released first.
void writeScriptFile(const QString &path, const QByteArray &bytes);
