// FolderCommands: Add Folder and the output rule.
#pragma once

#include <QObject>

class QAction;
class TForm1;

// Lists every clip below a folder the person picks, and sets where merged clips go.
class FolderCommands : public QObject
{
    Q_OBJECT

public:
    explicit FolderCommands(TForm1 &form);

    void actAddFolderExecute();
    void actOutputRuleExecute();

    QAction *AddFolder1 = nullptr;
    QAction *AddFolder2 = nullptr;
    QAction *OutputFolder1 = nullptr;

private:
    TForm1 &m_form;
};
