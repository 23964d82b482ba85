#pragma once

#include <QString>

class QWidget;

// Everything that needs a person: message boxes, the file and folder dialogs, opening a web page or a
// mail link. The program asks through this interface so that tests can answer and record.
class UserPrompts
{
public:
    enum class Icon { None, Warning, Error };
    enum class Answer { Yes, No, Cancel };

    virtual ~UserPrompts() = default;

    // A modal message box with one OK button; returns when it is dismissed.
    virtual void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) = 0;
    // A modal question with the buttons Yes, No and Cancel; closing the box is Cancel.
    virtual Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) = 0;
    // An open-file or save-file dialog for one file. The filter is a list of "description|pattern"
    // pairs joined with "|"; the first pair is preselected. The preset is the file chosen last
    // time, or empty. Returns the chosen path, or an empty text when the person cancelled.
    virtual QString chooseFileToOpen(QWidget *parent, const QString &filter, const QString &preset = QString()) = 0;
    virtual QString chooseFileToSave(QWidget *parent, const QString &filter, const QString &preset) = 0;
    // A folder dialog that opens in the start folder (when not empty); returns the chosen folder,
    // or an empty text when the person cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &startFolder) = 0;
    // Opens a web page or a "mailto:" link with the desktop's handler; true when it was handed over.
    virtual bool openUrl(const QString &url) = 0;

    // The prompts in use: the desktop's own unless a test installed others.
    static UserPrompts &current();
    // Installs other prompts (not owned); nullptr restores the desktop's own.
    static void install(UserPrompts *prompts);
};
