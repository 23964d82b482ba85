#include "tst_langsupport.h"

#include "TestSupport.h"
#include "platform/CodePage.h"

#include <QRegularExpression>

TTestForm::TTestForm(Kind kind) : m_kind(kind)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Clipvane 1.50"));
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPointSize(9);
    setFont(formFont);
}

QString TestControl::caption() const
{
    ++captionReads;
    return m_caption;
}

void TestControl::setCaption(const QString &caption)
{
    m_caption = caption;
    if (whenCaptionSet)
        whenCaptionSet();
}

QStringList fileLines(const QString &path)
{
    QStringList lines = CodePage::system().decode(readFile(path)).split(QRegularExpression(QStringLiteral("\r?\n")));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
