// The macro page running for real: the program's QML with the view, the virtual keyboard, a
// copy of the shipped modules/ folder and, for recording, the key hook on a private X server.

#include "app/inputcallbacks.h"
#include "app/widget.h"
#include "capture/inputhook.h"
#include "device/virtual/virtualkeyboard.h"
#include "interfacetest.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"
#include "xvfbserver.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QQuickItem>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <linux/input-event-codes.h>

namespace
{
constexpr int xKeyCodeOffset = 8;
const QString down = QStringLiteral("    [Down]");
const QString up = QStringLiteral("      [Up]");
const QString delay = QStringLiteral("   [Delay]");
// Shipped, bound to keyboard slot 0 and 1.
const QString firstMacro = QStringLiteral("Macro. 001");
const QString secondMacro = QStringLiteral("Macro. 002");

QString macroFile(const TestWorkspace &workspace, const QString &name)
{
    return workspace.path(QStringLiteral("modules/macro/") + name + QStringLiteral(".bin"));
}

void writeSteps(const TestWorkspace &workspace, const QString &name, const QStringList &steps)
{
    QSettings macro(macroFile(workspace, name), QSettings::IniFormat);
    macro.setValue("config/total", int(steps.size()));
    for (int i = 0; i < steps.size(); ++i)
        macro.setValue(QStringLiteral("macro/%1").arg(i), steps.at(i));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes beyond `bytes` into any file fail for the life of the object, as on a full disk.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        // Passing the limit fails the write instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

// The first macro holds four steps, the others none.
const QStringList fourSteps{"W" + down, "W" + up, "500" + delay, "X" + down};

// Feature and output reports sent to the keyboard's command interface, in order.
QList<QByteArray> commandTraffic()
{
    QList<QByteArray> sent;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls()) {
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport ||
            call.kind == VirtualKeyboard::Call::Write)
            sent.append(call.data);
    }
    return sent;
}

// The program on the macro page.
class MacroPage
{
public:
    MacroPage()
        : program(fastSpeed, [](const TestWorkspace &workspace) {
              writeSteps(workspace, firstMacro, fourSteps);
          })
    {
        QVERIFY(QTest::qWaitFor([this] { return program.started(); }, 20000));
        program.widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.widget.get()));
        program.click(QPointF(8 + 75, 180 + 47 + 18));
        QVERIFY(QTest::qWaitFor(
            [this] { return program.page("_Page_Macro.visible && !pa_X.running").toBool(); },
            10000));
        scope = itemNamed(program.root(), QStringLiteral("_Page_Macro"));
    }

    QVariant eval(const QString &code) const { return qmlValue(scope, code); }

    // The centre of the page item `id`, or a point in it, in the window.
    QPointF at(const QString &id, double x = -1, double y = -1) const
    {
        return eval(QStringLiteral("%1.mapToItem(null, %2, %3)")
                        .arg(id, x < 0 ? id + ".width / 2" : QString::number(x),
                             y < 0 ? id + ".height / 2" : QString::number(y)))
            .toPointF();
    }

    void clickFile(int row, Qt::MouseButton button = Qt::LeftButton) const
    {
        program.click(at("fl_MacroFile", 40, row * 20 + 10), button);
    }
    // Rows shown a moment ago may not be laid out yet.
    void clickStep(int row) const
    {
        eval("fl_MacroActions.lvItems.forceLayout()");
        program.click(at("fl_MacroActions", 40, row * 20 + 10));
    }
    void clickMenuRow(int row) const { program.click(at("fileMenu", -1, row * 20 + 10)); }
    void click(const QString &id) const { program.click(at(id)); }

    QStringList shownSteps() const { return eval("getAllMacroActions()").toStringList(); }
    QStringList shownFiles() const
    {
        QStringList names;
        for (int i = 0; i < eval("md_MacroFile.count").toInt(); ++i)
            names.append(eval(QStringLiteral("md_MacroFile.get(%1).textX").arg(i)).toString());
        return names;
    }
    QStringList storedSteps(const QString &name) const
    {
        return program.view()->loadMacroIni(name);
    }

    Program program;
    QObject *scope = nullptr;
};
} // namespace

class MacroPageTest : public InterfaceTest
{
    Q_OBJECT

private Q_SLOTS:
    void recordsKeysTypedElsewhere();
    void addKey_data();
    void addKey();
    void delayEntry_data();
    void delayEntry();
    void clipboard_data();
    void clipboard();
    void rename_data();
    void rename();
    void saveToARemovedMacro();
    void saveThatCannotBeWrittenKeepsTheSteps();
    void deselectingTheMacroEmptiesTheSteps();
};

