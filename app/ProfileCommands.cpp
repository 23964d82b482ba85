// ProfileCommands: Open Profile, Save Profile, Save Profile As and the recent profiles.
#include "app/ProfileCommands.h"

#include "app/MainWindow.h"
#include "app/MenuCommand.h"
#include "app/RememberedSettings.h"
#include "app/UndoCommands.h"
#include "jobs/InputOutputError.h"
#include "jobs/Profile.h"
#include "jobs/ProfileError.h"
#include "platform/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

const QString profileFilter = QStringLiteral("Clipvane Profile (*.json)|*.json|All Files (*.*)|*.*");

} // namespace

ProfileCommands::ProfileCommands(TForm1 &form) : QObject(&form), m_form(form)
{
    QMenu *fileMenu = form.menuOf("Exit1");
    OpenProfile1 =
        newCommand("OpenProfile1", "Open Profile...", fileMenu, this, &ProfileCommands::actOpenProfileExecute);
    SaveProfile1 = newCommand("SaveProfile1", "Save Profile", fileMenu, this, &ProfileCommands::actSaveProfileExecute);
    SaveProfileAs1 =
        newCommand("SaveProfileAs1", "Save Profile As...", fileMenu, this, &ProfileCommands::actSaveProfileAsExecute);
    OpenProfile1->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    SaveProfile1->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    SaveProfileAs1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    RecentProfiles1 = new QMenu(QStringLiteral("Recent Profiles"), fileMenu);
    RecentProfiles1->setObjectName(QStringLiteral("RecentProfiles1"));
    QAction *exit = form.findChild<QAction *>(QStringLiteral("Exit1"));
    fileMenu->insertActions(exit, {OpenProfile1, SaveProfile1, SaveProfileAs1});
    fileMenu->insertMenu(exit, RecentProfiles1);
    fileMenu->insertAction(exit, newSeparator(fileMenu));
    updateRecentProfiles();
}

void ProfileCommands::updateRecentProfiles()
{
    RecentProfiles1->clear();
    const QStringList profiles = RememberedSettings().recentProfiles();
    for (qsizetype i = 0; i < profiles.size(); ++i) {
        const QString path = profiles[i];
        QAction *item = RecentProfiles1->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { openProfile(path); });
    }
    RecentProfiles1->setEnabled(!profiles.isEmpty());
}

void ProfileCommands::actOpenProfileExecute()
{
    const QString path = m_form.chooseFileToOpen(profileFilter, RememberedSettings::Folder::Profile);
    if (!path.isEmpty())
        openProfile(path);
}

bool ProfileCommands::openProfile(const QString &path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    try {
        m_form.undoCommands().recordSetupChange(QStringLiteral("Open Profile"),
                                                [&] { m_form.applySetup(readProfileFile(absolutePath)); });
    } catch (const ProfileError &error) {
        if (!QFileInfo::exists(absolutePath)) {
            RememberedSettings().removeRecentProfile(absolutePath);
            updateRecentProfiles();
        }
        m_form.showError(error.message());
        return false;
    }
    rememberProfile(absolutePath);
    return true;
}

// The profile last opened or saved is the one Save Profile writes, and heads the recent ones.
void ProfileCommands::rememberProfile(const QString &absolutePath)
{
    m_profilePath = absolutePath;
    RememberedSettings().addRecentProfile(absolutePath);
    updateRecentProfiles();
}

void ProfileCommands::actSaveProfileExecute()
{
    if (m_profilePath.isEmpty())
        actSaveProfileAsExecute();
    else
        saveProfile(m_profilePath);
}

void ProfileCommands::actSaveProfileAsExecute()
{
    RememberedSettings settings;
    const QString preset =
        m_profilePath.isEmpty() ? settings.dialogPreset(RememberedSettings::Folder::Profile) : m_profilePath;
    QString path = UserPrompts::current().chooseFileToSave(&m_form, profileFilter, preset);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".json");
    settings.setLastFolder(RememberedSettings::Folder::Profile, QFileInfo(path).absolutePath());
    saveProfile(path);
}

bool ProfileCommands::saveProfile(const QString &path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    try {
        writeProfileFile(absolutePath, m_form.setup());
    } catch (const InputOutputError &error) {
        m_form.showError(error.message());
        return false;
    }
    rememberProfile(absolutePath);
    return true;
}
