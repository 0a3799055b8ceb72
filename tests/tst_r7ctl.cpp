// r7ctl: each command against a virtual keyboard of the test's own, through the objects the
// program runs, and the program itself as scripts run it: exit statuses, output, the lock.

#include "app/commandservice.h"
#include "app/singleinstance.h"
#include "backend/backend.h"
#include "cli/commandparser.h"
#include "cli/commandrunner.h"
#include "cli/forwardedrequest.h"
#include "cli/standalonefront.h"
#include "devicefixture.h"
#include "runningprogram.h"
#include "storage/instancename.h"
#include "testworkspace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <thread>

#include <unistd.h>

namespace
{
QByteArray report(const char *hexBytes)
{
    return QByteArray(1, '\0') + QByteArray::fromHex(hexBytes);
}

// A workspace holding the shipped settings and macros, as a user's data folder does.
struct Workspace : TestWorkspace {
    Workspace()
    {
        for (const char *kind : {"setting", "macro"}) {
            QDirIterator files(QStringLiteral(R7_MODULES_DIR "/") + QLatin1String(kind),
                               QDir::Files);
            while (files.hasNext()) {
                const QString source = files.next();
                QFile file(source);
                if (file.open(QIODevice::ReadOnly))
                    writeFile(
                        QStringLiteral("modules/%1/%2").arg(QLatin1String(kind), files.fileName()),
                        file.readAll());
            }
        }
    }

