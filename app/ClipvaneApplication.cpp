#include "app/ClipvaneApplication.h"

#include "platform/UserPrompts.h"

#include <exception>

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
