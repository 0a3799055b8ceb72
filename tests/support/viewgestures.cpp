#include "viewgestures.h"

#include "device/virtual/virtualkeyboard.h"
#include "runningprogram.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QQuickItem>
#include <QWidget>

namespace
{
void sendMouse(QWidget *view, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, at, view->mapToGlobal(at), button, held, {});
    QCoreApplication::sendEvent(view, &event);
}
} // namespace

QPointF pointIn(QObject *scope, const QString &item, double x, double y)
{
    return qmlValue(scope, QStringLiteral("%1.mapToItem(null, %2, %3)").arg(item).arg(x).arg(y))
        .toPointF();
}

QPointF centreOf(QObject *scope, const QString &item)
{
    return qmlValue(scope,
                    QStringLiteral("%1.mapToItem(null, %1.width / 2, %1.height / 2)").arg(item))
        .toPointF();
}

QPointF pointIn(const QQuickItem *item, double x, double y)
{
    return item->mapToScene(QPointF(x, y));
}

QPointF centreOf(const QQuickItem *item)
{
    return pointIn(item, item->width() / 2, item->height() / 2);
}

void dragOnView(QWidget *view, QPointF from, QPointF to)
{
    constexpr int steps = 8;
    sendMouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= steps; ++step)
        sendMouse(view, QEvent::MouseMove, from + (to - from) * step / steps, Qt::NoButton,
                  Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

QList<QByteArray> featureReportsFor(int command)
{
    QList<QByteArray> reports;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls()) {
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport && call.data.size() > 2 &&
            quint8(call.data.at(1)) == command)
            reports.append(call.data);
    }
    return reports;
}
