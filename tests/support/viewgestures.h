#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>

class QObject;
class QQuickItem;
class QWidget;

// Where an item of a QML file sits in the window: `scope` is an object declared in that file,
// `item` an expression there (an id, "getKey[3]").
QPointF pointIn(QObject *scope, const QString &item, double x, double y);
QPointF centreOf(QObject *scope, const QString &item);
// The same for an item at hand.
QPointF pointIn(const QQuickItem *item, double x, double y);
QPointF centreOf(const QQuickItem *item);

// Presses the left button at `from`, moves to `to` in steps with it held, releases there.
void dragOnView(QWidget *view, QPointF from, QPointF to);

// The feature reports of one command the virtual keyboard has received, whole.
QList<QByteArray> featureReportsFor(int command);