    void store(const QString &file, const QVariantMap &values) const
    {
        QSettings settings(path(file), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }

    // Every file of the data folder and its content.
    QByteArray fingerprint() const
    {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        QDirIterator files(path(QStringLiteral("modules")), QDir::Files,
                           QDirIterator::Subdirectories);
        QStringList names;
        while (files.hasNext())
            names.append(files.next());
        names.sort();
        for (const QString &name : names) {
            QFile file(name);
            hash.addData(name.toUtf8());
            if (file.open(QIODevice::ReadOnly))
                hash.addData(file.readAll());
        }
        return hash.result();
    }
};

// The keyboard fails the first call of the command itself: it vanished after the check.
struct VanishingFront : StandaloneFront {
    VanishingFront(Backend &objects, VirtualKeyboard &device)
        : StandaloneFront(objects), keyboard(device)
    {
    }
    void prepareKeyboard() override
    {
        StandaloneFront::prepareKeyboard();
        keyboard.armFault(VirtualKeyboard::Fault::Vanish, 1);
    }
    VirtualKeyboard &keyboard;
};

enum class Keyboard { Accepted, Absent, Refused, Vanishing };

// The command as r7ctl runs it on its own; the backend writes its files out before it returns.
CliResult run(DeviceFixture &device, const QStringList &arguments,
              Keyboard keyboard = Keyboard::Accepted)
{
    if (keyboard == Keyboard::Absent)
        device.keyboard.unplug();
    if (keyboard == Keyboard::Refused)
        device.keyboard.setIdentity(VirtualKeyboard::refusedIdentity());
    device.keyboard.clearCalls();
    const CommandParser::Result parsed = CommandParser::parse(arguments, QDir::currentPath());
    if (!parsed.command)
        return CliResult::badUsage(parsed.error);
    Backend backend;
    backend.bridge().setHidThread(&device.hid);
    StandaloneFront alone(backend);
    VanishingFront vanishing(backend, device.keyboard);
    CommandRunner runner(backend, keyboard == Keyboard::Vanishing
                                      ? static_cast<CommandFront &>(vanishing)
                                      : static_cast<CommandFront &>(alone));
    return runner.run(*parsed.command);
}

// The command reports of the set commands, in the order sent.
QList<QByteArray> setCommands(const DeviceFixture &device)
{
    QList<QByteArray> commands;
    for (const QByteArray &sent : device.traffic())
        if (sent.size() == 9 && quint8(sent.at(1)) < 0x80)
            commands.append(sent);
    return commands;
}

QString r7ctlIn(const TestWorkspace &workspace)
{
    const QString copy = workspace.path(QStringLiteral("r7ctl"));
    if (!QFileInfo::exists(copy))
        QFile::copy(QStringLiteral(R7CTL_PATH), copy);
    return copy;
}

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// r7ctl as a script starts it, beside the workspace's data folder.
Run runProgram(const Workspace &workspace, const QStringList &arguments, bool virtualKeyboard)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("R7_VIRTUAL_KEYBOARD"),
                       virtualKeyboard ? QStringLiteral("1") : QStringLiteral("0"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    process.setProcessEnvironment(environment);
    process.start(r7ctlIn(workspace), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString lockPath(const TestWorkspace &workspace)
{
    return InstanceName::lockPath(InstanceName::keyFor(workspace.path(QStringLiteral("modules"))));
}
} // namespace

class R7ctlTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("R7_VIRTUAL_KEYBOARD", "1"); }
    void init() { resetVirtualKeyboard(); }
    void commandsDoWhatTheWindowDoes_data();
    void commandsDoWhatTheWindowDoes();
    void badInputChangesNothing_data();
    void badInputChangesNothing();
    void keyboardProblems_data();
    void keyboardProblems();
    void rules_data();
    void rules();
    void programRuns_data();
    void programRuns();
    void waitsForTheLockHolder();
    void windowCarriesOutCommands_data();
    void windowCarriesOutCommands();
    void twentyCommandsAtOnce();
    void refusedRequests_data();
    void refusedRequests();
    void windowWaitsForTheCommandLine();
};

void R7ctlTest::commandsDoWhatTheWindowDoes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QVariantMap>("storedBefore");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QList<QByteArray> matrix{report("0C 00 00 00 00 55 AA 00"),
                                   report("0D 00 00 00 00 55 AA 00")};
    const QString keyA = QStringLiteral("keydefine1/49");
    // The keyboard starts on wave (type 2), brightness 63, speed 4, rightwards, LOOP, backlight
    // E1 3C; its profile 3 on type 5. A profile click sends the switch, and the pages' reload
    // takes the keyboard's lighting into the profile.
    QTest::newRow("profile 3") << QStringList{"profile", "3"} << QVariantMap{}
                               << QList<QByteArray>{report("21 02 00 00 00 55 AA 00")} << "p3.bin"
                               << "color/ledType"
                               << "5, 45, 3, 1, 6, 0, 0";
    // The colour page's Apply: the palette, then the lighting; no picture shown, none sent.
    QTest::newRow("lighting, brightness level 1")
        << QStringList{"lighting", "wave", "--brightness", "1"} << QVariantMap{}
        << QList<QByteArray>{report("30 00 00 00 00 55 AA 00"), report("08 02 09 04 00 07 E1 3C")}
        << "p1.bin"
        << "color/ledType"
        << "2, 9, 4, 0, 7, 225, 60";
    QTest::newRow("lighting, speed level 1, leftwards")
        << QStringList{"lighting", "marquee-circle", "--speed=1", "--direction", "left"}
        << QVariantMap{}
        << QList<QByteArray>{report("30 00 00 00 00 55 AA 00"), report("08 0A 3F 07 01 07 E1 3C")}
        << "p1.bin"
        << "color/ledType"
        << "10, 63, 7, 1, 7, 225, 60";
    QTest::newRow("lighting, picture 3, colour 2")
        << QStringList{"lighting", "picture", "3", "--colour", "2"} << QVariantMap{}
        << QList<QByteArray>{report("30 00 00 00 00 55 AA 00"), report("12 00 02 00 00 55 AA 00"),
                             report("12 00 02 01 00 55 AA 00"), report("12 00 02 02 00 55 AA 00"),
                             report("12 00 02 03 00 55 AA 00"), report("08 35 3F 04 00 01 E1 3C")}
        << "p1.bin"
        << "color/ledType"
        << "53, 63, 4, 0, 1, 225, 60";
    // The key page's Apply writes the whole matrix.
    QTest::newRow("a standard key")
        << QStringList{"key", "a", "B"} << QVariantMap{} << matrix << "p1.bin" << keyA << "5, 0";
    QTest::newRow("a media function") << QStringList{"key", "A", "volume-up"} << QVariantMap{}
                                      << matrix << "p1.bin" << keyA << "233, 48";
    QTest::newRow("a macro, written to its slot first")
        << QStringList{"key", "A", "macro:Macro. 003"} << QVariantMap{}
        << QList<QByteArray>{report("10 00 02 00 00 55 AA 00")} + matrix << "p1.bin" << keyA
        << "2, 65";
    QTest::newRow("reset one key")
        << QStringList{"key", "reset", "a"} << QVariantMap{{keyA, QVariantList{20, 0}}} << matrix
        << "p1.bin" << keyA << "4, 0";
    QTest::newRow("reset every key")
        << QStringList{"key", "reset", "all"} << QVariantMap{{keyA, QVariantList{20, 0}}} << matrix
        << "p1.bin" << keyA << "4, 0";
    QTest::newRow("gaming mode") << QStringList{"gaming", "on"} << QVariantMap{}
                                 << QList<QByteArray>{report("02 01 5A A5 00 55 AA 00")}
                                 << QString() << QString() << QString();
}

