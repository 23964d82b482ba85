// newCommand: a menu item for a command added beside the window's own.
#include "app/MenuCommand.h"

MenuItem *newMenuItem(const char *name, const char *caption, QObject *menu)
{
    auto *item = new MenuItem(QString::fromLatin1(caption), menu);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

MenuItem *newSeparator(QObject *menu)
{
    return new MenuItem(QStringLiteral("-"), menu);
}
