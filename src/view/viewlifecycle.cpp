#include "view/myqquickview.h"

#include "device/hidthread.h"
#include "storage/damagedfiles.h"
#include "storage/hardwarelimits.h"
#include "storage/settingfiles.h"
#include "view/rootinvocation.h"
#include "view/viewlog.h"

#include <QQuickWindow>
#include <QSettings>

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
            constexpr uchar firstQuery = 0x80;
            if (code != versionQuery)
                tellKeyboardDidNotTakeChange(code >= firstQuery ? keyboardSilentMessage
                                                                : keyboardNoticeMessage);
        },
        Qt::QueuedConnection);
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
