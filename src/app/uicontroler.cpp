#include "app/uicontroler.h"

#include "device/hidthread.h"
#include "view/effects/keyboardpreview.h"
#include "view/myqquickview.h"
#include "view/rootinvocation.h"

#include <QQmlContext>

Ui_Controler::Ui_Controler(QWidget *window, Hid_Thread *hid, const QUrl &rootSource)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));
    widget = window;
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Only the window itself: a bare rule would reach every widget parented to it, and the file
    // dialogs opened from the view would lose their background and show their text on black.
    window->setStyleSheet(
        QStringLiteral("#%1 { background:transparent; }").arg(window->objectName()));

    registerKeyboardPreview();
    view = new myQQuickView(window);
    view->setObjectName(QStringLiteral("ui_View"));
    QQmlContext *context = view->rootContext();
    // The root asks for the backdrop's pictures as it is made: the stored look must be known by
    // then, or the built-in skin's pictures would be read first and at once replaced.
    context->setContextProperty(QStringLiteral("storedSettings"),
                                view->backend().settings().loadList());
    view->setSource(rootSource);
    // Published after the root exists: bindings using them are re-evaluated when they appear.
    context->setContextProperty(QStringLiteral("ui_View"), view.data());
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    window->resize(view->width(), view->height());

    window->setWindowTitle(
        view->backend().settings().value(QStringLiteral("common/name")).toString());
}

void Ui_Controler::onMinimize()
{
    if (widget)
        widget->setVisible(false);
}

void Ui_Controler::onXChanged(int x)
{
    if (widget)
        widget->move(widget->x() + x, widget->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (widget)
        widget->move(widget->x(), widget->y() + y);
}

void Ui_Controler::setBusy(int busyTime)
{
    invokeRootFunction(view, "setProtectUI", Qt::DirectConnection, {busyTime});
}

void Ui_Controler::onExit()
{
    if (widget)
        widget->close();
}

void Ui_Controler::checkDeviceAgain()
{
    Q_EMIT deviceCheckRequested();
}
