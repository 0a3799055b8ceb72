#include "device/virtual/virtualkeyboard.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

const char VirtualKeyboard::commandPath[] = "virtual:r7-keyboard/command";
const char VirtualKeyboard::inputPath[] = "virtual:r7-keyboard/input";
const char VirtualKeyboard::sharedPath[] = "virtual:r7-keyboard/hidraw";

namespace
{
wchar_t *copyWide(const wchar_t *text)
{
    const size_t length = std::wcslen(text) + 1;
    auto *copy = static_cast<wchar_t *>(std::calloc(length, sizeof(wchar_t)));
    std::wmemcpy(copy, text, length);
    return copy;
}

hid_device_info *describeInterface(bool command, const QByteArray &node)
{
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    const char *path = node.constData();
    info->path = static_cast<char *>(std::calloc(std::strlen(path) + 1, 1));
    std::strcpy(info->path, path);
    info->vendor_id = VirtualKeyboard::vendorId;
    info->product_id = VirtualKeyboard::productId;
    info->serial_number = copyWide(L"R7-VIRTUAL-0001");
    info->release_number = 0x0102;
    info->manufacturer_string = copyWide(L"R7");
    info->product_string = copyWide(L"R7 Keyboard (virtual)");
    info->usage_page = command ? 0xFF01 : 0xFF02;
    info->usage = 0x0001;
    info->interface_number = command ? 1 : 2;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

QByteArray bytes(const unsigned char *data, size_t length)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(length));
}
} // namespace

VirtualKeyboard &VirtualKeyboard::shared()
{
    static VirtualKeyboard keyboard;
    return keyboard;
}

VirtualKeyboard::VirtualKeyboard()
{
    if (qEnvironmentVariableIntValue("R7_VIRTUAL_HIDRAW") == 1)
        nodeLayout = Nodes::Shared;
}

VirtualKeyboard::~VirtualKeyboard()
{
    qDeleteAll(handles);
}

void VirtualKeyboard::record(Call::Kind kind, const QString &path, const QByteArray &data,
                             int result)
{
    // The worker alone makes a few calls a second for as long as the program runs: keep the
    // recent past, not the whole day.
    constexpr qsizetype maxLoggedCalls = 20000;
    if (log.size() >= maxLoggedCalls)
        log.remove(0, maxLoggedCalls / 2);
    log.append(Call{kind, path, data, result, std::chrono::steady_clock::now()});
}

QString VirtualKeyboard::commandNodeLocked() const
{
    return QString::fromLatin1(nodeLayout == Nodes::Shared ? sharedPath : commandPath);
}

QString VirtualKeyboard::inputNodeLocked() const
{
    return QString::fromLatin1(nodeLayout == Nodes::Shared ? sharedPath : inputPath);
}

// What the kernel does with an input report: a copy for every handle open on the node, or,
// with none open, the keyboard keeps it until one opens.
void VirtualKeyboard::deliver(const QString &node, const QByteArray &report)
{
    bool delivered = false;
    for (Handle *h : std::as_const(handles)) {
        if (h->node == node) {
            h->received.push_back(report);
            delivered = true;
        }
    }
    if (!delivered)
        held[node].push_back(report);
    inputArrived.notify_all();
}

void VirtualKeyboard::dropInputReports()
{
    queryReports.clear();
    held.clear();
    for (Handle *h : std::as_const(handles))
        h->received.clear();
    inputArrived.notify_all();
}

void VirtualKeyboard::disconnect()
{
    plugged = false;
    dropInputReports();
}

bool VirtualKeyboard::strikes(Fault &fault)
{
    if (faultCountdown <= 0 || --faultCountdown > 0)
        return false;
    struck = true;
    fault = armedFault;
    if (fault == Fault::Vanish)
        disconnect();
    return true;
}

VirtualKeyboard::Handle *VirtualKeyboard::handle(hid_device *device) const
{
    auto *h = reinterpret_cast<Handle *>(device);
    return handles.contains(h) ? h : nullptr;
}

void VirtualKeyboard::delay() const
{
    // Waits on the condition rather than sleeping, so that lowering the latency releases the
    // calls already waiting: a test can hold the transport and let it go when it wants.
    std::unique_lock<std::mutex> locker(lock);
    const auto start = std::chrono::steady_clock::now();
    while (latencyMs > 0) {
        const auto until = start + std::chrono::milliseconds(latencyMs);
        if (std::chrono::steady_clock::now() >= until)
            break;
        latencyChanged.wait_until(locker, until);
    }
}

