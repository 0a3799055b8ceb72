#pragma once

#include "device/hidbackend.h"
#include "device/virtualfirmware.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QWaitCondition>

#include <array>
#include <chrono>
#include <deque>

// An R7 keyboard that lives inside the program. It enumerates like the real one (both
// vendor-defined interfaces), answers every command from its own firmware state, sends
// lighting notifications when asked, and can be unplugged, made silent or slow. Every hidapi
// call it receives is recorded with its bytes. All of it is safe to use from any thread.
class VirtualKeyboard final : public HidBackend
{
public:
    static constexpr unsigned short vendorId = 0x1209;
    static constexpr unsigned short productId = 0x0001;
    static constexpr int reportLength = 64;
    static constexpr int notificationLength = 12;
    static const char commandPath[];
    static const char inputPath[];

    enum class Interfaces { Both, Reversed, CommandOnly, InputOnly };

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

    VirtualKeyboard() = default;
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

    // Faults: no answer to feature reads; only the first `count` data reports of a query come
    // (-1: all); data reports shorter than reportLength; every call taking `ms` longer (lowering
    // it releases the calls already waiting).
    void setAnswersFeatureReports(bool answers);
    void setDataReportsPerQuery(int count);
    void setShortDataReports(bool shortReports);
    void setLatency(int ms);

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
        bool command;
        bool nonblocking = false;
    };

    Handle *handle(hid_device *device) const;
    void record(Call::Kind kind, const QString &path, const QByteArray &data, int result);
    static QString pathOf(const Handle *h);
    void delay() const;

    mutable QMutex lock;
    QWaitCondition inputArrived;
    mutable QWaitCondition latencyChanged;
    VirtualFirmware state;
    QSet<Handle *> handles;
    std::deque<QByteArray> commandReports; // data reports of the current query
    std::deque<QByteArray> inputReports;   // notifications not yet read
    QList<Call> log;
    Interfaces present = Interfaces::Both;
    OpenFailure refusal = OpenFailure::Gone;
    bool plugged = true;
    bool answersFeatureReports = true;
    int dataReportsPerQuery = -1;
    bool shortDataReports = false;
    int latencyMs = 0;
};
