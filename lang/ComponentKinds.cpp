#include "lang/ComponentKinds.h"

#include "widgets/ListView.h"

#include <QAction>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>

namespace ComponentKinds {

ListView *asListView(QObject *component)
{
    return qobject_cast<ListView *>(component);
}

QTreeWidget *asTreeView(QObject *component)
{
    return asListView(component) ? nullptr : qobject_cast<QTreeWidget *>(component);
}

QHeaderView *asHeaderControl(QObject *component)
{
    return qobject_cast<QHeaderView *>(component);
}

QTableWidget *asDataGrid(QObject *component)
{
    return qobject_cast<QTableWidget *>(component);
}

bool isTimer(const QObject *component)
{
    return qobject_cast<const QTimer *>(component) != nullptr;
}

QAction *asMenuItem(QObject *component)
{
    return qobject_cast<QAction *>(component);
}

} // namespace ComponentKinds
