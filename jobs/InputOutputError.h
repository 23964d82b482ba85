#pragma once

#include "jobs/MessageError.h"

// A file could not be created, written or closed; the message carries the system's error text.
class InputOutputError : public MessageError
{
public:
    using MessageError::MessageError;
};
