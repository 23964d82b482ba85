#pragma once

#include "jobs/MessageError.h"

// A values table was refused; the message names the file, the line (or both lines) and the fault.
class ValuesTableError : public MessageError
{
public:
    using MessageError::MessageError;
};
