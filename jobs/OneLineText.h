// OneLineText: texts that a script writes on one line of its own.
#pragma once

#include <QString>

// Whether the text holds a line break (CR or LF), which would split its script line in two and
// let the rest pass for a line of its own.
bool holdsLineBreak(const QString &text);

// The text with each line break (CR LF, a lone CR or a lone LF) made one space: what a field
// that holds one line shows, and what a script line can carry.
QString oneLineText(const QString &text);
