#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <utility>

// An owner's named components in the order of their creation, at every depth of nesting. Kept
// explicitly, since Qt reparents widgets and adds unnamed children of its own.
class ComponentList
{
public:
    // Creates a component, names it and registers it.
    template <class T, class... Args> T *create(const QString &name, Args &&...args)
    {
        T *component = new T(std::forward<Args>(args)...);
        add(component, name);
        return component;
    }
    void add(QObject *component, const QString &name)
    {
        component->setObjectName(name);
        m_components.append(component);
    }

    const QList<QObject *> &all() const { return m_components; }

private:
    QList<QObject *> m_components;
};
