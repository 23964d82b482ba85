#pragma once

#include <QString>
#include <stdexcept>

// An error whose message is meant for a person, kept as Qt text so that no character is lost on
// the way to a message box or a log.
class MessageError : public std::runtime_error
{
public:
    explicit MessageError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
