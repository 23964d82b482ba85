#include "cli/DryRunReport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct PlannedItem
{
    const char *key;   // its key in a plan object
    const char *label; // its name on a plan's text line
    QString text;
};

// The items a clip gets, as the scripts would write them: clip information only when checked
// and not empty, the click event only when it is merged.
QList<PlannedItem> plannedItems(const JobSettings &settings)
{
    QList<PlannedItem> items;
    const ClipInformation &information = settings.clipInformation;
    const std::initializer_list<std::tuple<const char *, const char *, const ClipInfoItem *>> informationItems{
        {"title", "Title", &information.title},
        {"copyright", "Copyright", &information.copyright},
        {"author", "Author", &information.author},
        {"keywords", "Keywords", &information.keywords},
        {"description", "Description", &information.description}};
    for (const auto &[key, label, item] : informationItems) {
        if (item->checked && !item->text.isEmpty())
            items.append({key, label, item->text});
    }
    if (settings.withMap) {
        items.append({"showText", "Show text", settings.clickMap.showText});
        items.append({"popUpUrl", "Pop-up URL", settings.clickMap.popUpUrl});
    }
    return items;
}

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QJsonObject planObject(int index, const BatchClip &clip)
{
    QJsonObject plan{{QStringLiteral("event"), QStringLiteral("plan")},
                     {QStringLiteral("index"), index},
                     {QStringLiteral("source"), clip.source},
                     {QStringLiteral("output"), clip.output}};
    for (const PlannedItem &item : plannedItems(clip.settings))
        plan.insert(QLatin1String(item.key), item.text);
    QJsonArray events;
    for (const TimeEventRow &event : clip.settings.timeEvents) {
        events.append(QJsonObject{{QStringLiteral("start"), event.start},
                                  {QStringLiteral("end"), event.end},
                                  {QStringLiteral("target"), event.target},
                                  {QStringLiteral("url"), event.url}});
    }
    plan.insert(QStringLiteral("timeEvents"), events);
    return plan;
}

QString planText(const BatchClip &clip)
{
    QString text = QStringLiteral("%1 -> %2\n").arg(QDir::toNativeSeparators(clip.source), QDir::toNativeSeparators(clip.output));
    for (const PlannedItem &item : plannedItems(clip.settings))
        text += QStringLiteral("    %1: %2\n").arg(QLatin1String(item.label), oneLine(item.text));
    for (const TimeEventRow &event : clip.settings.timeEvents)
        text += QStringLiteral("    Time event %1-%2 %3: %4\n").arg(event.start, event.end, event.target, event.url);
    return text;
}

void print(std::FILE *out, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
}

} // namespace

void printDryRun(const QList<BatchClip> &clips, const QStringList &unmatchedRows, bool json, std::FILE *out)
{
    // One buffer for the whole plan: ten thousand clips print in one write, not line by line.
    QByteArray plan;
    for (qsizetype index = 0; index < clips.size(); ++index) {
        if (json)
            plan += QJsonDocument(planObject(int(index), clips[index])).toJson(QJsonDocument::Compact) + '\n';
        else
            plan += planText(clips[index]).toLocal8Bit();
    }
    if (json) {
        const QJsonObject summary{{QStringLiteral("event"), QStringLiteral("summary")},
                                  {QStringLiteral("planned"), int(clips.size())},
                                  {QStringLiteral("unmatchedRows"), QJsonArray::fromStringList(unmatchedRows)},
                                  {QStringLiteral("exitStatus"), 0}};
        plan += QJsonDocument(summary).toJson(QJsonDocument::Compact) + '\n';
    } else {
        const QString planned = clips.size() == 1 ? QStringLiteral("1 clip") : QStringLiteral("%1 clips").arg(clips.size());
        plan += (planned + QStringLiteral(" planned; nothing merged or written (--dry-run).\n")).toLocal8Bit();
    }
    print(out, plan);
    std::fflush(out);
}
