#pragma once

#include <QString>
#include <stdexcept>

// A clip could not be read: the merge tool refused it, is missing, failed or said something
// unexpected. The message says why in one line.
class ClipReadError : public std::runtime_error
{
public:
    explicit ClipReadError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