hid_device_info *VirtualKeyboard::enumerate(unsigned short vendor, unsigned short product)
{
    std::lock_guard<std::mutex> locker(lock);
    record(Call::Enumerate, QString(), QByteArray(), 0);
    const bool matches =
        (vendor == 0 || vendor == vendorId) && (product == 0 || product == productId);
    if (!plugged || state.inBootLoader() || !matches)
        return nullptr;

    QList<bool> order; // true: the command interface
    switch (present) {
    case Interfaces::Both:
        order = {true, false};
        break;
    case Interfaces::Reversed:
        order = {false, true};
        break;
    case Interfaces::CommandOnly:
        order = {true};
        break;
    case Interfaces::InputOnly:
        order = {false};
        break;
    }
    hid_device_info *first = nullptr;
    hid_device_info **next = &first;
    for (bool command : order) {
        *next = describeInterface(command,
                                  (command ? commandNodeLocked() : inputNodeLocked()).toLatin1());
        next = &(*next)->next;
    }
    return first;
}

void VirtualKeyboard::free_enumeration(hid_device_info *devices)
{
    while (devices) {
        hid_device_info *next = devices->next;
        std::free(devices->path);
        std::free(devices->serial_number);
        std::free(devices->manufacturer_string);
        std::free(devices->product_string);
        std::free(devices);
        devices = next;
    }
}

hid_device *VirtualKeyboard::open_path(const char *path)
{
    delay();
    std::lock_guard<std::mutex> locker(lock);
    const QString name = QString::fromLatin1(path);
    const bool command = name == commandNodeLocked() && present != Interfaces::InputOnly;
    const bool input = name == inputNodeLocked() && present != Interfaces::CommandOnly;
    Fault fault;
    const bool failed = strikes(fault);
    if (!plugged || state.inBootLoader() || !(command || input) || failed ||
        refusal != OpenFailure::Gone || opensFail) {
        record(Call::Open, name, QByteArray(), -1);
        return nullptr;
    }
    auto *h = new Handle{name, command, false, {}};
    handles.insert(h);
    // Opening the node starts the kernel reading it: what the keyboard held goes to every
    // handle now open there.
    const std::deque<QByteArray> waiting = held.take(name);
    for (const QByteArray &report : waiting)
        deliver(name, report);
    record(Call::Open, name, QByteArray(), 0);
    return reinterpret_cast<hid_device *>(h);
}

HidBackend::OpenFailure VirtualKeyboard::openFailure(const char *)
{
    std::lock_guard<std::mutex> locker(lock);
    return plugged && !state.inBootLoader() ? refusal : OpenFailure::Gone;
}

void VirtualKeyboard::close(hid_device *device)
{
    std::lock_guard<std::mutex> locker(lock);
    Handle *h = handle(device);
    if (!h)
        return;
    record(Call::Close, h->node, QByteArray(), 0);
    handles.remove(h);
    delete h;
}

int VirtualKeyboard::set_nonblocking(hid_device *device, int nonblock)
{
    std::lock_guard<std::mutex> locker(lock);
    Handle *h = handle(device);
    if (!h)
        return -1;
    // Switching modes moves no bytes: only a failure or a lost keyboard can strike here.
    Fault fault;
    if (armedFault != Fault::Empty && strikes(fault)) {
        record(Call::SetNonblocking, h->node, QByteArray(1, char(nonblock)), -1);
        return -1;
    }
    h->nonblocking = nonblock != 0;
    record(Call::SetNonblocking, h->node, QByteArray(1, char(nonblock)), 0);
    return 0;
}

int VirtualKeyboard::send_feature_report(hid_device *device, const unsigned char *data,
                                         size_t length)
{
    delay();
    std::lock_guard<std::mutex> locker(lock);
    Handle *h = handle(device);
    if (!h)
        return -1;
    Fault fault;
    const bool failed = strikes(fault);
    int result = plugged && h->command && length >= 2 ? int(length) : -1;
    if (failed && result >= 0)
        result = fault == Fault::Empty ? 0 : -1;
    record(Call::SendFeatureReport, h->node, bytes(data, length), result);
    if (result <= 0)
        return result;

    state.receiveCommand(bytes(data + 1, length - 1));
    queryReports.clear();
    queryThread = std::this_thread::get_id();
    const QByteArray reply = state.queryData();
    for (int offset = 0; offset < reply.size(); offset += reportLength) {
        if (dataReportsPerQuery >= 0 && int(queryReports.size()) >= dataReportsPerQuery)
            break;
        const int size = shortDataReports ? reportLength / 2 : reportLength;
        queryReports.push_back(reply.mid(offset, size));
    }
    // The keyboard drops off the bus to come back as its boot loader.
    if (state.inBootLoader())
        dropInputReports();
    return result;
}

