#pragma once

#include "platform/UserPrompts.h"

#include <QFileDialog>
#include <memory>

// The prompts of the desktop: Qt's message boxes, file dialogs and URL handlers.
class DesktopPrompts : public UserPrompts
{
public:
    void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) override;
    Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) override;
    QString chooseFileToOpen(QWidget *parent, const QString &filter, const QString &preset) override;
    QString chooseFileToSave(QWidget *parent, const QString &filter, const QString &preset) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &startFolder) override;
    bool openUrl(const QString &url) override;
};

// Turns "description|pattern|..." pairs into Qt's ";;"-separated name filters.
QString qtNameFilters(const QString &pairedFilter);

// The file dialog the prompts show: the filter's descriptions exactly as given, its first entry
// selected; patterns match letters of either case, and "*.*" every file. The preset, when not
// empty, is selected.
std::unique_ptr<QFileDialog> createFileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                              const QString &pairedFilter, const QString &preset);
