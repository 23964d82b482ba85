#pragma once

#include <QString>

class ClipList;

// Why a row's output may not be written, or empty: no merge may write over a clip of the batch,
// so an output that is the source of any row, or the output of a row before it made from another
// source, is refused.
QString outputClash(const ClipList &clips, int row);
