#pragma once

class ListView;
class QAction;
class QHeaderView;
class QObject;
class QTableWidget;
class QTreeWidget;

// The Qt class that stands for each class the translators test components against. An owner's own
// kind (form, data module, frame) is ComponentOwner::Kind.
namespace ComponentKinds {

// `TListView`: a report-style ListView.
ListView *asListView(QObject *component);
// `TTreeView`: any other tree widget.
QTreeWidget *asTreeView(QObject *component);
// `THeaderControl`: a header view on its own; the headers inside views are not components.
QHeaderView *asHeaderControl(QObject *component);
// `TDBGrid`: a table widget, whose column titles are its horizontal header items.
QTableWidget *asDataGrid(QObject *component);
// `TTimer`.
bool isTimer(const QObject *component);
// `TMenuItem`: an action, the item of a menu bar or pop-up menu.
QAction *asMenuItem(QObject *component);

} // namespace ComponentKinds
