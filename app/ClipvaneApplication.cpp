#include "app/ClipvaneApplication.h"

#include "platform/UserPrompts.h"

#include <exception>

ClipvaneApplication::ClipvaneApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The installed desktop entry, so that the desktop shows the window with its name and icon.
    setDesktopFileName(QStringLiteral("com.example.Clipvane"));
}

bool ClipvaneApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        UserPrompts::current().showMessage(activeWindow(), applicationDisplayName(),
                                           QString::fromLocal8Bit(error.what()), UserPrompts::Icon::Error);
    }
    return false;
}
