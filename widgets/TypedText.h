#pragma once

#include <QString>

class QPlainTextEdit;

// The text of a multi-line field exactly as typed, lines ended by "\n". Unlike toPlainText() it
// keeps non-breaking spaces, which that read turns into plain spaces.
QString typedText(const QPlainTextEdit &field);
