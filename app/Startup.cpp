#include "app/Startup.h"

#include "app/MainWindow.h"
#include "dialogs/ProductInfo.h"
#include "jobs/AppFolder.h"
#include "lang/IniFileWriteError.h"
#include "lang/Translator.h"
#include "platform/UserPrompts.h"

#include <QApplication>
#include <QFileInfo>

namespace {

void reportUnwritable(const IniFileWriteError &error)
{
    UserPrompts::current().showMessage(nullptr, ProductInfo::name, error.message(), UserPrompts::Icon::Error);
}

} // namespace

std::unique_ptr<TForm1> createMainWindow(const QString &programFolder, const QStringList &clips)
{
    // The user's data folder is named after the product, whatever the executable is called.
    QApplication::setApplicationName(ProductInfo::name);
    if (!settleAppFolders(programFolder)) {
        reportUnwritable(IniFileWriteError(workingFolder() + TsmlLangRes::DefaultLangFileName));
        return nullptr;
    }
    try {
        auto mainWindow = std::make_unique<TForm1>();
        for (const QString &clip : clips)
            mainWindow->AddClip(QFileInfo(clip).absoluteFilePath());
        return mainWindow;
    } catch (const IniFileWriteError &error) {
        reportUnwritable(error);
        return nullptr;
    }
}
