#pragma once

#include "jobs/JobSettings.h"
#include "jobs/OutputRule.h"

#include <QByteArray>
#include <QString>

// A batch's whole setup, as a profile file keeps it: what every clip's scripts are made from and
// where the merged clips go.
struct Profile
{
    JobSettings settings;
    OutputRule output;

    // What the window shows at start: no time events, the click event on for three hours, no clip
    // information, the merged clips beside their sources.
    static Profile startUp();

    bool operator==(const Profile &) const = default;
};

// The profile file's text: JSON in UTF-8, its keys in a fixed order, ending with a line break.
QByteArray profileJson(const Profile &profile);

// Reads a profile file's text. A missing key keeps its start-up value and an unknown key is
// passed over; anything else that is not as profileJson writes it, or a line break in a text the
// scripts write on one line (all but the description), throws ProfileError naming the file, the
// key (or line and column) and the fault.
Profile parseProfile(const QByteArray &json, const QString &fileName);

// The same from the file itself; a file that can't be read throws ProfileError too.
Profile readProfileFile(const QString &path);

// Writes the profile to a new file that then replaces the old one, so that a failure leaves the
// old profile whole. Throws InputOutputError.
void writeProfileFile(const QString &path, const Profile &profile);
