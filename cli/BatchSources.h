#pragma once

#include <QList>
#include <QStringList>

// A clip of the command line and the folder it was found below (its own folder when it was named).
struct FoundClip
{
    QString source;
    QString addedFolder;
};

struct BatchSources
{
    QList<FoundClip> clips;
    // What is neither a clip nor a folder.
    QStringList passedOver;
};

// The clips the command line names, as the window takes them: a clip as it is named (relative
// paths from the current folder), a folder as every clip below it. A clip named twice, by itself
// and through a folder, say, is listed once, so that no two jobs write one output at once.
BatchSources findBatchSources(const QStringList &clipsAndFolders);
