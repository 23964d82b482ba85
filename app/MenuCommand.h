// newCommand: a menu item for a command added beside the window's own.
#pragma once

#include "widgets/MenuItem.h"

// The item stays out of the window's component list, so that the language file keeps its keys.
MenuItem *newMenuItem(const char *name, const char *caption, QObject *menu);

template <class Room>
MenuItem *newCommand(const char *name, const char *caption, QObject *menu, Room *room, void (Room::*handler)())
{
    MenuItem *item = newMenuItem(name, caption, menu);
    QObject::connect(item, &QAction::triggered, room, handler);
    return item;
}

// A separator line for a menu.
MenuItem *newSeparator(QObject *menu);
