#include "jobs/SettingsFromClip.h"

#include "jobs/BrowserTargets.h"
#include "jobs/OneLineText.h"
#include "jobs/ScriptTimes.h"

#include <algorithm>
#include <optional>

namespace {

// The longest a time event and the click event can last, in the hours their fields hold.
const int eventHoursLimit = 60;
const int clickHoursLimit = 24;

// The target a URL event with no marker of Clipvane's is given: the one the event dialog
// offers first.
const QString unmarkedTarget = BrowserTargets::externalBrowser;

// Another writer may have put line breaks into a text that Clipvane's scripts carry on one line:
// they become spaces, and the person is told which texts changed.
QString oneLine(const QString &text, const QString &name, ClipSettings &loaded)
{
    if (!holdsLineBreak(text))
        return text;
    loaded.madeOneLine << name;
    return oneLineText(text);
}

// The target whose marker begins the event's text, if any.
std::optional<QString> markedTarget(const QString &text)
{
    for (const QString &target : BrowserTargets::all) {
        if (text.startsWith(targetMarker(target)))
            return target;
    }
    return std::nullopt;
}

QString urlName(const QString &start)
{
    return QStringLiteral("the URL of the time event at %1").arg(start);
}

void readTimeEvents(const ClipContents &contents, ClipSettings &loaded)
{
    for (const ClipContents::Event &event : contents.events) {
        if (event.type != QLatin1String("URL"))
            continue;
        const std::optional<QString> start = eventTimeText(event.startTenths, eventHoursLimit);
        const std::optional<QString> end = eventTimeText(event.endTenths, eventHoursLimit);
        if (!start || !end) {
            loaded.leftOut << QStringLiteral("the URL event \"%1\": it lasts past %2 hours").arg(event.text).arg(eventHoursLimit);
            continue;
        }
        const std::optional<QString> target = markedTarget(event.text);
        if (!target) {
            loaded.leftOut << QStringLiteral("the target of the URL event \"%1\": it names none, so it is given %2")
                                  .arg(event.text, unmarkedTarget);
            loaded.settings.timeEvents.append(
                {*start, *end, unmarkedTarget, oneLine(event.text, urlName(*start), loaded)});
            continue;
        }
        QString url = event.text.mid(targetMarker(*target).size());
        if (*target == BrowserTargets::relatedInfoPane && url.endsWith(contextPaneSize))
            url.chop(contextPaneSize.size());
        loaded.settings.timeEvents.append({*start, *end, *target, oneLine(url, urlName(*start), loaded)});
    }
}

QString contentText(const ClipContents &contents, const QString &field)
{
    for (const ClipContents::Information &information : contents.information) {
        if (information.field == field && !information.text.isEmpty())
            return information.text;
    }
    return QString();
}

QString fileInformationText(const ClipContents &contents, const QString &name)
{
    for (const ClipContents::Stream &stream : contents.streams) {
        for (const ClipContents::NamedText &information : stream.fileInformation) {
            if (information.name.compare(name, Qt::CaseInsensitive) == 0 && !information.text.isEmpty())
                return information.text;
        }
    }
    return QString();
}

ClipInfoItem clipInfoItem(const QString &text)
{
    return {!text.isEmpty(), text};
}

// Where the merge puts each item: title, author, copyright and the description (as the comment)
// in the content description, and the same but the comment in the logical-fileinfo stream, where
// keywords have their only place. Old RealAudio has the content description's four alone.
void readClipInformation(const ClipContents &contents, ClipSettings &loaded)
{
    auto text = [&contents](const char *field, const char *fileInformationName) {
        const QString content = field ? contentText(contents, QLatin1String(field)) : QString();
        return content.isEmpty() ? fileInformationText(contents, QLatin1String(fileInformationName)) : content;
    };
    auto line = [&](const char *field, const char *fileInformationName, const char *name) {
        return clipInfoItem(oneLine(text(field, fileInformationName), QLatin1String(name), loaded));
    };
    const QString description = text("comment", "Description");
    loaded.settings.clipInformation = {
        line("title", "Title", "the title"), line("copyright", "Copyright", "the copyright"),
        line("author", "Author", "the author"), line(nullptr, "Keywords", "the keywords"),
        clipInfoItem(description.isEmpty() ? QString() : descriptionFieldText(description))};
}

// The click event runs from the clip's start, so the map's end gives its duration; a part of a
// second left over counts as a whole one, so the click still works to the map's end.
void readClickEvent(const ClipContents &contents, ClipSettings &loaded)
{
    if (contents.imageMaps.isEmpty())
        return;
    if (contents.imageMaps.size() > 1)
        loaded.leftOut << QStringLiteral("%1 more image maps").arg(contents.imageMaps.size() - 1);
    const ClipContents::ImageMap &map = contents.imageMaps.first();
    const std::optional<HoursMinutesSeconds> duration =
        splitSeconds((map.endMilliseconds + 999) / 1000, clickHoursLimit);
    if (!duration) {
        loaded.leftOut << QStringLiteral("the image map: it lasts past %1 hours").arg(clickHoursLimit);
        return;
    }
    const auto opensPage = std::find_if(map.regions.begin(), map.regions.end(), [](const ClipContents::Region &region) {
        return region.action == QLatin1String("open in a browser");
    });
    if (opensPage == map.regions.end()) {
        loaded.leftOut << QStringLiteral("the image map: none of its regions opens a web page");
        return;
    }
    if (map.regions.size() > 1)
        loaded.leftOut << QStringLiteral("%1 more regions of the image map").arg(map.regions.size() - 1);
    loaded.settings.withMap = true;
    loaded.settings.clickMap = {duration->hours, duration->minutes, duration->seconds,
                                oneLine(opensPage->url, QStringLiteral("the click event's pop-up URL"), loaded),
                                oneLine(opensPage->status, QStringLiteral("the click event's show text"), loaded)};
}

} // namespace

bool ClipSettings::isEmpty() const
{
    const ClipInformation &information = settings.clipInformation;
    const bool anyInformation = information.title.checked || information.copyright.checked
                                || information.author.checked || information.keywords.checked
                                || information.description.checked;
    return settings.timeEvents.isEmpty() && !anyInformation && !settings.withMap;
}

ClipSettings settingsFromClip(const ClipContents &contents, const ClickMap &currentClickMap)
{
    ClipSettings loaded;
    loaded.settings.clickMap = currentClickMap;
    readTimeEvents(contents, loaded);
    readClipInformation(contents, loaded);
    readClickEvent(contents, loaded);
    return loaded;
}