void R7ctlTest::commandsDoWhatTheWindowDoes()
{
    QFETCH(QStringList, arguments);
    QFETCH(QVariantMap, storedBefore);
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QString, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    Workspace workspace;
    workspace.store(QStringLiteral("modules/setting/p1.bin"), storedBefore);
    DeviceFixture device;
    VirtualFirmware firmware;
    firmware.keyboardOption = {0, 0x5A, 0xA5};
    firmware.profiles[2].ledType = {0x05, 45, 3, 1, 6, 0, 0};
    device.keyboard.setFirmware(firmware);

    const CliResult result = run(device, arguments);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, int(CliResult::Done));
    QCOMPARE(setCommands(device), commands);
    if (file.isEmpty())
        return;
    const QSettings stored(workspace.path(QStringLiteral("modules/setting/") + file),
                           QSettings::IniFormat);
    QCOMPARE(stored.value(key).toStringList().join(QStringLiteral(", ")), value);
    // What the keyboard holds for the key is what the profile does.
    if (key.startsWith(QLatin1String("keydefine1/"))) {
        const QStringList pair = value.split(QStringLiteral(", "));
        QCOMPARE(device.keyboard.firmware().profiles.at(0).keyMatrix.mid(2 * 49, 2),
                 QByteArray(1, char(pair.at(0).toInt())) + char(pair.at(1).toInt()));
    }
}

void R7ctlTest::badInputChangesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown command") << QStringList{"blink"} << "\"blink\" is not a command";
    QTest::newRow("unknown option") << QStringList{"status", "--all"} << "takes no option --all";
    QTest::newRow("unknown effect") << QStringList{"lighting", "sparkle"} << "is not an effect";
    QTest::newRow("brightness 8") << QStringList{"lighting", "static", "--brightness", "8"}
                                  << "the brightness is 0 to 7";
    QTest::newRow("colour 0") << QStringList{"lighting", "static", "--colour", "0"}
                              << "the colour is 1 to 7";
    QTest::newRow("picture 6") << QStringList{"lighting", "picture", "6"} << "1 to 5";
    QTest::newRow("profile 6 of 5") << QStringList{"profile", "6"} << "there is no profile 6";
    QTest::newRow("unknown key") << QStringList{"key", "Hyper", "A"} << "has no key \"Hyper\"";
    QTest::newRow("the Fn key") << QStringList{"key", "fn", "A"} << "cannot be given another";
    QTest::newRow("unknown target") << QStringList{"key", "A", "louder"} << "\"louder\" is neither";
    QTest::newRow("unknown macro")
        << QStringList{"key", "A", "macro:Nope"} << "there is no macro \"Nope\"";
    QTest::newRow("macro without a slot")
        << QStringList{"key", "A", "macro:Macro. 001"} << "has no keyboard slot";
    QTest::newRow("missing file") << QStringList{"import", "missing.pf", "--profile", "2"}
                                  << "The file cannot be read.";
    QTest::newRow("refused profile")
        << QStringList{"import", "binary.pf", "--profile", "2"} << "holds binary data";
    QTest::newRow("refused macro") << QStringList{"import", "unknown.mc", "--macro", "Macro. 002"}
                                   << "do not belong in this kind of file";
}

