#include "lang/SMLPublic.h"

#include <QByteArray>
#include <QMetaObject>
#include <QObject>

QMetaProperty publishedProperty(const QObject *component, const QString &propName)
{
    if (!component)
        return QMetaProperty();
    const QByteArray name = propName.toUtf8();
    const QMetaObject *meta = component->metaObject();
    for (int index = meta->propertyCount() - 1; index >= 0; --index) {
        const QMetaProperty property = meta->property(index);
        if (qstricmp(property.name(), name.constData()) == 0)
            return property;
    }
    return QMetaProperty();
}

bool HasProp(const QObject *component, const QString &propName)
{
    return publishedProperty(component, propName).isValid();
}
