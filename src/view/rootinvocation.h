#pragma once

#include <QVariantList>

class QQuickWidget;

// Calls a JavaScript function of the view's QML root by name. Every argument travels as a
// QVariant, the only parameter type a QML function has; results are ignored. Nothing happens
// when there is no root or it has no such function. At most four arguments.
void invokeRootFunction(QQuickWidget *view, const char *function, Qt::ConnectionType type,
                        const QVariantList &arguments = {});
