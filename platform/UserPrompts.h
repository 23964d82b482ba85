#pragma once

#include <QString>

class QWidget;

// Everything that needs a person: message boxes, the open-file dialog, opening a web page or a
// mail link. The program asks through this interface so that tests can answer and record.
class UserPrompts
{
public:
    enum class Icon { None, Warning, Error };

    virtual ~UserPrompts() = default;

    // A modal message box with one OK button; returns when it is dismissed.
    virtual void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) = 0;
    // An open-file dialog for one file. The filter is a list of "description|pattern" pairs joined
    // with "|"; the first pair is preselected. Returns the chosen path, or an empty text.
    virtual QString chooseFileToOpen(QWidget *parent, const QString &filter) = 0;
    // Opens a web page or a "mailto:" link with the desktop's handler; the answer is not looked at.
    virtual void openUrl(const QString &url) = 0;

    // The prompts in use: the desktop's own unless a test installed others.
    static UserPrompts &current();
    // Installs other prompts (not owned); nullptr restores the desktop's own.
    static void install(UserPrompts *prompts);
};
