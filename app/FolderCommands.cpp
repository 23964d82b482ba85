// FolderCommands: Add Folder and the output rule.
#include "app/FolderCommands.h"

#include "app/FileList.h"
#include "app/MainWindow.h"
#include "app/MenuCommand.h"
#include "app/RememberedSettings.h"
#include "app/UndoCommands.h"
#include "dialogs/OutputRuleDialog.h"
#include "jobs/ProductInfo.h"
#include "platform/UserPrompts.h"

#include <QDir>
#include <QMenu>

FolderCommands::FolderCommands(TForm1 &form) : QObject(&form), m_form(form)
{
    QMenu *fileMenu = form.menuOf("Exit1");
    AddFolder1 = newCommand("AddFolder1", "Add Folder...", fileMenu, this, &FolderCommands::actAddFolderExecute);
    fileMenu->insertAction(form.findChild<QAction *>(QStringLiteral("N1")), AddFolder1);

    QMenu *editMenu = form.menuOf("EditItem1");
    OutputFolder1 =
        newCommand("OutputFolder1", "Output Folder...", editMenu, this, &FolderCommands::actOutputRuleExecute);
    editMenu->addActions({newSeparator(editMenu), OutputFolder1});

    AddFolder2 = newCommand("AddFolder2", "Add Folder...", form.pmFiles, this, &FolderCommands::actAddFolderExecute);
    form.pmFiles->insertAction(form.findChild<QAction *>(QStringLiteral("EditItem2")), AddFolder2);
}

void FolderCommands::actAddFolderExecute()
{
    RememberedSettings settings;
    const QString folder = UserPrompts::current().chooseFolder(
        &m_form, QStringLiteral("Add Folder"), settings.lastFolder(RememberedSettings::Folder::AddFolder));
    if (folder.isEmpty())
        return;
    settings.setLastFolder(RememberedSettings::Folder::AddFolder, folder);
    const int firstRow = m_form.fileList().rowCount();
    if (m_form.AddFolder(folder) > 0)
        m_form.undoCommands().recordRowsAdded(QStringLiteral("Add Folder"), firstRow);
    else
        UserPrompts::current().showMessage(
            &m_form, ProductInfo::name,
            QStringLiteral("No RealMedia clips (.rm, .rmvb, .ra) were found in \"%1\" or its sub-folders.")
                .arg(QDir::toNativeSeparators(folder)),
            UserPrompts::Icon::Warning);
}

void FolderCommands::actOutputRuleExecute()
{
    RememberedSettings settings;
    OutputRuleDialog dialog(m_form.outputRule(), settings.lastFolder(RememberedSettings::Folder::Output), &m_form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!dialog.lastBrowsedFolder().isEmpty())
        settings.setLastFolder(RememberedSettings::Folder::Output, dialog.lastBrowsedFolder());
    m_form.setOutputRule(dialog.rule());
}
