#pragma once

#include <QDir>
#include <QString>
#include <stdexcept>

// The language file refused a write. Its message, "Unable to write to <path>", is the one error
// that can end the program at start.
class IniFileWriteError : public std::runtime_error
{
public:
    explicit IniFileWriteError(const QString &path)
        : std::runtime_error(text(path).toStdString()), m_path(path) {}

    QString path() const { return m_path; }
    QString message() const { return text(m_path); }

private:
    static QString text(const QString &path)
    {
        return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
    }

    QString m_path;
};
