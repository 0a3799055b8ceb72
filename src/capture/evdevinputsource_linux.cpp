#include "capture/evdevinputsource_linux.h"

#include "capture/hooklog.h"
#include "capture/inputhook.h"
#include "capture/mousemessage_linux.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace
{

constexpr int keyValueRelease = 0;
// A node appears before the system has made it readable for this user: look once more later.
constexpr int lateAccessRetryMs = 1500;
constexpr int keyValueRepeat = 2;

bool hasBit(const unsigned char *bits, unsigned bit)
{
    return (bits[bit / 8] >> (bit % 8)) & 1U;
}

// A keyboard has letter keys, a mouse a left button; switches, lid buttons and the like have
// neither and are left alone.
bool isKeyboardOrMouse(int fd)
{
    unsigned char keyBits[KEY_MAX / 8 + 1] = {};
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keyBits), keyBits) < 0)
        return false;
    return hasBit(keyBits, KEY_A) || hasBit(keyBits, BTN_LEFT);
}

} // namespace

EvdevInputSource::EvdevInputSource(InputHook &owner) : hook(owner) {}

EvdevInputSource::~EvdevInputSource()
{
    close();
}

bool EvdevInputSource::openDevices(const QString &path)
{
    folder = path;
    openNewDevices();
    if (devices.empty()) {
        qCInfo(lcHook) << "no readable keyboard or mouse in" << folder;
        return false;
    }
    qCInfo(lcHook) << "watching" << devices.size() << "input devices in" << folder;
    watchFolder();
    return true;
}

void EvdevInputSource::watchFolder()
{
    folderWatcher = std::make_unique<QFileSystemWatcher>(QStringList{folder});
    QObject::connect(folderWatcher.get(), &QFileSystemWatcher::directoryChanged,
                     folderWatcher.get(), [this] {
                         openNewDevices();
                         QTimer::singleShot(lateAccessRetryMs, folderWatcher.get(),
                                            [this] { openNewDevices(); });
                     });
}

bool EvdevInputSource::isWatched(const QByteArray &path) const
{
    return std::any_of(devices.cbegin(), devices.cend(),
                       [&path](const auto &device) { return device->path == path; });
}

// Opens what is new in the folder, and forgets the devices that went away, so that one plugged
// in again under the same name is opened again.
void EvdevInputSource::openNewDevices()
{
    devices.erase(std::remove_if(devices.begin(), devices.end(),
                                 [](const auto &device) { return device->fd < 0; }),
                  devices.end());
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("event*")}, QDir::System | QDir::Files);
    for (const QString &name : names) {
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
        if (isWatched(path))
            continue;
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (isKeyboardOrMouse(fd)) {
            addDevice(fd);
            devices.back()->path = path;
        } else {
            ::close(fd);
        }
    }
}

void EvdevInputSource::addDevice(int fd)
{
    auto device = std::make_unique<Device>();
    device->fd = fd;
    device->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    Device *watched = device.get();
    QObject::connect(watched->notifier.get(), &QSocketNotifier::activated, watched->notifier.get(),
                     [this, watched] { readDevice(*watched); });
    devices.push_back(std::move(device));
}

void EvdevInputSource::close()
{
    folderWatcher.reset();
    for (const auto &device : devices) {
        device->notifier.reset();
        if (device->fd >= 0)
            ::close(device->fd);
    }
    devices.clear();
}

void EvdevInputSource::readDevice(Device &device)
{
    input_event events[64];
    const ssize_t got = ::read(device.fd, events, sizeof events);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got <= 0) {
        // Unplugged (or the stream ended): stop watching it, once.
        qCInfo(lcHook) << "an input device went away";
        device.notifier->setEnabled(false);
        ::close(device.fd);
        device.fd = -1;
        return;
    }

    const auto count = static_cast<std::size_t>(got) / sizeof(input_event);
    for (std::size_t i = 0; i < count; ++i) {
        const input_event &event = events[i];
        if (event.type != EV_KEY)
            continue;
        // A held key repeats as key-down, as Windows repeats WM_KEYDOWN.
        const bool down = event.value != keyValueRelease;
        const std::uint32_t button = mouseMessageForEvdevButton(event.code, down);
        if (button != 0) {
            if (event.value == keyValueRepeat)
                continue;
            const QPoint position = QCursor::pos();
            hook.mouseProcedure(button, position.x(), position.y());
        } else if (event.code < BTN_MISC) {
            const KeyRecord record = keys.record(event.code, down);
            hook.keyboardProcedure(0, record.message, record.scanCode, record.flags);
        }
    }
}