// Keys typed into another program's window while recording reach the macro file and, since
// the macro is bound to slot 0, the keyboard; a key held until it repeats is one press and
// one release.
void MacroPageTest::recordsKeysTypedElsewhere()
{
    MacroPage page;
    QVERIFY(page.scope);
    InputHook hook(page.program.view()->backend().bridge().layoutType() == 0);
    hook.setKeyCallback(&keyCallback, page.program.widget.get());
    page.clickFile(0);
    page.click("recordButton");
    QVERIFY(page.eval("isRecordStart").toBool());
    QVERIFY(page.shownSteps().isEmpty());

    QLineEdit elsewhere;
    elsewhere.setGeometry(100, 650, 200, 40);
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    Display *injector = XOpenDisplay(nullptr);
    QVERIFY(injector);
    const auto key = [injector](unsigned code, bool isDown) {
        XTestFakeKeyEvent(injector, code + xKeyCodeOffset, isDown, CurrentTime);
    };
    key(KEY_A, true);
    key(KEY_A, false);
    for (int repeat = 0; repeat < 4; ++repeat)
        key(KEY_B, true);
    key(KEY_B, false);
    key(KEY_C, true);
    key(KEY_C, false);
    XFlush(injector);
    const QStringList recorded{"A" + down, "A" + up, "B" + down, "B" + up, "C" + down, "C" + up};
    QTRY_COMPARE(page.shownSteps(), recorded);
    XCloseDisplay(injector);
    hook.removeHooks();

    VirtualKeyboard::shared().clearCalls();
    page.click("stopButton");
    QVERIFY(!page.eval("isRecordStart").toBool());
    QCOMPARE(page.storedSteps(firstMacro), recorded);
    // The 10H command for slot 0, then the slot image in two data reports.
    QTRY_COMPARE(commandTraffic().size(), 3);
    const QList<QByteArray> traffic = commandTraffic();
    QCOMPARE(traffic.at(0), QByteArray::fromHex("00 10 00 00 00 00 55 AA 00"));
    QCOMPARE(
        traffic.at(1).mid(1) + traffic.at(2).mid(1),
        QByteArray::fromHex("0100 0401 0481 0501 0581 0601 0681 0000").leftJustified(128, '\0'));
}

void MacroPageTest::addKey_data()
{
    QTest::addColumn<int>("selectedStep");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("step row 2 selected")
        << 2 << QStringList{"W" + down, "W" + up, "Z" + down, "Z" + up, "500" + delay, "X" + down};
    QTest::newRow("nothing selected")
        << -1 << QStringList{"W" + down, "W" + up, "500" + delay, "X" + down, "Z" + down, "Z" + up};
}

// The capture field takes the next key the hook reports; the add button puts its press and
// release before the selected step, or after the last one.
void MacroPageTest::addKey()
{
    QFETCH(int, selectedStep);
    QFETCH(QStringList, steps);
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(0);
    QVERIFY(!page.eval("addKeyButton.enabled").toBool());
    page.click("keyboardAction");
    page.program.eval("detectKeyboard(true, 0x1D)");
    QCOMPARE(page.eval("keyboardAction.text").toString(), QStringLiteral("KEY 【 Z 】"));
    if (selectedStep >= 0)
        page.clickStep(selectedStep);

    page.click("addKeyButton");
    QCOMPARE(page.shownSteps(), steps);
    QCOMPARE(page.storedSteps(firstMacro), steps);
    if (selectedStep >= 0)
        QCOMPARE(page.eval("fl_MacroActions.lvItems.currentIndex").toInt(), selectedStep + 2);
}

void MacroPageTest::delayEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<int>("value");
    QTest::newRow("3, Enter") << "3" << true << 10;
    QTest::newRow("65535, Enter") << "65535" << true << 65535;
    QTest::newRow("250, background") << "250" << false << 250;
    QTest::newRow("empty, Enter") << "" << true << 1000;
    QTest::newRow("empty, background") << "" << false << 1000;
    QTest::newRow("too long") << "123456" << true << 12345;
    QTest::newRow("99999, Enter") << "99999" << true << 65535;
    QTest::newRow("99999, background") << "99999" << false << 65535;
}

