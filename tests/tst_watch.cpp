// r7ctl watch: a test acting as the window manager on a private Xvfb maps windows with given
// classes and titles and publishes the one in front in the root's _NET_ACTIVE_WINDOW; the
// virtual keyboard shows which profile switches (21H) the watch sent.

#include "app/commandservice.h"
#include "app/singleinstance.h"
#include "cli/commandparser.h"
#include "cli/oneowner.h"
#include "device/virtual/virtualkeyboard.h"
#include "runningprogram.h"
#include "storage/atomicfilecopy.h"
#include "storage/datalocations.h"
#include "testworkspace.h"
#include "watch/activewindow.h"
#include "watch/profilewatch.h"
#include "windowmanager.h"
#include "xvfbserver.h"

#include <QDir>
#include <QDirIterator>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>

namespace
{
using Call = VirtualKeyboard::Call;

struct Shown {
    QByteArray instance;
    QByteArray windowClass;
    QByteArray title;
};

QByteArray report(const char *hexBytes)
{
    return QByteArray(1, '\0') + QByteArray::fromHex(hexBytes);
}

QList<QByteArray> profileSwitches()
{
    QList<QByteArray> switches;
    for (const Call &call : VirtualKeyboard::shared().calls())
        if (call.kind == Call::SendFeatureReport && quint8(call.data.at(1)) == 0x21)
            switches.append(call.data);
    return switches;
}

// The switch as r7ctl watch makes it, through the one-owner path.
CliResult switchTo(int profile)
{
    const QStringList arguments{QStringLiteral("profile"), QString::number(profile + 1)};
    return carryOut(*CommandParser::parse(arguments, QDir::currentPath()).command,
                    {QDir::currentPath(), arguments});
}

void copyShipped(const TestWorkspace &workspace)
{
    for (const char *kind : {"setting", "macro"}) {
        QDirIterator files(QStringLiteral(R7_MODULES_DIR "/") + QLatin1String(kind), QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                workspace.writeFile(
                    QStringLiteral("modules/%1/%2").arg(QLatin1String(kind), files.fileName()),
                    file.readAll());
        }
    }
}

const QString rulesFile = QStringLiteral("modules/setting/rules.bin");
const QByteArray rules("[default]\nprofile=4\n[rule1]\nclass=firefox\nprofile=2\n"
                       "[rule2]\ntitle=* - Vim\nprofile=3\n[rule3]\nclass=terminal\nprofile=1\n");
} // namespace

class WatchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("R7_VIRTUAL_KEYBOARD", "1");
        QVERIFY(xvfb.start());
    }
    void init() { resetVirtualKeyboard(); }
    void followsTheWindowInFront_data();
    void followsTheWindowInFront();
    void rulesReplacedWhileWatching();
    void switchesThroughTheWindow();
    void noDisplay();

private:
    XvfbServer xvfb;
};

void WatchTest::followsTheWindowInFront_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<Shown>>("windows");
    QTest::addColumn<QList<QByteArray>>("switches");
    QTest::addColumn<QString>("message");
    const QByteArray damaged = "[rule1]\nclass=@Variant(x)\nprofile=2\n[rule2]\nclass=firefox\n"
                               "profile=9\n[rule3]\ntitle=*vim*\nprofile=5\n";
    QTest::newRow("the class part of WM_CLASS, any case")
        << rules << QList<Shown>{{"Navigator", "Firefox", "Mozilla Firefox"}}
        << QList<QByteArray>{report("21 01 00 00 00 55 AA 00")} << QString();
    QTest::newRow("the instance part")
        << rules << QList<Shown>{{"firefox", "Web", "start"}}
        << QList<QByteArray>{report("21 01 00 00 00 55 AA 00")} << QString();
    QTest::newRow("a title pattern, with a slash")
        << rules << QList<Shown>{{"x", "Gvim", "~/notes/todo.txt - Vim"}}
        << QList<QByteArray>{report("21 02 00 00 00 55 AA 00")} << QString();
    QTest::newRow("no rule matches: the default")
        << rules << QList<Shown>{{"gimp", "Gimp", "GIMP"}}
        << QList<QByteArray>{report("21 03 00 00 00 55 AA 00")} << QString();
    QTest::newRow("already current: nothing")
        << rules << QList<Shown>{{"xterm", "Terminal", "bash"}} << QList<QByteArray>{} << QString();
    QTest::newRow("five within the settle time: one switch")
        << rules
        << QList<Shown>{{"a", "Firefox", "1"},
                        {"b", "Gimp", "2"},
                        {"c", "Terminal", "3"},
                        {"d", "Firefox", "4"},
                        {"e", "Gvim", "x - Vim"}}
        << QList<QByteArray>{report("21 02 00 00 00 55 AA 00")} << QString();
    QTest::newRow("a damaged file: the valid rule still counts")
        << damaged << QList<Shown>{{"firefox", "Firefox", "vim tips - Mozilla Firefox"}}
        << QList<QByteArray>{report("21 04 00 00 00 55 AA 00")}
        << "line 2: [rule1] (encoded value); the section is skipped.\n"
           "r7ctl watch: modules/setting/rules.bin: the rule for class \"firefox\" names "
           "profile 9, but the keyboard has profiles 1 to 5; it is skipped.";
}

