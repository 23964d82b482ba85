#pragma once

#include <QString>
#include <stdexcept>

// A file could not be created, written or closed; the message carries the system's error text.
class InputOutputError : public std::runtime_error
{
public:
    explicit InputOutputError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
