#include "cli/BatchValues.h"

#include "jobs/ClipValues.h"
#include "jobs/OutputRule.h"

#include <QDir>

RunValues readRunValues(const QString &tablePath, const QList<FoundClip> &sources)
{
    const ValuesTable table = readValuesTableFile(tablePath);
    QStringList clipPaths;
    clipPaths.reserve(sources.size());
    for (const FoundClip &clip : sources)
        clipPaths.append(clip.source);
    RunValues values{matchValuesTable(table, clipPaths), {}};
    const QString shownTable = QDir::toNativeSeparators(tablePath);
    if (table.readAsWindows1252)
        values.notes.append(QStringLiteral("the values table %1 is not UTF-8: read as Windows-1252").arg(shownTable));
    // A "*" row gives every clip its values, so no clip is left without.
    if (!table.defaults) {
        for (const int clip : std::as_const(values.match.clipsWithoutRow))
            values.notes.append(QStringLiteral("no row of the values table names %1").arg(QDir::toNativeSeparators(clipPaths[clip])));
    }
    return values;
}

QList<BatchClip> batchClips(const Profile &profile, const QList<FoundClip> &sources, const ValuesMatch &values,
                            const QDate &batchDate)
{
    QList<BatchClip> clips;
    clips.reserve(sources.size());
    for (qsizetype index = 0; index < sources.size(); ++index) {
        const FoundClip &clip = sources[index];
        const ClipValues own = index < values.clips.size() ? values.clips[index] : ClipValues();
        clips.append({clip.source, ruleOutputPath(profile.output, clip.source, clip.addedFolder),
                      clipJobSettings(profile.settings, own, {clip.source, int(index) + 1, batchDate})});
    }
    return clips;
}
