#include "view/myqquickview.h"

#include "device/hidthread.h"
#include "storage/damagedfiles.h"
#include "storage/hardwarelimits.h"
#include "storage/settingfiles.h"
#include "view/rootinvocation.h"
#include "view/viewlog.h"

#include <QQuickWindow>
#include <QSettings>

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent)
{
    // The window is translucent; the QML root decides what is drawn.
    setClearColor(Qt::transparent);
    // Queued, so that whatever waits for the first frame runs once it is on the screen.
    connect(quickWindow(), &QQuickWindow::afterRendering, this, &myQQuickView::firstFrameRendered,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));

    const HardwareLimits limits = readHardwareLimits(SettingFiles::hardwareDefinition());
    kbLayoutType = limits.kbLayoutType;
    maxMacro = limits.maxMacro;
    maxProfile = limits.maxProfile;

    // QSettings would read a crafted file into a crash at every start: the strict reader sees
    // the stored files first.
    setAsideFiles = setAsideDamagedFiles(maxProfile);
    apConfig = new QSettings(SettingFiles::apConfig(), QSettings::IniFormat);
    for (int i = 0; i < maxProfile; ++i)
        profileSettings.append(new QSettings(SettingFiles::profile(i), QSettings::IniFormat));
}

myQQuickView::~myQQuickView()
{
    delete apConfig;
    qDeleteAll(profileSettings);
}

void myQQuickView::setHidThread(Hid_Thread *hid)
{
    if (hidThread)
        disconnect(hidThread, nullptr, this, nullptr);
    hidThread = hid;
    if (!hid)
        return;
    connect(hid, &Hid_Thread::ledStateReceived, this, &myQQuickView::storeLedState,
            Qt::QueuedConnection);
    // A failed version query is told by the firmware check itself: the keyboard shows as not
    // connected.
    connect(
        hid, &Hid_Thread::commandFailed, this,
        [this](uchar code) {
            constexpr uchar versionQuery = 0x80;
            if (code != versionQuery)
                tellKeyboardDidNotTakeChange();
        },
        Qt::QueuedConnection);
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

QSettings *myQQuickView::profileAt(int index) const
{
    if (index < 0 || index >= profileSettings.size())
        return nullptr;
    return profileSettings.at(index);
}

// The keyboard changed its lighting by itself: keep the profile file in step, then let the
// colour pages reload from it.
void myQQuickView::storeLedState(const QVariantList &ledType)
{
    if (QSettings *profile = profileAt(currentProfile)) {
        profile->setValue(QStringLiteral("color/ledType"), ledType);
        profile->sync();
    }
    zzzMorvel();
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
