#include "itemnames.h"

#include <QMetaObject>
#include <QQuickItem>
#include <QSet>
#include <QString>
#include <QStringList>

namespace
{
QObjectList below(QObject *object)
{
    QObjectList objects = object->children();
    if (auto *item = qobject_cast<QQuickItem *>(object)) {
        for (QQuickItem *child : item->childItems())
            objects.append(child);
    }
    return objects;
}

// Level by level; an object that is the child of one object and the child item of another is
// looked at once.
QQuickItem *findBelow(QObject *within, const QString &name)
{
    QSet<QObject *> seen{within};
    QObjectList level{within};
    while (!level.isEmpty()) {
        QObjectList next;
        for (QObject *object : level) {
            for (QObject *child : below(object)) {
                if (seen.contains(child))
                    continue;
                seen.insert(child);
                auto *item = qobject_cast<QQuickItem *>(child);
                if (item && child->objectName() == name)
                    return item;
                next.append(child);
            }
        }
        level = next;
    }
    return nullptr;
}
} // namespace

QQuickItem *itemNamed(QObject *within, const QString &path)
{
    QObject *scope = within;
    for (const QString &name : path.split(QLatin1Char('/'))) {
        QQuickItem *found = scope ? findBelow(scope, name) : nullptr;
        if (!found)
            qFatal("No item named \"%s\" below %s", qPrintable(path),
                   scope ? scope->metaObject()->className() : "nothing");
        scope = found;
    }
    return static_cast<QQuickItem *>(scope);
}

QQuickItem *listRow(QObject *listView, int row)
{
    QQuickItem *item = nullptr;
    QMetaObject::invokeMethod(listView, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, item),
                              Q_ARG(int, row));
    return item;
}
