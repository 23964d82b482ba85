#include "jobs/ClipValues.h"

namespace {

// The item's text for the clip, as it goes into the script: the batch's when the clip has none.
void applyInformation(ClipInfoItem &item, const QString &own, const ClipPlace &place, const QMap<QString, QString> &cells)
{
    if (own == ClipValues::off) {
        item.checked = false;
        return;
    }
    if (!own.isEmpty()) {
        item.checked = true;
        item.text = own;
    }
    item.text = fillPlaceholders(item.text, place, cells, FilledAs::Text);
}

} // namespace

const QStringList &clipItemColumns()
{
    static const QStringList columns{QStringLiteral("Title"),       QStringLiteral("Copyright"),
                                     QStringLiteral("Author"),      QStringLiteral("Keywords"),
                                     QStringLiteral("Description"), QStringLiteral("ShowText"),
                                     QStringLiteral("PopUpUrl")};
    return columns;
}

bool ClipValues::isEmpty() const
{
    for (const QString &value : items) {
        if (!value.isEmpty())
            return false;
    }
    for (const QString &cell : cells) {
        if (!cell.isEmpty())
            return false;
    }
    return true;
}

ClipValues ClipValues::over(const ClipValues &defaults) const
{
    ClipValues merged = *this;
    for (int item = 0; item < clipItemCount; ++item) {
        if (merged.items[item].isEmpty())
            merged.items[item] = defaults.items[item];
    }
    for (auto cell = defaults.cells.cbegin(); cell != defaults.cells.cend(); ++cell) {
        QString &own = merged.cells[cell.key()];
        if (own.isEmpty())
            own = cell.value();
    }
    return merged;
}

JobSettings clipJobSettings(const JobSettings &batch, const ClipValues &values, const ClipPlace &place)
{
    JobSettings settings = batch;
    const QMap<QString, QString> &cells = values.cells;
    for (TimeEventRow &event : settings.timeEvents)
        event.url = fillPlaceholders(event.url, place, cells, FilledAs::Url);

    ClipInformation &information = settings.clipInformation;
    applyInformation(information.title, values.item(ClipItem::Title), place, cells);
    applyInformation(information.copyright, values.item(ClipItem::Copyright), place, cells);
    applyInformation(information.author, values.item(ClipItem::Author), place, cells);
    applyInformation(information.keywords, values.item(ClipItem::Keywords), place, cells);
    applyInformation(information.description, values.item(ClipItem::Description), place, cells);

    const QString &showText = values.item(ClipItem::ShowText);
    const QString &popUpUrl = values.item(ClipItem::PopUpUrl);
    ClickMap &map = settings.clickMap;
    if (showText == ClipValues::off || popUpUrl == ClipValues::off)
        settings.withMap = false;
    else if (!showText.isEmpty() || !popUpUrl.isEmpty())
        settings.withMap = true;
    if (!showText.isEmpty() && showText != ClipValues::off)
        map.showText = showText;
    if (!popUpUrl.isEmpty() && popUpUrl != ClipValues::off)
        map.popUpUrl = popUpUrl;
    map.showText = fillPlaceholders(map.showText, place, cells, FilledAs::Text);
    map.popUpUrl = fillPlaceholders(map.popUpUrl, place, cells, FilledAs::Url);
    return settings;
}
