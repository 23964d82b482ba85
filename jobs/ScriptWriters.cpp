#include "jobs/ScriptWriters.h"

#include "jobs/BrowserTargets.h"
#include "jobs/OneLineText.h"

#include <QStringList>

namespace {

const QString lineEnd = QStringLiteral("\r\n");

// Every line of the field (split at CR LF, CR or LF) preceded by one space; a line break at the
// very end opens no line.
QString joinedDescription(const QString &fieldText)
{
    QString text = fieldText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')) || text.isEmpty())
        lines.removeLast();
    QString joined;
    for (const QString &line : lines)
        joined += QLatin1Char(' ') + line;
    return joined;
}

void appendInformationLine(QString &script, QChar letter, const ClipInfoItem &item, const QString &text)
{
    if (item.checked && !item.text.isEmpty())
        script += QString(letter) + QLatin1String(" 00:00:00.0 00:00:10.0 ") + oneLineText(text) + lineEnd;
}

QString durationText(const ClickMap &map)
{
    return QStringLiteral("0:%1:%2:%3:0").arg(map.hours).arg(map.minutes).arg(map.seconds);
}

} // namespace

QString targetMarker(const QString &target)
{
    if (target == BrowserTargets::externalBrowser)
        return QStringLiteral("&&_rpexternal&&");
    if (target == BrowserTargets::mediaBrowser)
        return QStringLiteral("&&_rpbrowser&&");
    return QStringLiteral("&&_rpcontextwin&&");
}

QString descriptionFieldText(const QString &scriptDescription)
{
    if (!scriptDescription.startsWith(QLatin1Char(' ')))
        return scriptDescription;
    const QString line = scriptDescription.mid(1);
    // A field of one empty line is the only one written as a lone blank.
    return line.isEmpty() ? QStringLiteral("\n") : line;
}

// A line break that reaches a writer from any field is written as a space: inside its line it
// would end the line, and whatever followed would be read as a line of its own.
QString eventScript(const QList<TimeEventRow> &rows, const ClipInformation &information)
{
    QString script;
    for (const TimeEventRow &row : rows) {
        const QString marker = targetMarker(row.target);
        script += QLatin1String("u ") + oneLineText(row.start) + QLatin1Char(' ') + oneLineText(row.end)
                  + QLatin1Char(' ') + marker + oneLineText(row.url);
        if (marker == targetMarker(BrowserTargets::relatedInfoPane))
            script += contextPaneSize;
        script += lineEnd;
    }
    appendInformationLine(script, QLatin1Char('i'), information.title, information.title.text);
    appendInformationLine(script, QLatin1Char('c'), information.copyright, information.copyright.text);
    appendInformationLine(script, QLatin1Char('a'), information.author, information.author.text);
    appendInformationLine(script, QLatin1Char('n'), information.keywords, information.keywords.text);
    appendInformationLine(script, QLatin1Char('q'), information.description,
                          joinedDescription(information.description.text));
    return script;
}

QString clickMapScript(const ClickMap &map)
{
    const QString duration = durationText(map);
    return QLatin1String("DURATION=") + duration + lineEnd
           + QLatin1String("<MAP START=0:0:0:0:0 END=") + duration
           + QLatin1String(" COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"")
           + oneLineText(map.popUpUrl) + QLatin1String("\" ALT=\"") + oneLineText(map.showText) + QLatin1String("\"></MAP>")
           + lineEnd;
}
