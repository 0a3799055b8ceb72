#include "view/myqquickview.h"

#include "backend/updater.h"
#include "view/rootinvocation.h"
#include "view/viewlog.h"

#include <QQuickWindow>

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
    // The window's first picture never waits for the media backend.
    sounds.setLoadGate([this] { return !isVisible() || firstFrameShown; });

    DeviceBridge &bridge = objects.bridge();
    connect(&bridge, &DeviceBridge::firmwareChecked, this, &myQQuickView::currentVersion);
    connect(&bridge, &DeviceBridge::lightingStored, this, &myQQuickView::zzzMorvel);
    connect(&bridge, &DeviceBridge::keyboardDidNotTakeChange, this,
            &myQQuickView::tellKeyboardDidNotTakeChange);
    connect(&objects.macros(), &MacroLibrary::macroTooLong, this, &myQQuickView::showMacroTooLong);
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setHidThread(Hid_Thread *hid)
{
    objects.bridge().setHidThread(hid);
}

// A set whose transfer failed has long returned to the page, which shows the change as made:
// the user must hear that the keyboard did not take it, once, not once per command.
void myQQuickView::tellKeyboardDidNotTakeChange()
{
    constexpr qint64 oneNoticeMs = 5000;
    if (lastKeyboardNotice.isValid() && lastKeyboardNotice.elapsed() < oneNoticeMs)
        return;
    lastKeyboardNotice.start();
    QString text = messages.value(keyboardNoticeMessage);
    if (text.isEmpty())
        text = QStringLiteral("The keyboard did not take the change. Check that it is plugged "
                              "in, then try again.");
    qCInfo(lcView, "The keyboard did not take a change; the user is told");
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
