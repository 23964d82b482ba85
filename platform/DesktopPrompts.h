#pragma once

#include "platform/UserPrompts.h"

// The prompts of the desktop: Qt's message boxes, file dialogs and URL handlers.
class DesktopPrompts : public UserPrompts
{
public:
    void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) override;
    QString chooseFileToOpen(QWidget *parent, const QString &filter, const QString &preset) override;
    QString chooseFileToSave(QWidget *parent, const QString &filter, const QString &preset) override;
    bool openUrl(const QString &url) override;
};

// Turns "description|pattern|..." pairs into Qt's ";;"-separated name filters. On systems whose
// file names are case-sensitive each pattern matches letters of either case, as "*.RM" does on
// Windows.
QString qtNameFilters(const QString &pairedFilter);
