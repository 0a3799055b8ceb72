#pragma once

#include "device/hidbackend.h"
#include "device/virtual/virtualfirmware.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// An R7 keyboard that lives inside the program. It enumerates like the real one (both
// vendor-defined interfaces), answers every command from its own firmware state, sends
// lighting notifications when asked, and can be unplugged, made silent or slow, or made to
// fail any one call. Every hidapi call it receives is recorded with its bytes. All of it is
// safe to use from any thread.
//
// Input reports travel as the kernel delivers them: every handle open on a node receives its
// own copy of each report the keyboard sends while it is open; a report sent while nothing is
// open waits in the keyboard for the next open. The data reports of a query are sent one by
// one as the host reads them.
//
// Its lock and wake-ups are the C++ library's, so that ThreadSanitizer sees every hand-off
// between the threads of the program and of a test.
class VirtualKeyboard final : public HidBackend
{
public:
    static constexpr unsigned short vendorId = 0x1209;
    static constexpr unsigned short productId = 0x0001;
    static constexpr int reportLength = 64;
    static constexpr int notificationLength = 12;
    static const char commandPath[];
    static const char inputPath[];
    static const char sharedPath[];

    enum class Interfaces { Both, Reversed, CommandOnly, InputOnly };
    // Separate: each collection has a node of its own. Shared: both share one node, as hidraw
    // gives them when they belong to one USB interface, so the data reports of a query reach
    // the input handle too and the notifications reach command handles.
    enum class Nodes { Separate, Shared };
    // What the armed call does: fail (-1 or null), move 0 bytes, or find the keyboard gone.
    enum class Fault { Fail, Empty, Vanish };

    struct Call {
        enum Kind {
            Enumerate,
            Open,
            Close,
            SetNonblocking,
            SendFeatureReport,
            GetFeatureReport,
            Write,
            Read,
            ReadTimeout
        };
        Kind kind;
        QString path;    // the interface the call went to; empty for Enumerate
        QByteArray data; // bytes sent, or bytes delivered to the caller
        int result = 0;
        std::chrono::steady_clock::time_point at; // when the call completed
    };

    // The keyboard R7_VIRTUAL_KEYBOARD=1 gives the program.
    static VirtualKeyboard &shared();

    // Shared nodes when R7_VIRTUAL_HIDRAW=1, so that whole test programs run in either mode.
    VirtualKeyboard();
    ~VirtualKeyboard() override;

    hid_device_info *enumerate(unsigned short vendor, unsigned short product) override;
    void free_enumeration(hid_device_info *devices) override;
    hid_device *open_path(const char *path) override;
    void close(hid_device *device) override;
    int set_nonblocking(hid_device *device, int nonblock) override;
    int send_feature_report(hid_device *device, const unsigned char *data, size_t length) override;
    int get_feature_report(hid_device *device, unsigned char *data, size_t length) override;
    int write(hid_device *device, const unsigned char *data, size_t length) override;
    int read(hid_device *device, unsigned char *data, size_t length) override;
    int read_timeout(hid_device *device, unsigned char *data, size_t length,
                     int milliseconds) override;
    OpenFailure openFailure(const char *path) override;

    // Plugging: unplugging fails every later open and every call on a handle still open.
    void plug();
    void unplug();
    bool isPlugged() const;
    void setInterfaces(Interfaces interfaces);
    // Listed as usual, but every open fails for this reason (Gone: opens succeed again).
    void setRefusesOpens(OpenFailure reason);
    // Listed as usual, but every open fails for a reason that is neither permission nor another
    // program (an I/O error of the node): openFailure says Gone.
    void setOpensFail(bool fail);

    void setNodes(Nodes nodes);
    Nodes nodes() const;
    // The paths the two collections enumerate with.
    QString commandNode() const;
    QString inputNode() const;

    // Faults: no answer to feature reads; only the first `count` data reports of a query come
    // (-1: all); data reports shorter than reportLength; every call taking `ms` longer (lowering
    // it releases the calls already waiting).
    void setAnswersFeatureReports(bool answers);
    void setDataReportsPerQuery(int count);
    void setShortDataReports(bool shortReports);
    void setLatency(int ms);
    // The k-th call from now (1: the next) that can fail does as `fault` says: opens, the
    // nonblocking switch, feature reports, writes and reads count; enumeration and close do not.
    void armFault(Fault fault, int k);
    // True once the armed fault has struck.
    bool faultStruck() const;

    // The firmware identity the version query reports; the default is an accepted keyboard.
    void setIdentity(const VirtualFirmware::Identity &identity);
    static VirtualFirmware::Identity refusedIdentity();

    // Lighting changed on the keyboard itself: stores it in the current profile and sends the
    // 12-byte notification on the input interface.
    void changeLighting(const std::array<quint8, 7> &ledType);
    // Any input report on the input interface, short or malformed ones included.
    void sendInputReport(const QByteArray &report);

    VirtualFirmware firmware() const;
    void setFirmware(const VirtualFirmware &firmware);

    QList<Call> calls() const;
    void clearCalls();
    int openHandles() const;

private:
    struct Handle {
        QString node;
        bool command; // takes feature reports and writes
        bool nonblocking = false;
        std::deque<QByteArray> received; // input reports not yet read
    };

    Handle *handle(hid_device *device) const;
    void record(Call::Kind kind, const QString &path, const QByteArray &data, int result);
    void delay() const;
    QString commandNodeLocked() const;
    QString inputNodeLocked() const;
    void deliver(const QString &node, const QByteArray &report);
    void dropInputReports();
    void disconnect();
    // Counts a call that can fail; returns true when it is the armed one, with its fault.
    bool strikes(Fault &fault);

    mutable std::mutex lock;
    std::condition_variable inputArrived;
    mutable std::condition_variable latencyChanged;
    VirtualFirmware state;
    QSet<Handle *> handles;
    std::deque<QByteArray> queryReports;         // data reports of the query not yet sent
    std::thread::id queryThread;                 // the thread that sent the query
    QHash<QString, std::deque<QByteArray>> held; // sent while no handle was open, by node
    Nodes nodeLayout = Nodes::Separate;
    int faultCountdown = 0; // 0: nothing armed
    Fault armedFault = Fault::Fail;
    bool struck = false;
    QList<Call> log;
    Interfaces present = Interfaces::Both;
    OpenFailure refusal = OpenFailure::Gone;
    bool opensFail = false;
    bool plugged = true;
    bool answersFeatureReports = true;
    int dataReportsPerQuery = -1;
    bool shortDataReports = false;
    int latencyMs = 0;
};
