#pragma once

#include "jobs/ClipContents.h"
#include "jobs/JobSettings.h"

#include <QStringList>

// The settings that would merge into a clip what it carries.
struct ClipSettings
{
    JobSettings settings;
    // What the clip carries that the settings can't hold, a readable line each.
    QStringList leftOut;
    // The one-line texts that came with line breaks, now spaces, a readable name each.
    QStringList madeOneLine;

    // Whether the clip gave no time event, no clip information and no click event.
    bool isEmpty() const;
};

// Reads the event script's conventions back: each URL event becomes a time-event row, its target
// from its marker and its URL without the related-info pane's size; the title, copyright, author,
// keywords and description become the clip information, each checked; the first image map becomes
// the click event, switched on. A clip without a map gives the click event switched off, its
// fields kept as in currentClickMap. Every text but the description is one line in the settings.
ClipSettings settingsFromClip(const ClipContents &contents, const ClickMap &currentClickMap);