void WatchTest::followsTheWindowInFront()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<Shown>, windows);
    QFETCH(QList<QByteArray>, switches);
    QFETCH(QString, message);
    TestWorkspace workspace;
    copyShipped(workspace);
    workspace.writeFile(rulesFile, file);
    WindowManager manager(xvfb.display());
    QVERIFY(manager.isValid());
    const std::unique_ptr<ActiveWindow> front = ActiveWindow::open(xvfb.display());
    QVERIFY(front);
    QString reported;
    int acted = 0;
    // Nothing in front yet: the default is not applied to the desktop itself.
    manager.bringToFront(0);
    ProfileWatch watch(*front, rulesFile, 5, switchTo,
                       [&](const QString &line) { reported += line + '\n'; });
    connect(&watch, &ProfileWatch::acted, this, [&] { ++acted; });
    QTRY_COMPARE(acted, 1);
    VirtualKeyboard::shared().clearCalls();
    acted = 0;
    // Apart enough to arrive as events of their own, well within the settle time together.
    for (const Shown &shown : windows) {
        manager.bringToFront(manager.map(shown.instance, shown.windowClass, shown.title));
        QTest::qWait(10);
    }
    QTRY_COMPARE(acted, 1);
    QTest::qWait(2 * ProfileWatch::settleMs);
    QCOMPARE(acted, 1);
    QCOMPARE(profileSwitches(), switches);
    QVERIFY2(message.isEmpty() ? reported.isEmpty() : reported.contains(message),
             qPrintable(reported));
}

// The file replaced by another (as r7ctl and editors write it) counts at once, for the window
// that is in front; a replacement that cannot be read leaves the profile as it is.
void WatchTest::rulesReplacedWhileWatching()
{
    TestWorkspace workspace;
    copyShipped(workspace);
    workspace.writeFile(rulesFile, rules);
    WindowManager manager(xvfb.display());
    const std::unique_ptr<ActiveWindow> front = ActiveWindow::open(xvfb.display());
    QVERIFY(front);
    manager.bringToFront(manager.map("navigator", "Firefox", "start"));
    QString reported;
    ProfileWatch watch(*front, rulesFile, 5, switchTo,
                       [&](const QString &line) { reported += line + '\n'; });
    QTRY_COMPARE(profileSwitches(), QList<QByteArray>{report("21 01 00 00 00 55 AA 00")});

    QVERIFY(writeFileAtomically("[rule1]\nclass=firefox\nprofile=5\n", rulesFile));
    QTRY_COMPARE(profileSwitches(), (QList<QByteArray>{report("21 01 00 00 00 55 AA 00"),
                                                       report("21 04 00 00 00 55 AA 00")}));
    QVERIFY(writeFileAtomically(QByteArray("\0\1\2", 3), rulesFile));
    QTRY_VERIFY(reported.contains("not a settings text"));
    QTest::qWait(2 * ProfileWatch::settleMs);
    QCOMPARE(profileSwitches().size(), 2);
}

// With the window open, r7ctl watch hands it the switch, and the window's keyboard takes it.
void WatchTest::switchesThroughTheWindow()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    SingleInstance instance{program.workspace.path(QStringLiteral("modules"))};
    QVERIFY(instance.acquire());
    CommandService service(program.view());
    connect(&instance, &SingleInstance::commandReceived, &service, &CommandService::enqueue);
    program.workspace.writeFile(rulesFile, rules);
    WindowManager manager(xvfb.display());
    manager.bringToFront(manager.map("gvim", "Gvim", "todo - Vim"));
    VirtualKeyboard::shared().clearCalls();

    const QString r7ctl = program.workspace.path(QStringLiteral("r7ctl"));
    QVERIFY(QFile::copy(QStringLiteral(R7CTL_PATH), r7ctl));
    QProcess watch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(xvfb.display()));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    watch.setProcessEnvironment(environment);
    watch.start(r7ctl, {QStringLiteral("watch")});
    QVERIFY(watch.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(profileSwitches(),
                              QList<QByteArray>{report("21 02 00 00 00 55 AA 00")}, 20000);
    watch.terminate();
    QVERIFY(watch.waitForFinished(5000));
    QCOMPARE(watch.readAllStandardError(), QByteArray());
}

void WatchTest::noDisplay()
{
    QProcess watch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    watch.setProcessEnvironment(environment);
    watch.start(QStringLiteral(R7CTL_PATH), {QStringLiteral("watch")});
    QVERIFY(watch.waitForFinished(10000));
    QCOMPARE(watch.exitCode(), 2);
    const QByteArray err = watch.readAllStandardError();
    QVERIFY2(err.contains("there is no X11 display to watch (DISPLAY is not set)") &&
                 err.contains("only the X11 programs"),
             err.constData());
}

QTEST_MAIN(WatchTest)
#include "tst_watch.moc"
