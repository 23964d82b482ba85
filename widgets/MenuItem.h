#pragma once

#include <QAction>

// A menu item whose text is published as "Caption". The caption "-" makes it a separator, which
// shows as a line only.
class MenuItem : public QAction
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    explicit MenuItem(QObject *parent = nullptr) : QAction(parent) {}
    MenuItem(const QString &caption, QObject *parent);

    QString caption() const;
    void setCaption(const QString &caption);
};
