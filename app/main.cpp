#include "app/ClipvaneApplication.h"
#include "app/Startup.h"
#include "app/MainWindow.h"

int main(int argc, char *argv[])
{
    ClipvaneApplication application(argc, argv);
    const std::unique_ptr<TForm1> mainWindow =
        createMainWindow(QCoreApplication::applicationDirPath(), QCoreApplication::arguments().mid(1));
    if (!mainWindow)
        return 1;
    mainWindow->show();
    return application.exec();
}
