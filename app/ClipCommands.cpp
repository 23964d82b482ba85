// ClipCommands: Clip Contents and Load Settings from Clip.
#include "app/ClipCommands.h"

#include "app/FileList.h"
#include "app/MainWindow.h"
#include "app/MenuCommand.h"
#include "app/UndoCommands.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipContentsWindow.h"
#include "jobs/ClipReadError.h"
#include "jobs/ClipReader.h"
#include "jobs/ProductInfo.h"
#include "jobs/SettingsFromClip.h"
#include "platform/UserPrompts.h"
#include "widgets/ListView.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScopeGuard>

namespace {

// A part of a message listing items under a heading; nothing when there are none.
QString listedPart(const QString &heading, const QStringList &items)
{
    return items.isEmpty() ? QString()
                           : QLatin1String("\n\n") + heading + QLatin1String(":\n- ") + items.join(QLatin1String("\n- "));
}

} // namespace

ClipCommands::ClipCommands(TForm1 &form) : QObject(&form), m_form(form)
{
    QMenu *editMenu = form.menuOf("EditItem1");
    ClipContents1 =
        newCommand("ClipContents1", "Clip Contents...", editMenu, this, &ClipCommands::actClipContentsExecute);
    LoadSettingsFromClip1 = newCommand("LoadSettingsFromClip1", "Load Settings from Clip", editMenu, this,
                                       &ClipCommands::actLoadSettingsFromClipExecute);
    editMenu->addActions({newSeparator(editMenu), ClipContents1, LoadSettingsFromClip1});

    QMenu *popup = form.pmFiles;
    ClipContents2 = newCommand("ClipContents2", "Clip Contents...", popup, this, &ClipCommands::actClipContentsExecute);
    LoadSettingsFromClip2 = newCommand("LoadSettingsFromClip2", "Load Settings from Clip", popup, this,
                                       &ClipCommands::actLoadSettingsFromClipExecute);
    popup->addActions({newSeparator(popup), ClipContents2, LoadSettingsFromClip2});
}

void ClipCommands::actClipContentsExecute()
{
    const int row = m_form.lvFiles->selectedRow();
    if (row < 0)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    auto *window =
        new ClipContentsWindow(m_form.fileList().sourcePath(row), m_form.fileList().outputPath(row), &m_form);
    QGuiApplication::restoreOverrideCursor();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void ClipCommands::actLoadSettingsFromClipExecute()
{
    const int row = m_form.lvFiles->selectedRow();
    if (row < 0)
        return;
    const QString output = m_form.fileList().outputPath(row);
    const QString clip = QFileInfo(output).isFile() ? output : m_form.fileList().sourcePath(row);
    const QString shownClip = QDir::toNativeSeparators(clip);
    ClipSettings loaded;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        try {
            loaded = settingsFromClip(readClipContents(clip), m_form.clickEvents->clickMap());
        } catch (const ClipReadError &error) {
            m_form.showError(QStringLiteral("No settings were loaded from \"%1\":\n%2").arg(shownClip, error.message()));
            return;
        }
    }
    const QString leftOut = listedPart(QStringLiteral("Left out"), loaded.leftOut);
    if (loaded.isEmpty()) {
        UserPrompts::current().showMessage(
            &m_form, ProductInfo::name,
            QStringLiteral("\"%1\" carries no time events, click event or clip information: no settings were loaded.")
                    .arg(shownClip)
                + leftOut,
            UserPrompts::Icon::Warning);
        return;
    }
    m_form.undoCommands().recordSetupChange(QStringLiteral("Load Settings from Clip"),
                                            [&] { m_form.applySettings(loaded.settings); });
    if (leftOut.isEmpty() && loaded.madeOneLine.isEmpty())
        return;
    const QString headline = leftOut.isEmpty()
                                 ? QStringLiteral("The settings were loaded from \"%1\", but not all as it carries them.")
                                 : QStringLiteral("The settings were loaded from \"%1\", but not all that it carries.");
    const QString madeOneLine =
        listedPart(QStringLiteral("Line breaks made spaces, as these fields hold one line"), loaded.madeOneLine);
    UserPrompts::current().showMessage(&m_form, ProductInfo::name, headline.arg(shownClip) + leftOut + madeOneLine,
                                       UserPrompts::Icon::Warning);
}
