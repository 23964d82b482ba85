// HasProp and its kin: published properties looked up by name.
#pragma once

#include <QMetaProperty>
#include <QString>

class QObject;

// `HasProp`: whether the component's class or one of its ancestors publishes a property of that
// name, compared without regard to the case of ASCII letters. Says nothing about the type.
bool HasProp(const QObject *component, const QString &propName);

// The published property of that name, found as `HasProp` finds it (the most derived class first);
// an invalid property when there is none.
QMetaProperty publishedProperty(const QObject *component, const QString &propName);
