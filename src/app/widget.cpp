#include "app/widget.h"

#include "app/startupmemory.h"
#include "app/userevent.h"
#include "view/myqquickview.h"

#include <QCoreApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{
constexpr int deviceCheckDelayMs = 1024;
}

Widget::Widget(QWidget *parent, const QUrl &rootSource) : QWidget(parent)
{
    controller = new Ui_Controler(this, &hid, rootSource);
    controller->uiView()->setHidThread(&hid);
    checkTimer.setInterval(deviceCheckDelayMs);
    checkTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the check is meant to come 1024 ms after the
    // last change.
    checkTimer.setTimerType(Qt::PreciseTimer);
    connect(&checkTimer, &QTimer::timeout, this, &Widget::checkDevice);

    // The worker ends on its own thread when it cannot open the keyboard any more. Gone, the
    // check that tells the UI is armed back here, as if the system had reported the removal;
    // still there but refused, the user is told instead.
    connect(&hid, &Hid_Thread::deviceRemoved, this, &Widget::workerEnded, Qt::QueuedConnection);
    connect(controller, &Ui_Controler::deviceCheckRequested, this, &Widget::deviceChangeNotified);
#ifdef Q_OS_LINUX
    connect(&deviceMonitor, &UdevDeviceMonitor::deviceChanged, this, &Widget::deviceChangeNotified);
#endif
}

Widget::~Widget()
{
    hid.stopWorker();
    controller->deleteLater();
}

void Widget::startUI()
{
    controller->setBusy(1);
    controller->uiView()->initUI();
    QCoreApplication::postEvent(this,
                                new UserEvent(UserEvent::userEventType, UserEvent::startUiCode));
}

void Widget::checkDevice()
{
    listedDevice = controller->uiView()->backend().bridge().findKeyboard();
    // The firmware query is the first open of the command interface; a refusal empties its path.
    const bool commandRefused = !listedDevice.commandPath.isEmpty() &&
                                hid.devices().value(hid.selectedDevice()).commandPath.isEmpty();
    if (!commandRefused || !reportRefusal(listedDevice.commandPath))
        controller->uiView()->hideDeviceAccessProblem();
}

void Widget::deviceChangeNotified()
{
    if (!hid.isWorkerRunning())
        checkTimer.start();
}

void Widget::workerEnded()
{
    if (!reportRefusal(listedDevice.inputPath))
        deviceChangeNotified();
}

bool Widget::reportRefusal(const QString &path)
{
    if (path.isEmpty())
        return false;
    const HidBackend::OpenFailure failure = hid.openFailure(path);
    if (failure == HidBackend::OpenFailure::Gone)
        return false;
    controller->uiView()->showDeviceAccessProblem(listedDevice.name, path,
                                                  failure == HidBackend::OpenFailure::InUse);
    return true;
}

void Widget::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
}

void Widget::customEvent(QEvent *event)
{
    const auto *userEvent = dynamic_cast<const UserEvent *>(event);
    if (!userEvent || event->type() != UserEvent::userEventType ||
        userEvent->code != UserEvent::startUiCode)
        return;
    controller->setBusy(0);
    myQQuickView *view = controller->uiView();
    view->runUI();
    // Queued behind "run": the interface is complete then, and what its set-up needed only
    // once can go.
    QMetaObject::invokeMethod(
        view, [view] { releaseStartupMemory(view->engine()); }, Qt::QueuedConnection);
}

#ifdef Q_OS_WIN
bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (eventType == "windows_generic_MSG" && msg->message == WM_DEVICECHANGE)
        deviceChangeNotified();
    // Qt's own handling always follows: result starts at 0.
    return result && *result != 0;
}
#endif
