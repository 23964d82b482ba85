#include "app/RememberedSettings.h"

#include "jobs/AppFolder.h"

#include <QDir>

namespace {

const QString recentProfilesKey = QStringLiteral("recentProfiles");
const QString windowGeometryKey = QStringLiteral("window/geometry");

QString folderKey(RememberedSettings::Folder folder)
{
    switch (folder) {
    case RememberedSettings::Folder::AddFiles:
        return QStringLiteral("folders/addFiles");
    case RememberedSettings::Folder::AddFolder:
        return QStringLiteral("folders/addFolder");
    case RememberedSettings::Folder::Profile:
        return QStringLiteral("folders/profile");
    case RememberedSettings::Folder::ValuesTable:
        return QStringLiteral("folders/valuesTable");
    case RememberedSettings::Folder::Output:
        break;
    }
    return QStringLiteral("folders/output");
}

} // namespace

RememberedSettings::RememberedSettings() : m_settings(settingsFilePath(), QSettings::IniFormat)
{
}

QStringList RememberedSettings::recentProfiles() const
{
    return m_settings.value(recentProfilesKey).toStringList();
}

void RememberedSettings::addRecentProfile(const QString &path)
{
    QStringList profiles = recentProfiles();
    profiles.removeAll(path);
    profiles.prepend(path);
    m_settings.setValue(recentProfilesKey, profiles.mid(0, maximumRecentProfiles));
}

void RememberedSettings::removeRecentProfile(const QString &path)
{
    QStringList profiles = recentProfiles();
    if (profiles.removeAll(path) > 0)
        m_settings.setValue(recentProfilesKey, profiles);
}

QString RememberedSettings::lastFolder(Folder folder) const
{
    return m_settings.value(folderKey(folder)).toString();
}

void RememberedSettings::setLastFolder(Folder folder, const QString &path)
{
    m_settings.setValue(folderKey(folder), QDir::cleanPath(path));
}

QString RememberedSettings::dialogPreset(Folder folder) const
{
    const QString last = lastFolder(folder);
    return last.isEmpty() ? QString() : last + QLatin1Char('/');
}

std::optional<QRect> RememberedSettings::windowGeometry() const
{
    const QRect geometry = m_settings.value(windowGeometryKey).toRect();
    return geometry.isValid() ? std::optional(geometry) : std::nullopt;
}

void RememberedSettings::setWindowGeometry(const QRect &geometry)
{
    m_settings.setValue(windowGeometryKey, geometry);
}
