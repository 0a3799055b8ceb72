#include "view/rootinvocation.h"

#include "view/viewlog.h"

#include <QMetaObject>
#include <QQuickItem>
#include <QQuickWidget>

void invokeRootFunction(QQuickWidget *view, const char *function, Qt::ConnectionType type,
                        const QVariantList &arguments)
{
    QObject *root = view ? view->rootObject() : nullptr;
    if (!root)
        return;
    const QVariantList &a = arguments;
    switch (a.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, a[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, a[0]),
                                  Q_ARG(QVariant, a[1]));
        break;
    case 3:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, a[0]),
                                  Q_ARG(QVariant, a[1]), Q_ARG(QVariant, a[2]));
        break;
    case 4:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, a[0]),
                                  Q_ARG(QVariant, a[1]), Q_ARG(QVariant, a[2]),
                                  Q_ARG(QVariant, a[3]));
        break;
    default:
        qCWarning(lcView) << "Too many arguments for the QML function" << function;
        break;
    }
}
