// OneLineField: text fields whose text a script writes on one line.
#pragma once

class QLineEdit;

// Keeps the field's text on one line whichever way a text comes in (paste, drop, setText): each
// line break becomes a space. A QLineEdit keeps a pasted line break, unseen, in its text.
void keepOnOneLine(QLineEdit *field);
