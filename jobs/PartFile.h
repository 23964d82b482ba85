// PartFile: the hidden file a merge is written to before it takes its output's name.
#pragma once

#include <QString>

// ".NAME.part" beside the output NAME: in the output's folder, so that putting it in place is a
// rename on one file system, and hidden, so that no one takes it for a clip.
QString partFilePath(const QString &outputPath);

// Gives the part file the output's name, replacing an older output in one step, so that the
// output's name never stands for half a clip. Returns why it failed, or an empty text.
QString putPartInPlace(const QString &partPath, const QString &outputPath);
