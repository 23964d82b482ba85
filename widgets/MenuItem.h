#pragma once

#include <QAction>

// A menu item (or a separator, caption "-") whose text is published as "Caption".
class MenuItem : public QAction
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
public:
    using QAction::QAction;
};