// Nothing is sent and no file changes; the message names what was wrong.
void R7ctlTest::badInputChangesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Workspace workspace;
    workspace.store(QStringLiteral("modules/macro/Macro. 001.bin"), {{"config/index", -1}});
    workspace.writeFile(QStringLiteral("binary.pf"), QByteArray("[color]\nledType=\0\x01", 19));
    workspace.writeFile(QStringLiteral("unknown.mc"), "[somewhere]\nelse=1\n");
    const QByteArray before = workspace.fingerprint();
    DeviceFixture device;

    const CliResult result = run(device, arguments);
    QCOMPARE(result.status, int(CliResult::BadUsage));
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.out, QString());
    QCOMPARE(setCommands(device), {});
    QCOMPARE(workspace.fingerprint(), before);
}

void R7ctlTest::keyboardProblems_data()
{
    QTest::addColumn<Keyboard>("keyboard");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("absent") << Keyboard::Absent << QStringList{"profile", "2"}
                            << "no R7 keyboard is connected";
    QTest::newRow("refused") << Keyboard::Refused << QStringList{"lighting", "static"}
                             << "not one this program supports";
    QTest::newRow("vanishing") << Keyboard::Vanishing << QStringList{"lighting", "neon"}
                               << "did not take the lighting";
}

// Without a keyboard to drive nothing is sent or stored. One that vanishes after the check has
// had its lighting taken into the profile, as the window does at start, and the change is
// stored before it is sent, as on every page.
void R7ctlTest::keyboardProblems()
{
    QFETCH(Keyboard, keyboard);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Workspace workspace;
    const QByteArray before = workspace.fingerprint();
    DeviceFixture device;

    const CliResult result = run(device, arguments, keyboard);
    QCOMPARE(result.status, int(CliResult::KeyboardProblem));
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    if (keyboard == Keyboard::Vanishing)
        return;
    QCOMPARE(setCommands(device), {});
    QCOMPARE(workspace.fingerprint(), before);
}

void R7ctlTest::rules_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("message");
    const QByteArray two("[rule1]\nclass=firefox\nprofile=2\n[rule2]\ntitle=*vim*\nprofile=3\n");
    const QString twoListed("1 class \"firefox\" profile 2\n2 title \"*vim*\" profile 3\n");
    // Damaged in the middle: the rules on either side still count.
    const QByteArray damaged("[rule1]\nclass=firefox\nprofile=2\n[rule2]\ntitle=@Variant(x)\n"
                             "profile=3\n[rule3]\nclass=code\nprofile=7\n[rule4]\nclass=gimp\n"
                             "profile=4\n");
    const QString damagedListed("1 class \"firefox\" profile 2\n2 class \"gimp\" profile 4\n"
                                "default keep\n");
    QTest::newRow("add a class to no file")
        << QByteArray() << QStringList{"rule", "add", "class", "Firefox", "2"} << 0
        << "1 class \"Firefox\" profile 2\ndefault keep\n"
        << QString();
    QTest::newRow("add a title holding a comma")
        << two << QStringList{"rule", "add", "title", "*Vim, editor*", "5"} << 0
        << twoListed + "3 title \"*Vim, editor*\" profile 5\ndefault keep\n"
        << QString();
    QTest::newRow("remove the first") << two << QStringList{"rule", "remove", "1"} << 0
                                      << "1 title \"*vim*\" profile 3\ndefault keep\n"
                                      << QString();
    QTest::newRow("a default") << two << QStringList{"rule", "default", "4"} << 0
                               << twoListed + "default profile 4\n"
                               << QString();
    QTest::newRow("no rule 3") << two << QStringList{"rule", "remove", "3"} << 2
                               << twoListed + "default keep\n"
                               << "there is no rule 3";
    QTest::newRow("profile 6 of 5")
        << two << QStringList{"rule", "add", "class", "x", "6"} << 2 << twoListed + "default keep\n"
        << "there is no profile 6";
    QTest::newRow("neither class nor title")
        << QByteArray() << QStringList{"rule", "add", "window", "x", "2"} << 2 << "default keep\n"
        << "give \"class\" or \"title\"";
    QTest::newRow("a damaged file listed")
        << damaged << QStringList{"rule", "list"} << 2 << damagedListed
        << "line 5: [rule2] (encoded value); the section is skipped.";
    QTest::newRow("an unknown profile listed")
        << damaged << QStringList{"rule", "list"} << 2 << damagedListed
        << "the rule for class \"code\" names profile 7, but the keyboard has profiles 1 to 5";
    QTest::newRow("a damaged file is not rewritten")
        << damaged << QStringList{"rule", "add", "class", "x", "1"} << 2 << damagedListed
        << "the rules file is left as it is";
    QTest::newRow("not a settings text")
        << QByteArray("class=firefox\n[rule1]\nclass=code\nprofile=1\n[rule2\n")
        << QStringList{"rule", "list"} << 2 << "1 class \"code\" profile 1\ndefault keep\n"
        << "line 5: [rule2 (not a settings text)";
}

