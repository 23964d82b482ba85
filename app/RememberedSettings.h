#pragma once

#include <QRect>
#include <QSettings>
#include <QStringList>
#include <optional>

// What the window remembers between starts: the recent profiles, the folder each dialog showed
// last and the window's place. Nothing of a batch is kept. The file is written only once
// something is remembered, so a start alone leaves no trace.
class RememberedSettings
{
public:
    enum class Folder { AddFiles, AddFolder, Profile, Output, ValuesTable };

    RememberedSettings();

    static constexpr int maximumRecentProfiles = 8;
    // Newest first.
    QStringList recentProfiles() const;
    void addRecentProfile(const QString &path);
    void removeRecentProfile(const QString &path);

    // The folder this dialog showed last, or empty.
    QString lastFolder(Folder folder) const;
    void setLastFolder(Folder folder, const QString &path);
    // A file dialog's preset that opens it in the folder it showed last, choosing no file.
    QString dialogPreset(Folder folder) const;

    std::optional<QRect> windowGeometry() const;
    void setWindowGeometry(const QRect &geometry);

private:
    QSettings m_settings;
};
