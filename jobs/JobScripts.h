#pragma once

#include "jobs/JobSettings.h"

#include <QString>

// The job's two scripts, written in the system's code page into the folder the tool reads them
// from. Both throw InputOutputError when the file can't be written.
void WriteEvents(const QString &folder, const JobSettings &settings);
void WriteMap(const QString &folder, const JobSettings &settings);