// The rules as "rule list" shows them after the command; a refused command leaves the file
// byte for byte as it was.
void R7ctlTest::rules()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, list);
    QFETCH(QString, message);
    Workspace workspace;
    const QString file = QStringLiteral("modules/setting/rules.bin");
    if (!before.isEmpty())
        workspace.writeFile(file, before);
    const QByteArray fingerprint = workspace.fingerprint();
    DeviceFixture device;

    const CliResult result = run(device, arguments);
    QCOMPARE(result.status, status);
    QVERIFY2(message.isEmpty() ? result.err.isEmpty() : result.err.contains(message),
             qPrintable(result.err));
    if (status != CliResult::Done)
        QCOMPARE(workspace.fingerprint(), fingerprint);
    QCOMPARE(run(device, {"rule", "list"}).out, list);
    QCOMPARE(setCommands(device), {});
}

void R7ctlTest::programRuns_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("virtualKeyboard");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << true << 0 << "Usage: r7ctl COMMAND"
                          << QString();
    QTest::newRow("help of a command")
        << QStringList{"lighting", "--help"} << true << 0 << "Usage: r7ctl lighting" << QString();
    QTest::newRow("help of rule") << QStringList{"rule", "--help"} << true << 0 << "default N|keep"
                                  << QString();
    QTest::newRow("version") << QStringList{"--version"} << true << 0 << "r7ctl 1.0" << QString();
    QTest::newRow("json") << QStringList{"status", "--json"} << true << 0 << "\"connected\":true"
                          << QString();
    QTest::newRow("list") << QStringList{"list", "effects"} << false << 0 << "picture 5\n"
                          << QString();
    QTest::newRow("bad usage") << QStringList{"lighting", "sparkle"} << true << 2 << QString()
                               << "is not an effect";
    QTest::newRow("no keyboard") << QStringList{"status"} << false << 1 << "not connected"
                                 << "no R7 keyboard is connected";
}

// As a script sees it: the exit status, stdout and stderr, and JSON that parses.
void R7ctlTest::programRuns()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, virtualKeyboard);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    Workspace workspace;
    const Run run = runProgram(workspace, arguments, virtualKeyboard);
    QCOMPARE(run.status, status);
    QVERIFY2(QString::fromUtf8(run.out).contains(out), run.out.constData());
    if (err.isEmpty())
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(QString::fromUtf8(run.err).contains(err), run.err.constData());
    if (arguments.contains(QStringLiteral("--json"))) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(run.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object.value(QStringLiteral("profile")).toInt(), 1);
    }
}

// A command while another holds the lock, without listening, waits for it.
void R7ctlTest::waitsForTheLockHolder()
{
    Workspace workspace;
    r7ctlIn(workspace);
    auto holder = std::make_unique<QLockFile>(lockPath(workspace));
    QVERIFY(holder->tryLock(0));
    QProcess process;
    process.start(r7ctlIn(workspace), {QStringLiteral("list"), QStringLiteral("profiles")});
    QVERIFY(process.waitForStarted());
    QVERIFY(!process.waitForFinished(500));
    holder.reset();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray("1\n2\n3\n4\n5\n"));
}