// The field commits on Enter or a press on the window's background; the add button then adds
// the committed delay.
void MacroPageTest::delayEntry()
{
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(int, value);
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(1);
    QTest::mouseDClick(page.program.view(), Qt::LeftButton, {},
                       page.at("delaytime", 80, 12).toPoint());
    QTest::keyClick(page.program.view(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(page.program.view(), Qt::Key_Delete);
    QTest::keyClicks(page.program.view(), typed);
    if (byEnter)
        QTest::keyClick(page.program.view(), Qt::Key_Return);
    else
        page.program.click(page.at("pageMacro", 300, 350));
    QCOMPARE(page.eval("delaytime.value").toInt(), value);
    QCOMPARE(page.eval("delaytime.text").toString(), QString::number(value));

    page.click("addDelayButton");
    QCOMPARE(page.storedSteps(secondMacro), QStringList{QString::number(value) + delay});
}

void MacroPageTest::clipboard_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("firstAfter");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QStringList>("secondAfter");
    QTest::newRow("cut pastes once")
        << "cutButton" << 1 << QStringList{"W" + down, "500" + delay, "X" + down} << 1
        << QStringList{"W" + up};
    QTest::newRow("cut of the last step")
        << "cutButton" << 3 << QStringList{"W" + down, "W" + up, "500" + delay} << -1
        << QStringList{"X" + down};
    QTest::newRow("copy pastes repeatedly")
        << "copyButton" << 1 << fourSteps << 1 << QStringList{"W" + up, "W" + up, "W" + up};
}

// The clipboard outlives a switch to another macro; a cut step is pasted once, a copied one as
// often as wanted.
void MacroPageTest::clipboard()
{
    QFETCH(QString, tool);
    QFETCH(int, step);
    QFETCH(QStringList, firstAfter);
    QFETCH(int, selectedAfter);
    QFETCH(QStringList, secondAfter);
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(0);
    page.clickStep(step);
    page.click(tool);
    QCOMPARE(page.storedSteps(firstMacro), firstAfter);
    QCOMPARE(page.eval("fl_MacroActions.lvItems.currentIndex").toInt(), selectedAfter);

    page.clickFile(1);
    QVERIFY(page.shownSteps().isEmpty());
    for (int paste = 0; paste < 3; ++paste) {
        if (page.eval("pasteButton.enabled").toBool())
            page.click("pasteButton");
    }
    QCOMPARE(page.storedSteps(secondMacro), secondAfter);
    QCOMPARE(page.shownSteps(), secondAfter);
}

void MacroPageTest::rename_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a free name") << "Sprint"
                                 << "Sprint";
    QTest::newRow("a name taken") << secondMacro << firstMacro;
    QTest::newRow("a path separator") << "sub/Sprint" << firstMacro;
    QTest::newRow("empty") << "" << firstMacro;
}

// RENAME edits the name in place; the list then shows what the folder holds, and the renamed
// macro stays selected with its steps.
void MacroPageTest::rename()
{
    QFETCH(QString, newName);
    QFETCH(QString, shown);
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(0);
    page.clickFile(0, Qt::RightButton);
    QTRY_VERIFY(page.eval("fileMenu.isOpen").toBool());
    page.clickMenuRow(2);
    QCOMPARE(page.eval("fl_MacroFile.editIndex").toInt(), 0);
    QTest::keyClick(page.program.view(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(page.program.view(), Qt::Key_Delete);
    QTest::keyClicks(page.program.view(), newName);
    QTest::keyClick(page.program.view(), Qt::Key_Return);

    QCOMPARE(page.eval("fl_MacroFile.editIndex").toInt(), -1);
    QCOMPARE(page.eval("getCurrentMacroName()").toString(), shown);
    QStringList files = page.program.view()->getMacroIniNames();
    for (QString &file : files)
        file.chop(4);
    QCOMPARE(page.shownFiles(), files);
    QVERIFY(files.contains(shown));
    QCOMPARE(page.storedSteps(shown), fourSteps);
    QCOMPARE(page.shownSteps(), fourSteps);
}

// The macro's file went away behind the page's back: the save fails quietly and the page
// shows no steps for it.
void MacroPageTest::saveToARemovedMacro()
{
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(0);
    QCOMPARE(page.shownSteps(), fourSteps);
    QVERIFY(QFile::remove(macroFile(page.program.workspace, firstMacro)));
    page.click("addDelayButton");
    QVERIFY(page.shownSteps().isEmpty());
    QVERIFY(!QFile::exists(macroFile(page.program.workspace, firstMacro)));
}

// A disk that takes no more (here no write past a file-size limit, which binds root too): the
// steps stay on the page, the user is told, and the file keeps what it held.
void MacroPageTest::saveThatCannotBeWrittenKeepsTheSteps()
{
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(0);
    const QString file = macroFile(page.program.workspace, firstMacro);
    const QByteArray before = contents(file);
    {
        const FileSizeLimit diskFull(16);
        page.click("addDelayButton");
    }
    QCOMPARE(page.shownSteps(), fourSteps + QStringList{"1000" + delay});
    QCOMPARE(contents(file), before);
    QTRY_COMPARE(page.program.eval("keyboardNoticeItem.text").toString(),
                 page.program.view()->messageTexts().at(myQQuickView::macroNotSavedMessage));
}

// A click on the chosen macro deselects it: no steps, and nothing can be added or pasted.
void MacroPageTest::deselectingTheMacroEmptiesTheSteps()
{
    MacroPage page;
    QVERIFY(page.scope);
    page.clickFile(0);
    page.click("keyboardAction");
    page.program.eval("detectKeyboard(true, 0x04)");
    page.clickStep(0);
    page.click("copyButton");
    const QString tools = QStringLiteral("[addKeyButton.enabled, addDelayButton.enabled, "
                                         "pasteButton.enabled, recordButton.enabled]");
    QCOMPARE(page.eval(tools).toList(), (QVariantList{true, true, true, true}));

    page.clickFile(0);
    QVERIFY(page.eval("getCurrentMacroName() === undefined").toBool());
    QVERIFY(page.shownSteps().isEmpty());
    QCOMPARE(page.eval(tools).toList(), (QVariantList{false, false, false, false}));
    QCOMPARE(page.storedSteps(firstMacro), fourSteps);
}

int main(int argc, char *argv[])
{
    XvfbServer xvfb;
    if (!xvfb.startForThisProcess())
        return 1;
    QApplication app(argc, argv);
    MacroPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_macropage.moc"
