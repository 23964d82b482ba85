#pragma once

#include "jobs/MessageError.h"

// A profile was refused or could not be read; the message names the file, the key (or the line
// and column) and what is wrong.
class ProfileError : public MessageError
{
public:
    using MessageError::MessageError;
};