int VirtualKeyboard::get_feature_report(hid_device *device, unsigned char *data, size_t length)
{
    delay();
    std::lock_guard<std::mutex> locker(lock);
    Handle *h = handle(device);
    if (!h)
        return -1;
    Fault fault;
    const bool failed = strikes(fault);
    int result = -1;
    if (plugged && !state.inBootLoader() && h->command && answersFeatureReports && length >= 1) {
        if (failed) {
            result = fault == Fault::Empty ? 0 : -1;
        } else {
            const QByteArray answer = state.answer();
            const size_t count = std::min(length - 1, size_t(answer.size()));
            std::memcpy(data + 1, answer.constData(), count);
            result = int(count + 1);
        }
    }
    record(Call::GetFeatureReport, h->node, result < 0 ? QByteArray() : bytes(data, size_t(result)),
           result);
    return result;
}

int VirtualKeyboard::write(hid_device *device, const unsigned char *data, size_t length)
{
    delay();
    std::lock_guard<std::mutex> locker(lock);
    Handle *h = handle(device);
    if (!h)
        return -1;
    Fault fault;
    const bool failed = strikes(fault);
    int result = plugged && !state.inBootLoader() && h->command && length >= 1 ? int(length) : -1;
    if (failed && result >= 0)
        result = fault == Fault::Empty ? 0 : -1;
    record(Call::Write, h->node, bytes(data, length), result);
    if (result > 0)
        state.receiveData(bytes(data + 1, std::min(length - 1, size_t(reportLength))));
    return result;
}

int VirtualKeyboard::read(hid_device *device, unsigned char *data, size_t length)
{
    return read_timeout(device, data, length, -1);
}

int VirtualKeyboard::read_timeout(hid_device *device, unsigned char *data, size_t length,
                                  int milliseconds)
{
    const bool blockingRead = milliseconds == -1;
    delay();
    std::unique_lock<std::mutex> locker(lock);
    Handle *h = handle(device);
    if (!h)
        return -1;
    const Call::Kind kind = blockingRead ? Call::Read : Call::ReadTimeout;
    const QString path = h->node;
    Fault fault;
    if (strikes(fault) && fault != Fault::Vanish) {
        const int result = fault == Fault::Empty ? 0 : -1;
        record(kind, path, QByteArray(), result);
        return result;
    }
    const bool waitsForever = !h->nonblocking && milliseconds < 0;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(h->nonblocking ? 0 : std::max(milliseconds, 0));
    auto expired = [&] { return !waitsForever && std::chrono::steady_clock::now() >= deadline; };
    // The thread that sent the query reading on a command handle is the host asking for the
    // next data report; every handle open on the node gets a copy of it.
    auto ready = [&] {
        if (h->command && std::this_thread::get_id() == queryThread && h->received.empty() &&
            !queryReports.empty()) {
            const QByteArray next = queryReports.front();
            queryReports.pop_front();
            deliver(h->node, next);
        }
        return !h->received.empty();
    };
    while (plugged && !state.inBootLoader() && handle(device) && !ready() && !expired()) {
        if (waitsForever)
            inputArrived.wait(locker);
        else
            inputArrived.wait_until(locker, deadline);
    }

    if (!handle(device) || !plugged || state.inBootLoader()) {
        record(kind, path, QByteArray(), -1);
        return -1;
    }
    if (h->received.empty()) {
        record(kind, path, QByteArray(), 0);
        return 0;
    }
    const QByteArray report = h->received.front();
    h->received.pop_front();
    const size_t count = std::min(length, size_t(report.size()));
    std::memcpy(data, report.constData(), count);
    record(kind, path, report.left(qsizetype(count)), int(count));
    return int(count);
}

