#include "app/ClipvaneApplication.h"
#include "app/Unit1.h"

int main(int argc, char *argv[])
{
    ClipvaneApplication application(argc, argv);
    TForm1 mainWindow;
    mainWindow.show();
    return application.exec();
}
