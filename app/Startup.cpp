#include "app/Startup.h"

#include "app/ClipValuesCommands.h"
#include "app/MainWindow.h"
#include "app/ProfileCommands.h"
#include "app/UndoCommands.h"
#include "jobs/AppFolder.h"
#include "jobs/ProductInfo.h"
#include "lang/IniFileWriteError.h"
#include "lang/Translator.h"
#include "platform/UserPrompts.h"

#include <QApplication>
#include <QFileInfo>

namespace {

struct CommandLine
{
    QString profile;
    QString values;
    QStringList clipsAndFolders;
};

// "--profile FILE" and "--values FILE" anywhere; everything else is a clip or a folder of clips.
CommandLine readCommandLine(const QStringList &arguments)
{
    CommandLine commandLine;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--profile") && i + 1 < arguments.size())
            commandLine.profile = arguments[++i];
        else if (arguments[i] == QLatin1String("--values") && i + 1 < arguments.size())
            commandLine.values = arguments[++i];
        else
            commandLine.clipsAndFolders.append(arguments[i]);
    }
    return commandLine;
}

void reportUnwritable(const IniFileWriteError &error)
{
    UserPrompts::current().showMessage(nullptr, ProductInfo::name, error.message(), UserPrompts::Icon::Error);
}

} // namespace

std::unique_ptr<TForm1> createMainWindow(const QString &programFolder, const QStringList &arguments)
{
    // The user's data folder is named after the product, whatever the executable is called.
    QApplication::setApplicationName(ProductInfo::name);
    if (!settleAppFolders(programFolder)) {
        reportUnwritable(IniFileWriteError(workingFolder() + TsmlLangRes::DefaultLangFileName));
        return nullptr;
    }
    try {
        auto mainWindow = std::make_unique<TForm1>();
        const CommandLine commandLine = readCommandLine(arguments);
        // The profile first, so that its output rule places the clips listed after it.
        if (!commandLine.profile.isEmpty())
            mainWindow->profileCommands().openProfile(commandLine.profile);
        for (const QString &item : commandLine.clipsAndFolders) {
            const QFileInfo info(item);
            if (info.isDir())
                mainWindow->AddFolder(info.absoluteFilePath());
            else
                mainWindow->AddClip(info.absoluteFilePath());
        }
        // The table last: its rows are matched to the clips listed.
        if (!commandLine.values.isEmpty())
            mainWindow->clipValuesCommands().importValues(commandLine.values);
        // What the window starts with is no step to take back.
        mainWindow->undoCommands().clear();
        return mainWindow;
    } catch (const IniFileWriteError &error) {
        reportUnwritable(error);
        return nullptr;
    }
}
