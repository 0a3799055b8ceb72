#include "app/widget.h"

#include "app/startupmemory.h"
#include "app/userevent.h"
#include "view/myqquickview.h"

#include <QCoreApplication>
#include <QQmlProperty>
#include <QQuickItem>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{
constexpr int deviceCheckDelayMs = 1024;
// A keyboard that is listed but cannot be opened is checked again after twice the time each
// round, up to this long, until the next device change.
constexpr int longestRetryDelayMs = 30000;
} // namespace

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
    // Nothing listed, nothing to be patient with.
    if (listedDevice.commandPath.isEmpty() && listedDevice.inputPath.isEmpty())
        retryDelayMs = deviceCheckDelayMs;
    // The firmware query is the first open of the command interface; a refusal empties its path.
    const bool commandRefused = !listedDevice.commandPath.isEmpty() &&
                                hid.devices().value(hid.selectedDevice()).commandPath.isEmpty();
    if (!commandRefused || !reportRefusal(listedDevice.commandPath))
        controller->uiView()->hideDeviceAccessProblem();
}

void Widget::deviceChangeNotified()
{
    retryDelayMs = deviceCheckDelayMs;
    if (!hid.isWorkerRunning())
        checkTimer.start(deviceCheckDelayMs);
}

// Gone, the keyboard is no longer listed at the next check and the checks stop there. Still
// listed, it failed to open for a reason that may pass, or may not: each check is a round of
// enumeration and opens, so they come less and less often.
void Widget::workerEnded()
{
    if (reportRefusal(listedDevice.inputPath) || hid.isWorkerRunning())
        return;
    checkTimer.start(retryDelayMs);
    retryDelayMs = std::min(2 * retryDelayMs, longestRetryDelayMs);
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
    // The interface makes its last parts in steps while the opening animation plays; a root
    // without steps is complete once "run" has run.
    QQmlProperty(view->rootObject(), QStringLiteral("startUpLeft"))
        .connectNotifySignal(this, SLOT(releaseWhenStartedUp()));
    QMetaObject::invokeMethod(this, &Widget::releaseWhenStartedUp, Qt::QueuedConnection);
}

void Widget::releaseWhenStartedUp()
{
    myQQuickView *view = controller->uiView();
    QObject *root = view->rootObject();
    if (root && root->property("startUpLeft").toInt() > 0)
        return;
    if (root)
        disconnect(root, nullptr, this, SLOT(releaseWhenStartedUp()));
    releaseStartupMemory(view->engine());
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
