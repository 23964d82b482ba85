#include "widgets/TypedText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString typedText(const QPlainTextEdit &field)
{
    QString text = field.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}