// The window as main() wires it: it holds the lock, listens, and carries commands out.
struct RunningWindow {
    Program program;
    SingleInstance instance{program.workspace.path(QStringLiteral("modules"))};
    std::unique_ptr<CommandService> service;

    RunningWindow()
    {
        QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
        QVERIFY(instance.acquire());
        service = std::make_unique<CommandService>(program.view());
        QObject::connect(&instance, &SingleInstance::commandReceived, service.get(),
                         &CommandService::enqueue);
        VirtualKeyboard::shared().clearCalls();
    }

    QString socketName() const
    {
        return InstanceName::keyFor(program.workspace.path(QStringLiteral("modules")));
    }
};

QList<QByteArray> sharedKeyboardCommands()
{
    QList<QByteArray> commands;
    for (const Call &call : VirtualKeyboard::shared().calls())
        if (call.kind == Call::SendFeatureReport && quint8(call.data.at(1)) < 0x80)
            commands.append(call.data);
    return commands;
}

void R7ctlTest::windowCarriesOutCommands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("profile 3") << QStringList{"profile", "3"} << -1 << "pfItem.currentIndex"
                               << QVariant(2);
    QTest::newRow("lighting") << QStringList{"lighting", "marquee-circle", "--speed", "1"} << 2
                              << "[effectIndex, speed_Slider.currentIndex].join()"
                              << QVariant("10,1");
    QTest::newRow("key") << QStringList{"key", "A", "B"} << 0 << "modelR7.getKey[49].keyCode"
                         << QVariant(5);
}

// r7ctl hands the command to the window, whose pages show it as after the same clicks.
void R7ctlTest::windowCarriesOutCommands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, page);
    QFETCH(QString, shown);
    QFETCH(QVariant, value);
    RunningWindow window;
    QProcess process;
    process.start(r7ctlIn(window.program.workspace), arguments);
    QVERIFY(process.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 30000);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), 0);
    // The page, made after the command, shows what the command stored.
    QObject *scope =
        page < 0
            ? window.program.keyboardScope()
            : window.program.page(QStringLiteral("makePage(%1), pageLoaders[%1].item").arg(page))
                  .value<QObject *>();
    QCOMPARE(qmlValue(scope, shown).toString(), value.toString());
}

// Twenty commands at once: each carried out once, none of their report sequences interleaved.
void R7ctlTest::twentyCommandsAtOnce()
{
    RunningWindow window;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < 20; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(r7ctlIn(window.program.workspace),
                                {QStringLiteral("lighting"), QStringLiteral("static"),
                                 QStringLiteral("--brightness"), QString::number(i % 8)});
    }
    for (const auto &process : processes) {
        QTRY_COMPARE_WITH_TIMEOUT(process->state(), QProcess::NotRunning, 60000);
        QCOMPARE(process->exitCode(), 0);
    }
    // Each Apply is the palette's command report, its one data report, then the lighting; the
    // pages' reload only asks.
    QList<QByteArray> sent;
    for (const Call &call : VirtualKeyboard::shared().calls())
        if ((call.kind == Call::SendFeatureReport && quint8(call.data.at(1)) < 0x80) ||
            call.kind == Call::Write)
            sent.append(call.data);
    QCOMPARE(sent.size(), 3 * 20);
    QList<int> brightness;
    for (qsizetype i = 0; i < sent.size(); i += 3) {
        QCOMPARE(quint8(sent.at(i).at(1)), quint8(0x30));
        QCOMPARE(sent.at(i + 1).size(), 65);
        QCOMPARE(quint8(sent.at(i + 2).at(1)), quint8(0x08));
        brightness.append(quint8(sent.at(i + 2).at(3)));
    }
    std::sort(brightness.begin(), brightness.end());
    QList<int> expected;
    for (int i = 0; i < 20; ++i)
        expected.append(int(std::lround((i % 8) * 63 / 7.0)));
    std::sort(expected.begin(), expected.end());
    QCOMPARE(brightness, expected);
}

