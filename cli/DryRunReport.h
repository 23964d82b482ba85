// DryRunReport: what clipvane-batch --dry-run prints: the plan of each clip, nothing merged.
#pragma once

#include "cli/BatchRun.h"

#include <QList>
#include <QStringList>
#include <cstdio>

// Per clip "SOURCE -> OUTPUT" and, indented, each item it would get with its filled text, then a
// summary line; with json one "plan" object per clip and then the summary object.
void printDryRun(const QList<BatchClip> &clips, const QStringList &unmatchedRows, bool json, std::FILE *out);
