#pragma once

#include <QQuickItem>

class QString;

// The item named `path` below `within`: an objectName, or objectNames joined by "/", each looked
// for below the one before. An item is looked for among the QObject children and the child items
// alike (a view holds its delegates as child items only), the nearest first. A name that is not
// there ends the test program: the test asks for an item the interface does not have.
QQuickItem *itemNamed(QObject *within, const QString &path);

// The item a list view shows for `row`; null where it shows none.
QQuickItem *listRow(QObject *listView, int row);
