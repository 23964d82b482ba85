#pragma once

#include <QString>
#include <stdexcept>

// A translator was given an owner that is no form, data module or frame, or none at all.
class InvalidOwnerError : public std::invalid_argument
{
public:
    InvalidOwnerError() : std::invalid_argument(text) {}

    QString message() const { return QString::fromLatin1(text); }

private:
    static constexpr const char *text = "Owner must be a Form or a DataModule!";
};
