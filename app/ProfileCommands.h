// ProfileCommands: Open Profile, Save Profile, Save Profile As and the recent profiles.
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class TForm1;

// A batch's whole setup kept in a file and opened again: the File menu's profile commands.
class ProfileCommands : public QObject
{
    Q_OBJECT

public:
    explicit ProfileCommands(TForm1 &form);

    void actOpenProfileExecute();
    void actSaveProfileExecute();
    void actSaveProfileAsExecute();
    // Opens a profile into the window; a refused one is reported and changes nothing.
    bool openProfile(const QString &path);
    // Saves the window's setup as a profile; a failure is reported and leaves the old file whole.
    bool saveProfile(const QString &path);
    // The path of the profile last opened or saved, empty before.
    QString profilePath() const { return m_profilePath; }

    QAction *OpenProfile1 = nullptr;
    QAction *SaveProfile1 = nullptr;
    QAction *SaveProfileAs1 = nullptr;
    QMenu *RecentProfiles1 = nullptr;

private:
    void updateRecentProfiles();
    void rememberProfile(const QString &absolutePath);

    TForm1 &m_form;
    QString m_profilePath;
};
