#pragma once

#include "jobs/MessageError.h"

// A clip could not be read: the merge tool refused it, is missing, failed or said something
// unexpected. The message says why in one line.
class ClipReadError : public MessageError
{
public:
    using MessageError::MessageError;
};