void VirtualKeyboard::plug()
{
    std::lock_guard<std::mutex> locker(lock);
    plugged = true;
    state.leaveBootLoader();
}

void VirtualKeyboard::unplug()
{
    std::lock_guard<std::mutex> locker(lock);
    disconnect();
}

bool VirtualKeyboard::isPlugged() const
{
    std::lock_guard<std::mutex> locker(lock);
    return plugged && !state.inBootLoader();
}

void VirtualKeyboard::setInterfaces(Interfaces interfaces)
{
    std::lock_guard<std::mutex> locker(lock);
    present = interfaces;
}

void VirtualKeyboard::setRefusesOpens(OpenFailure reason)
{
    std::lock_guard<std::mutex> locker(lock);
    refusal = reason;
}

void VirtualKeyboard::setOpensFail(bool fail)
{
    std::lock_guard<std::mutex> locker(lock);
    opensFail = fail;
}

void VirtualKeyboard::setNodes(Nodes nodes)
{
    std::lock_guard<std::mutex> locker(lock);
    nodeLayout = nodes;
}

VirtualKeyboard::Nodes VirtualKeyboard::nodes() const
{
    std::lock_guard<std::mutex> locker(lock);
    return nodeLayout;
}

QString VirtualKeyboard::commandNode() const
{
    std::lock_guard<std::mutex> locker(lock);
    return commandNodeLocked();
}

QString VirtualKeyboard::inputNode() const
{
    std::lock_guard<std::mutex> locker(lock);
    return inputNodeLocked();
}

void VirtualKeyboard::armFault(Fault fault, int k)
{
    std::lock_guard<std::mutex> locker(lock);
    armedFault = fault;
    faultCountdown = k;
    struck = false;
}

bool VirtualKeyboard::faultStruck() const
{
    std::lock_guard<std::mutex> locker(lock);
    return struck;
}

void VirtualKeyboard::setAnswersFeatureReports(bool answers)
{
    std::lock_guard<std::mutex> locker(lock);
    answersFeatureReports = answers;
}

void VirtualKeyboard::setDataReportsPerQuery(int count)
{
    std::lock_guard<std::mutex> locker(lock);
    dataReportsPerQuery = count;
}

void VirtualKeyboard::setShortDataReports(bool shortReports)
{
    std::lock_guard<std::mutex> locker(lock);
    shortDataReports = shortReports;
}

void VirtualKeyboard::setLatency(int ms)
{
    std::lock_guard<std::mutex> locker(lock);
    latencyMs = ms;
    latencyChanged.notify_all();
}

void VirtualKeyboard::setIdentity(const VirtualFirmware::Identity &identity)
{
    std::lock_guard<std::mutex> locker(lock);
    state.identity = identity;
}

VirtualFirmware::Identity VirtualKeyboard::refusedIdentity()
{
    return VirtualFirmware::Identity{0x0300, 0x02, 0x00, 0x00};
}

void VirtualKeyboard::changeLighting(const std::array<quint8, 7> &ledType)
{
    QByteArray report(notificationLength, '\0');
    report[0] = 0x05;
    report[1] = char(0x88);
    for (int i = 0; i < 7; ++i)
        report[4 + i] = char(ledType[size_t(i)]);
    {
        std::lock_guard<std::mutex> locker(lock);
        state.profiles[state.currentProfile].ledType = ledType;
    }
    sendInputReport(report);
}

void VirtualKeyboard::sendInputReport(const QByteArray &report)
{
    std::lock_guard<std::mutex> locker(lock);
    // A report carries at least one byte: an empty one never reaches the host.
    if (!plugged || report.isEmpty())
        return;
    deliver(inputNodeLocked(), report);
}

VirtualFirmware VirtualKeyboard::firmware() const
{
    std::lock_guard<std::mutex> locker(lock);
    return state;
}

void VirtualKeyboard::setFirmware(const VirtualFirmware &firmware)
{
    std::lock_guard<std::mutex> locker(lock);
    state = firmware;
}

QList<VirtualKeyboard::Call> VirtualKeyboard::calls() const
{
    std::lock_guard<std::mutex> locker(lock);
    return log;
}

void VirtualKeyboard::clearCalls()
{
    std::lock_guard<std::mutex> locker(lock);
    log.clear();
}

int VirtualKeyboard::openHandles() const
{
    std::lock_guard<std::mutex> locker(lock);
    return int(handles.size());
}
