// ClipContentsWindow: what a listed clip carries, and its merged copy once there is one.
#include "dialogs/ClipContentsWindow.h"

#include "jobs/ClipContents.h"
#include "jobs/ClipReadError.h"
#include "jobs/ClipReader.h"
#include "jobs/ScriptTimes.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <limits>

namespace {

enum Column { ItemColumn, TimeColumn, ValueColumn };

QTreeWidgetItem *addRow(QTreeWidgetItem *parent, const QString &item, const QString &value,
                        const QString &time = QString())
{
    return new QTreeWidgetItem(parent, {item, time, value});
}

QString timeText(qint64 tenths)
{
    return *eventTimeText(tenths, std::numeric_limits<int>::max());
}

QString span(qint64 startTenths, qint64 endTenths)
{
    return timeText(startTenths) + QStringLiteral(" – ") + timeText(endTenths);
}

QString millisecondSpan(qint64 start, qint64 end)
{
    return span(start / 100, end / 100);
}

QString numbers(const QList<qint64> &values)
{
    QStringList texts;
    for (const qint64 value : values)
        texts << QString::number(value);
    return texts.join(QLatin1String(", "));
}

QString countOrNone(qsizetype count)
{
    return count == 0 ? QStringLiteral("none") : QString::number(count);
}

const QString informationNames[][2] = {{QStringLiteral("title"), QStringLiteral("Title")},
                                       {QStringLiteral("author"), QStringLiteral("Author")},
                                       {QStringLiteral("copyright"), QStringLiteral("Copyright")},
                                       {QStringLiteral("comment"), QStringLiteral("Comment (description)")}};

QString informationName(const QString &field)
{
    for (const auto &name : informationNames) {
        if (name[0] == field)
            return name[1];
    }
    return field;
}

void addStreams(QTreeWidgetItem *section, const ClipContents &contents)
{
    QTreeWidgetItem *streams = addRow(section, QStringLiteral("Streams"), countOrNone(contents.streams.size()));
    for (const ClipContents::Stream &stream : contents.streams) {
        const QString value = stream.name.isEmpty() ? stream.mimeType
                                                    : QStringLiteral("%1  \"%2\"").arg(stream.mimeType, stream.name);
        QTreeWidgetItem *item = addRow(streams, QStringLiteral("Stream %1").arg(stream.number), value);
        for (const ClipContents::NamedText &information : stream.fileInformation)
            addRow(item, information.name, information.text);
    }
}

void addEvents(QTreeWidgetItem *section, const ClipContents &contents)
{
    QTreeWidgetItem *events = addRow(section, QStringLiteral("Events"), countOrNone(contents.events.size()));
    for (const ClipContents::Event &event : contents.events)
        addRow(events, event.type, event.text, span(event.startTenths, event.endTenths));
}

void addImageMaps(QTreeWidgetItem *section, const ClipContents &contents)
{
    QTreeWidgetItem *maps = addRow(section, QStringLiteral("Image maps"), countOrNone(contents.imageMaps.size()));
    for (const ClipContents::ImageMap &map : contents.imageMaps) {
        QTreeWidgetItem *mapItem = addRow(maps, QStringLiteral("Map"), QStringLiteral("area %1").arg(numbers(map.area)),
                                          millisecondSpan(map.startMilliseconds, map.endMilliseconds));
        for (const ClipContents::Region &region : map.regions) {
            QTreeWidgetItem *regionItem =
                addRow(mapItem, QStringLiteral("Region"), QStringLiteral("%1 %2").arg(region.shape, numbers(region.coordinates)),
                       millisecondSpan(region.startMilliseconds, region.endMilliseconds));
            addRow(regionItem, QStringLiteral("Action"), region.action);
            if (region.seekMilliseconds)
                addRow(regionItem, QStringLiteral("Seeks to"), timeText(*region.seekMilliseconds / 100));
            addRow(regionItem, QStringLiteral("URL"), region.url);
            addRow(regionItem, QStringLiteral("Status text"), region.status);
        }
    }
}

} // namespace

const QString ClipContentsWindow::sourceHeading = QStringLiteral("Source");
const QString ClipContentsWindow::outputHeading = QStringLiteral("Output");

ClipContentsWindow::ClipContentsWindow(const QString &sourcePath, const QString &outputPath, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ClipContentsWindow"));
    setWindowTitle(QStringLiteral("Clip Contents - %1").arg(QFileInfo(sourcePath).fileName()));
    resize(720, 520);
    auto *layout = new QVBoxLayout(this);
    tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("tree"));
    tree->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Time"), QStringLiteral("Value")});
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setAlternatingRowColors(true);
    layout->addWidget(tree);
    buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    addClip(addSection(sourceHeading, sourcePath), sourcePath);
    QTreeWidgetItem *output = addSection(outputHeading, outputPath);
    if (QFileInfo(outputPath).isFile())
        addClip(output, outputPath);
    else
        addRow(output, QStringLiteral("Not merged yet"), QString());
    tree->expandAll();
    for (const Column column : {ItemColumn, TimeColumn})
        tree->resizeColumnToContents(column);
}

QTreeWidgetItem *ClipContentsWindow::addSection(const QString &heading, const QString &path)
{
    QTreeWidgetItem *section = addRow(tree->invisibleRootItem(), heading, QDir::toNativeSeparators(path));
    QFont bold = section->font(ItemColumn);
    bold.setBold(true);
    for (const Column column : {ItemColumn, ValueColumn})
        section->setFont(column, bold);
    return section;
}

void ClipContentsWindow::addClip(QTreeWidgetItem *section, const QString &path)
{
    try {
        addContents(section, readClipContents(path));
    } catch (const ClipReadError &error) {
        addRow(section, QStringLiteral("Can't be read"), error.message());
    }
}

void ClipContentsWindow::addContents(QTreeWidgetItem *section, const ClipContents &contents)
{
    addRow(section, QStringLiteral("Clip"),
           contents.kind == QLatin1String("RealMedia")
               ? QStringLiteral("RealMedia, %1 packets").arg(contents.packets)
               : QStringLiteral("%1, version %2").arg(contents.kind).arg(contents.realAudioVersion));
    QTreeWidgetItem *information =
        addRow(section, QStringLiteral("Clip information"), countOrNone(contents.information.size()));
    for (const ClipContents::Information &item : contents.information)
        addRow(information, informationName(item.field), item.text);
    addStreams(section, contents);
    addEvents(section, contents);
    addImageMaps(section, contents);
}
