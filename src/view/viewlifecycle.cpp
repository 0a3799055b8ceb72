#include "view/myqquickview.h"

#include "backend/updater.h"
#include "view/rootinvocation.h"
#include "view/startuplog.h"
#include "view/viewlog.h"

#include <QQuickItem>
#include <QQuickWindow>

namespace
{
// Used when the language file lacks a text, so a notice never shows up blank.
QString fallbackNotice(int message)
{
    switch (message) {
    case myQQuickView::keyboardSilentMessage:
        return QStringLiteral("The keyboard is not answering. Check that it is plugged in; the "
                              "page shows what the profile holds.");
    case myQQuickView::macroNotSavedMessage:
        return QStringLiteral("The macro could not be saved: its file cannot be written (the "
                              "disk may be full or read-only). The steps stay on the page and "
                              "the file keeps what it held.");
    case myQQuickView::macroWithoutSlotMessage:
        return QStringLiteral("This macro has no slot on the keyboard, so it cannot be bound to "
                              "a key. The macros that came with the program have one.");
    default:
        return QStringLiteral("The keyboard did not take the change. Check that it is plugged "
                              "in, then try again.");
    }
}
} // namespace

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent)
{
    // The window is translucent; the QML root decides what is drawn.
    setClearColor(Qt::transparent);
    // Queued, so that whatever waits for the first frame runs once it is on the screen.
    connect(
        quickWindow(), &QQuickWindow::afterRendering, this,
        [this] {
            firstFrameShown = true;
            sounds.playWaiting();
        },
        Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    if (lcStartup().isDebugEnabled())
        connect(quickWindow(), &QQuickWindow::afterRendering, this,
                [] { qCDebug(lcStartup, "frame"); });
    // The window's first picture never waits for the media backend.
    sounds.setLoadGate([this] { return !isVisible() || firstFrameShown; });

    DeviceBridge &bridge = objects.bridge();
    connect(&bridge, &DeviceBridge::firmwareChecked, this, &myQQuickView::currentVersion);
    connect(&bridge, &DeviceBridge::lightingStored, this, &myQQuickView::zzzMorvel);
    connect(&bridge, &DeviceBridge::commandNotTaken, this, [this](uchar code) {
        constexpr uchar firstQuery = 0x80;
        tellKeyboardDidNotTakeChange(code >= firstQuery ? keyboardSilentMessage
                                                        : keyboardNoticeMessage);
    });
    connect(&objects.macros(), &MacroLibrary::macroTooLong, this, &myQQuickView::showMacroTooLong);
    connect(&objects.macros(), &MacroLibrary::macroNotSaved, this,
            [this] { showNotice(macroNotSavedMessage); });
}

myQQuickView::~myQQuickView() = default;

bool myQQuickView::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        if (rootObject() && rootObject()->property("startUpLeft").toInt() > 0)
            invokeRootFunction(this, "finishStartUp", Qt::DirectConnection);
        break;
    default:
        break;
    }
    return QQuickWidget::event(event);
}

void myQQuickView::setHidThread(Hid_Thread *hid)
{
    objects.bridge().setHidThread(hid);
}

// A set whose transfer failed has long returned to the page, which shows the change as made,
// and a query that failed leaves the page showing the profile: the user must hear that the
// keyboard did not take part, once, not once per command.
void myQQuickView::tellKeyboardDidNotTakeChange(int message)
{
    constexpr qint64 oneNoticeMs = 5000;
    if (message == lastKeyboardNoticeMessage && lastKeyboardNotice.isValid() &&
        lastKeyboardNotice.elapsed() < oneNoticeMs)
        return;
    lastKeyboardNotice.start();
    lastKeyboardNoticeMessage = message;
    qCInfo(lcView, "The keyboard did not take a change or answer a query; the user is told");
    showNotice(message);
}

void myQQuickView::showNotice(int message)
{
    QString text = messages.value(message);
    if (text.isEmpty())
        text = fallbackNotice(message);
    invokeRootFunction(this, "showKeyboardNotice", Qt::QueuedConnection, {text});
}

void myQQuickView::currentVersion(bool isMyKeyboard)
{
    invokeRootFunction(this, "currentVersion", Qt::QueuedConnection, {isMyKeyboard});
}

void myQQuickView::closeUI()
{
    invokeRootFunction(this, "close", Qt::QueuedConnection);
}

void myQQuickView::initUI()
{
    invokeRootFunction(this, "initUI", Qt::QueuedConnection);
}

void myQQuickView::zzzMorvel()
{
    invokeRootFunction(this, "zzzMorvel", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    invokeRootFunction(this, "run", Qt::QueuedConnection);
    // The interface has loaded its language by now.
    showSetAsideFiles();
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    invokeRootFunction(this, "detectKeyboard", Qt::QueuedConnection, {isDown, int(usbCode)});
}

void myQQuickView::detectMouse(bool isDown, uint volkCode, uint x, uint y)
{
    invokeRootFunction(this, "detectMouse", Qt::QueuedConnection, {isDown, volkCode, x, y});
}

void myQQuickView::syncFW()
{
    objects.bridge().syncFW();
}

void myQQuickView::openUpdateExe()
{
    launchUpdater(objects.bridge().device(), this);
}