void R7ctlTest::refusedRequests_data()
{
    QTest::addColumn<QByteArray>("request");
    // 0 this user; 1 another user; 2 another user past the socket's permissions.
    QTest::addColumn<int>("otherUser");
    QTest::addColumn<bool>("answered");
    const QByteArray gaming = ForwardedRequest::encodeRequest(
        {QStringLiteral("/"), {QStringLiteral("gaming"), QStringLiteral("on")}});
    QTest::newRow("malformed") << QByteArray("{\"r7ctl\":1,\"arguments\":[\"gaming\"]}\n") << 0
                               << true;
    QTest::newRow("unknown field")
        << QByteArray(gaming).replace("\"directory\"", "\"folder\"") << 0 << true;
    QTest::newRow("oversized") << QByteArray(ForwardedRequest::maxRequestBytes + 1, ' ') + gaming
                               << 0 << false;
    QTest::newRow("another user") << gaming << 1 << false;
    QTest::newRow("another user, socket opened") << gaming << 2 << false;
}

// Nothing reaches the keyboard; a complete but malformed request is answered as bad usage,
// anything else gets no answer at all.
void R7ctlTest::refusedRequests()
{
    QFETCH(QByteArray, request);
    QFETCH(int, otherUser);
    QFETCH(bool, answered);
    // The system's interpreter: one in root's home is not for other users.
    const QString python =
        QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (otherUser &&
        (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty() || python.isEmpty()))
        QSKIP("Needs root, setpriv and /usr/bin/python3 to connect as another user");
    RunningWindow window;
    QByteArray answer;
    if (otherUser > 0) {
        const QString path = QDir(QDir::tempPath()).filePath(window.socketName());
        // Past the socket's own permissions, to reach the window's check of the peer.
        if (otherUser == 2)
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x7777)));
        QProcess other;
        other.start(QStringLiteral("setpriv"),
                    {"--reuid=65534", "--regid=65534", "--clear-groups", python, "-c",
                     "import socket, sys\n"
                     "s = socket.socket(socket.AF_UNIX)\n"
                     "try:\n"
                     "    s.connect(sys.argv[1])\n"
                     "except PermissionError:\n"
                     "    sys.exit(3)\n"
                     "s.sendall(sys.argv[2].encode())\n"
                     "try:\n"
                     "    sys.stdout.write(s.recv(4096).decode())\n"
                     "except ConnectionResetError:\n"
                     "    pass\n",
                     path, QString::fromUtf8(request)});
        QVERIFY(other.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(other.state(), QProcess::NotRunning, 10000);
        // Kept out by the socket's permissions, or let in and hung up on.
        QVERIFY2(other.exitCode() == (otherUser == 1 ? 3 : 0),
                 other.readAllStandardError().constData());
        answer = other.readAllStandardOutput();
    } else {
        QLocalSocket socket;
        socket.connectToServer(window.socketName());
        QVERIFY(socket.waitForConnected(1000));
        socket.write(request);
        QTRY_VERIFY(socket.state() == QLocalSocket::UnconnectedState || socket.canReadLine());
        answer = socket.readAll();
    }
    QCOMPARE(ForwardedRequest::decodeReply(answer).has_value(), answered);
    if (answered)
        QCOMPARE(ForwardedRequest::decodeReply(answer)->status, int(CliResult::BadUsage));
    QTest::qWait(100);
    QCOMPARE(sharedKeyboardCommands(), {});
}

// A window started while a command runs takes the lock once the command lets go.
void R7ctlTest::windowWaitsForTheCommandLine()
{
    Workspace workspace;
    QLockFile command(lockPath(workspace));
    QVERIFY(command.tryLock(0));
    std::thread letGo([&command] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        command.unlock();
    });
    SingleInstance window(workspace.path(QStringLiteral("modules")));
    const bool acquired = window.acquire();
    letGo.join();
    QVERIFY(acquired);
}

QTEST_MAIN(R7ctlTest)
#include "tst_r7ctl.moc"
