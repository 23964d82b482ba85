// HasProp and its kin: published properties looked up by name.
#include "lang/PublishedProperties.h"

#include <QByteArray>
#include <QHash>
#include <QMetaObject>
#include <QObject>

QMetaProperty publishedProperty(const QObject *component, const QString &propName)
{
    if (!component)
        return QMetaProperty();
    const QMetaObject *meta = component->metaObject();
    // A start asks every component of a few classes for the same few names: each class is
    // searched once per name.
    static QHash<std::pair<const QMetaObject *, QByteArray>, int> found;
    const QByteArray name = propName.toUtf8();
    const auto key = std::pair(meta, name.toLower());
    auto known = found.constFind(key);
    if (known == found.cend()) {
        int match = -1;
        for (int index = meta->propertyCount() - 1; index >= 0 && match < 0; --index) {
            if (qstricmp(meta->property(index).name(), name.constData()) == 0)
                match = index;
        }
        known = found.insert(key, match);
    }
    return *known >= 0 ? meta->property(*known) : QMetaProperty();
}

bool HasProp(const QObject *component, const QString &propName)
{
    return publishedProperty(component, propName).isValid();
}
