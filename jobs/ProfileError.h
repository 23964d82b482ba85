#pragma once

#include <QString>
#include <stdexcept>

// A profile was refused or could not be read; the message names the file, the key (or the line
// and column) and what is wrong.
class ProfileError : public std::runtime_error
{
public:
    explicit ProfileError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
