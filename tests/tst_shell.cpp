// The interface's shell running for real: the program's own QML, the view and the virtual
// keyboard, in a folder holding a copy of the shipped modules/.

#include "app/widget.h"
#include "copyfolder.h"
#include "device/virtual/virtualkeyboard.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QMetaProperty>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

#include <sys/stat.h>

namespace
{
// A control made in the keyboard item's scope, where the pages make theirs.
QQuickItem *makeControl(const Program &program, const QByteArray &qml)
{
    QQmlEngine *engine = program.view()->engine();
    QQmlComponent component(engine);
    component.setData("import QtQuick\nimport \"qrc:/modules/qml/common\"\n" + qml,
                      QUrl(QStringLiteral("qrc:/modules/qml/R7/TestControl.qml")));
    QObject *object = component.create(qmlContext(program.keyboardScope()));
    if (!object) {
        qWarning() << component.errors();
        return nullptr;
    }
    auto *item = qobject_cast<QQuickItem *>(object);
    item->setParentItem(program.root());
    item->setZ(1000);
    return item;
}

// The first part of a control made from the interface's own component `type`.
QQuickItem *part(QObject *control, const char *type)
{
    const QList<QQuickItem *> items = control->findChildren<QQuickItem *>();
    for (QQuickItem *item : items) {
        if (QString::fromLatin1(item->metaObject()->className()).startsWith(type))
            return item;
    }
    return nullptr;
}

QString headText(QObject *list)
{
    return part(list, "ListHead")->property("text").toString();
}
} // namespace

class ShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("R7_VIRTUAL_KEYBOARD", "1");
        watchInterfaceWarnings();
    }
    void init() { interfaceWarnings().clear(); }
    // Whatever a test does, the interface logs no warning doing it.
    void cleanup()
    {
        QVERIFY2(interfaceWarnings().isEmpty(), qPrintable(interfaceWarnings().join('\n')));
    }

    void startsWithoutInterfaceWarnings();
    void startUpReachesItsEndState();
    void secondRunRestartsTheAnimation();
    void interfaceIsMadeWhileTheAnimationPlays();
    void pressDuringTheStartUpFindsTheInterface();
    void openingShorterThanAFrameShowsWhole();
    void backdropIsMadeWithTheStoredLook_data();
    void backdropIsMadeWithTheStoredLook();
    void bracketsAreLaidOutWhenTheirPageShows();
    void busyProtectionBlocksAndReleases();
    void refusedKeyboardMessage();
    void keyboardNoticeShowsAndGoes();
    void sameIntervalDoesNotExtendTheWait();
    void anotherIntervalRestartsTheWait();
    void showDuringSlides_data();
    void showDuringSlides();
    void choosingNoFunctionShowsTheKeyboard();
    void settingsPanelDisablesTheRest();
    void keyEventsReachTheKeyboardItem();
    void mouseEventsChangeNothing();
    void closeEndsTheProgram_data();
    void closeEndsTheProgram();
    void everyImageExistsInBothSkins_data();
    void everyImageExistsInBothSkins();
    void dropdownRowClickedWhileOpening();
    void dropdownHeadTogglesTheList();
    void fileListSelection_data();
    void fileListSelection();
    void fileListRename();
    void sliderNeverReportsBelowItsMinimum_data();
    void sliderNeverReportsBelowItsMinimum();
    void keyInput2Captures_data();
    void keyInput2Captures();
};

void ShellTest::startsWithoutInterfaceWarnings()
{
    Program program(0);
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    // The other skin's pictures are there too.
    program.set(QStringLiteral("_Page_Globalsetting.skin_No = 2; setSkin()"));
    QCoreApplication::processEvents();
    QVERIFY2(interfaceWarnings().isEmpty(), qPrintable(interfaceWarnings().join('\n')));
}

void ShellTest::startUpReachesItsEndState()
{
    Program program(0);
    QVERIFY(!program.root()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);

    QCOMPARE(program.eval("logoWeb_img.y").toInt(), 30);
    QCOMPARE(program.eval("logoWeb_img.opacity").toDouble(), 1.0);
    QCOMPARE(program.eval("envItem.opacity").toDouble(), 1.0);
    QCOMPARE(program.eval("envDecorationItem.opacity").toDouble(), 1.0);
    QCOMPARE(program.eval("downItem.y").toInt(), 600 - program.eval("downItem.height").toInt());
    QCOMPARE(program.page("fnItem.x").toInt(), 8);
    QCOMPARE(program.page("pfItem.x").toInt(), 1000 - program.page("pfItem.width").toInt() - 8);
    QVERIFY(program.page("fnItem.visible && pfItem.visible").toBool());
    QCOMPARE(program.page("_fkPage.curID").toInt(), -1);
    QCOMPARE(program.eval("currentpage").toInt(), -1);
    QVERIFY(program.eval("isConnect").toBool());
    QVERIFY(program.view()->isEnabled());
    QVERIFY(!program.eval("protectUIItem.visible").toBool());
    // The profile menu shows the keyboard's current profile.
    QCOMPARE(program.page("pfItem.currentIndex").toInt(),
             program.eval("ui_View.ui_A1H_GetCurrentProfile()").toInt());
}

void ShellTest::secondRunRestartsTheAnimation()
{
    Program program(slowSpeed);
    // The logo has faded in and risen; the frame is fading in.
    QTRY_VERIFY_WITH_TIMEOUT(program.eval("script0.running && logoWeb_img.y === 30").toBool(),
                             20000);
    QMetaObject::invokeMethod(program.root(), "run", Qt::QueuedConnection);
    // The logo fades in again from nothing.
    QTRY_VERIFY_WITH_TIMEOUT(program.eval("logoWeb_img.opacity < 0.5").toBool(), 20000);
    QVERIFY(program.eval("script0.running").toBool());
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 30000);
}

// The opening animation starts before the menus, pages and texts exist. They are made while it
// plays and read the keyboard in the order they always have, before the menus come in.
void ShellTest::interfaceIsMadeWhileTheAnimationPlays()
{
    VirtualKeyboard::shared().clearCalls();
    Program program(slowSpeed);
    QVariantList atOpening;
    connect(program.root(), &QQuickItem::visibleChanged, this, [&] {
        if (!atOpening.isEmpty())
            return;
        atOpening = program.eval("[startUpLeft > 0, main_R7 === null, upItem === null]").toList();
        // Nor is any text laid out: the first frames need no font.
        const QList<QQuickItem *> items = program.root()->findChildren<QQuickItem *>();
        atOpening.append(int(std::count_if(items.cbegin(), items.cend(), [](QQuickItem *item) {
            return item->inherits("QQuickText");
        })));
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.eval("script1.running").toBool(), 20000);
    QCOMPARE(atOpening, QVariantList({true, true, true, 0}));
    QCOMPARE(program.eval("startUpLeft").toInt(), 0);

    // Firmware, profile, gaming mode, then the keyboard's lighting and palette, taken into the
    // profile before the colour pages read it there.
    QList<int> queries;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls()) {
        if (call.kind == VirtualKeyboard::Call::SendFeatureReport && call.data.size() > 1 &&
            quint8(call.data.at(1)) >= 0x80)
            queries.append(quint8(call.data.at(1)));
    }
    QCOMPARE(queries, QList<int>({0x80, 0xA1, 0x82, 0x88, 0xB0}));
}

// A press before the last steps are made is handled by the complete interface.
void ShellTest::pressDuringTheStartUpFindsTheInterface()
{
    Program program(1);
    QTRY_VERIFY_WITH_TIMEOUT(program.root()->isVisible(), 20000);
    QVERIFY(program.eval("startUpLeft > 0").toBool());
    program.click(QPointF(500, 300));
    QCOMPARE(program.eval("startUpLeft").toInt(), 0);
    QVERIFY(program.eval("main_R7.pageReads[3] !== null").toBool());
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
}

// With animations off the window shows the opening's end in its first frame, and only once
// the backdrop's pictures are read: the background comes through a pipe, so it is read only
// when the test writes it.
void ShellTest::openingShorterThanAFrameShowsWhole()
{
    QString background;
    QByteArray picture;
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        background = workspace.path(QStringLiteral("modules/img/skin1/background.png"));
        QFile file(background);
        QVERIFY(file.open(QIODevice::ReadOnly));
        picture = file.readAll();
        QVERIFY(file.remove());
        QCOMPARE(mkfifo(QFile::encodeName(background).constData(), 0600), 0);
    });
    const auto writeBackground = [&] {
        QFile pipe(background);
        if (pipe.open(QIODevice::WriteOnly))
            pipe.write(picture);
    };
    // The engine's reader waits on the pipe until something is written.
    auto unblockReader = qScopeGuard(writeBackground);
    // What the first frame that shows the root is made of.
    QVariantList atOpening;
    connect(program.view()->quickWindow(), &QQuickWindow::beforeSynchronizing, this, [&] {
        if (atOpening.isEmpty() && program.root()->isVisible())
            atOpening =
                program.eval("[envItem.picturesRead, envItem.opacity, logoWeb_img.y]").toList();
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.eval("openingWaitsForPictures").toBool(), 20000);
    QVERIFY(!program.root()->isVisible());
    unblockReader.dismiss();
    writeBackground();
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QCOMPARE(atOpening, QVariantList({true, 1.0, 30.0}));
}

void ShellTest::backdropIsMadeWithTheStoredLook_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("keyboard");
    QTest::newRow("skin 2") << QVariantMap{{QStringLiteral("common/1"), 2}}
                            << QStringLiteral("skin2/background.png")
                            << QStringLiteral("skin2/keyboardPic.png");
    QTest::newRow("own background")
        << QVariantMap{{QStringLiteral("common/5"), QStringLiteral("true")},
                       {QStringLiteral("common/6"), QStringLiteral("file:own.png")}}
        << QStringLiteral("own.png") << QStringLiteral("skin1/keyboardPic.png");
}

// The backdrop asks for its pictures as the root is made, before "initUI" reads the settings:
// it is made with the stored look, so that no other picture is read first.
void ShellTest::backdropIsMadeWithTheStoredLook()
{
    QFETCH(QVariantMap, stored);
    QFETCH(QString, background);
    QFETCH(QString, keyboard);
    TestWorkspace workspace;
    copyFolder(QStringLiteral(R7_MODULES_DIR), workspace.path(QStringLiteral("modules")));
    QSettings settings(workspace.path(QStringLiteral("modules/setting/apConfig.bin")),
                       QSettings::IniFormat);
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    const Widget widget;
    const QQuickItem *root = widget.uiController()->uiView()->rootObject();
    const auto source = [root](const char *name) {
        return root->findChild<QObject *>(QLatin1String(name))->property("source").toString();
    };
    QVERIFY2(source("backgroundPicture").endsWith(background),
             qPrintable(source("backgroundPicture")));
    QVERIFY2(source("keyboardPicture").endsWith(keyboard), qPrintable(source("keyboardPicture")));
}

// Only a CJK font has the pages' "【 】": a page made but not shown lays them out only once it
// shows, so that starting the program reads no such font.
void ShellTest::bracketsAreLaidOutWhenTheirPageShows()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    const auto bracketTexts = [&] {
        const QList<QQuickItem *> items = program.root()->findChildren<QQuickItem *>();
        return std::count_if(items.cbegin(), items.cend(), [](QQuickItem *item) {
            return item->inherits("QQuickText") &&
                   item->property("text").toString().contains(QChar(0x3010));
        });
    };
    QCOMPARE(bracketTexts(), 0);
    program.set(QStringLiteral("show(1)"), program.keyboardScope());
    QTRY_VERIFY(bracketTexts() > 0);
}

// The message about a keyboard that may not be opened: in the window, in the language chosen,
// and its button checks the keyboard again.
void ShellTest::refusedKeyboardMessage()
{
    VirtualKeyboard &keyboard = VirtualKeyboard::shared();
    keyboard.setRefusesOpens(HidBackend::OpenFailure::NoPermission);
    const auto restore = qScopeGuard(&resetVirtualKeyboard);
    Program program;
    QTRY_VERIFY(program.started());
    auto *message = program.root()->findChild<QQuickItem *>(QStringLiteral("accessMessage"));
    QVERIFY(message);
    QTRY_VERIFY(message->isVisible());
    QCOMPARE(message->property("title").toString(), program.view()->messageTexts().at(10));
    QVERIFY(message->property("text").toString().contains(QLatin1String("R7 Gaming Keyboard")));

    program.view()->getGlobalStrings(QStringLiteral("042000"));
    QTRY_COMPARE(message->property("title").toString(),
                 QStringLiteral("Die Tastatur kann nicht geöffnet werden"));
    QVERIFY(message->property("text").toString().contains(QLatin1String("Tastaturregel")));

    keyboard.setRefusesOpens(HidBackend::OpenFailure::Gone);
    QSignalSpy checks(program.widget->deviceCheckTimer(), &QTimer::timeout);
    auto *button = message->findChild<QQuickItem *>(QStringLiteral("messageCloseButton"));
    QVERIFY(button);
    program.click(
        button->mapToItem(program.root(), QPointF(button->width() / 2, button->height() / 2)));
    QVERIFY(!message->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(checks.count(), 1, 5000);
    QTRY_VERIFY(program.eval(QStringLiteral("isConnect")).toBool());
    QVERIFY(!message->isVisible());
}

void ShellTest::busyProtectionBlocksAndReleases()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);

    program.set("setProtectUI(800)");
    QVERIFY(!program.view()->isEnabled());
    QVERIFY(program.eval("protectUIItem.visible").toBool());
    QTRY_VERIFY_WITH_TIMEOUT(program.view()->isEnabled(), 10000);
    QVERIFY(!program.eval("protectUIItem.visible").toBool());
}

// A change the keyboard did not take: the notice shows the language's text, lets clicks
// through, and goes by itself.
void ShellTest::keyboardNoticeShowsAndGoes()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.set("keyboardNoticeItem.showMs = 300");
    // The command interface stops answering; the worker's input interface stays.
    VirtualKeyboard::shared().setInterfaces(VirtualKeyboard::Interfaces::InputOnly);
    program.view()->ui_04H_SetButtonSensitivity(2);

    QTRY_VERIFY_WITH_TIMEOUT(program.eval("keyboardNoticeItem.visible").toBool(), 10000);
    QCOMPARE(program.eval("keyboardNoticeItem.text").toString(),
             program.view()->messageTexts().at(myQQuickView::keyboardNoticeMessage));
    QVERIFY(!program.eval("keyboardNoticeItem.text").toString().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!program.eval("keyboardNoticeItem.visible").toBool(), 10000);
}

// Asked again with the same interval, the running wait goes on and ends as first planned.
void ShellTest::sameIntervalDoesNotExtendTheWait()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);

    program.set("setProtectUI(4000)");
    QTest::qWait(2500);
    QVERIFY(!program.view()->isEnabled());
    program.set("setProtectUI(4000)");
    QElapsedTimer sinceSecondCall;
    sinceSecondCall.start();
    QTRY_VERIFY_WITH_TIMEOUT(program.view()->isEnabled(), 20000);
    // A restarted wait would last the full 4000 ms from the second call.
    QVERIFY2(sinceSecondCall.elapsed() < 4000,
             qPrintable(QString::number(sinceSecondCall.elapsed())));
}

// Another interval starts the wait anew: a very long wait gives way to a short one.
void ShellTest::anotherIntervalRestartsTheWait()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);

    program.set("setProtectUI(600000)");
    QTest::qWait(100);
    QVERIFY(!program.view()->isEnabled());
    program.set("setProtectUI(50)");
    QTRY_VERIFY_WITH_TIMEOUT(program.view()->isEnabled(), 20000);
    QVERIFY(!program.eval("tmrProtectUI.running").toBool());
}

void ShellTest::showDuringSlides_data()
{
    QTest::addColumn<QList<int>>("requests");
    QTest::addColumn<int>("shown");
    QTest::newRow("one page") << QList<int>{0} << 0;
    QTest::newRow("another page during the slide-in") << QList<int>{0, 1} << 1;
    QTest::newRow("three pages in a row") << QList<int>{0, 2, 1} << 1;
    QTest::newRow("none during the slide-in") << QList<int>{2, -1} << -1;
    QTest::newRow("a page after none") << QList<int>{1, -1, 2} << 2;
    QTest::newRow("the same page again") << QList<int>{2, 2} << 2;
}

// Requests made back to back, each while the previous slide still runs: the last one wins
// and the page area ends at rest.
void ShellTest::showDuringSlides()
{
    QFETCH(QList<int>, requests);
    QFETCH(int, shown);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.setSpeed(slowSpeed);

    for (int index : requests)
        program.page(QStringLiteral("_fkPage.show(%1)").arg(index));
    QTRY_VERIFY_WITH_TIMEOUT(!program.page("pa_X.running || paBack_X.running").toBool(), 20000);
    QCOMPARE(program.page("_fkPage.curID").toInt(), shown);
    const QStringList pages{"_Page_Keydefine", "_Page_Macro", "_Page_Color", "_Page_BackLighting"};
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(program.page(QStringLiteral("!!%1 && %1.visible").arg(pages.at(i))).toBool(),
                 i == shown);
    if (shown >= 0)
        QCOMPARE(program.page("_fkPage.contentX").toDouble(), 0.0);
}

// The function menu's choice of the shown page again (-1) slides the page out and brings the
// keyboard picture back.
void ShellTest::choosingNoFunctionShowsTheKeyboard()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    const QQuickItem *keyboardPicture = itemNamed(program.root(), "keyboardPicture");

    program.page("fnItem.indexChanged_btn(1)");
    QCOMPARE(program.eval("currentpage").toInt(), 1);
    QVERIFY(!keyboardPicture->isVisible());
    QTRY_VERIFY(program.page("_Page_Macro.visible && !pa_X.running").toBool());

    program.page("fnItem.indexChanged_btn(-1)");
    QCOMPARE(program.eval("currentpage").toInt(), -1);
    QVERIFY(keyboardPicture->isVisible());
    QTRY_COMPARE(program.page("_fkPage.curID").toInt(), -1);
    QVERIFY(!program.page("_Page_Macro.visible").toBool());
}

void ShellTest::settingsPanelDisablesTheRest()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    // The bottom bar, then the page area and the side menus of the keyboard item.
    const QStringList dimmed{"downItem", "_fkPage", "fnItem", "pfItem"};
    const auto value = [&](const QString &item, const char *property) {
        return itemNamed(program.root(), item)->property(property);
    };

    // The settings button of the top bar.
    program.click(QPointF(8 + 5 + 16, 30 + 16));
    QVERIFY(program.eval("upItem.isGlobalSettingSelect").toBool());
    QVERIFY(program.eval("_fkGlobalsetting.visible").toBool());
    for (const QString &item : dimmed) {
        QVERIFY2(!value(item, "enabled").toBool(), qPrintable(item));
        QCOMPARE(value(item, "opacity").toDouble(), 0.2);
    }
    QVERIFY(program.page("!_fkPage.enabled && !fnItem.enabled && !pfItem.enabled").toBool());
    QVERIFY(program.eval("upItem.enabled && upItem.opacity === 1").toBool());
    QTRY_COMPARE(program.eval("_fkGlobalsetting.contentX").toDouble(), 0.0);

    program.click(QPointF(8 + 5 + 16, 30 + 16));
    QVERIFY(!program.eval("upItem.isGlobalSettingSelect").toBool());
    for (const QString &item : dimmed)
        QCOMPARE(value(item, "opacity").toDouble(), 1.0);
    QTRY_VERIFY(!program.eval("_fkGlobalsetting.visible").toBool());
    QCOMPARE(program.eval("_fkGlobalsetting.contentX").toDouble(), 340.0);
}

void ShellTest::keyEventsReachTheKeyboardItem()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QObject *keyboardItem = program.eval("main_R7").value<QObject *>();
    QSignalSpy spy(keyboardItem, SIGNAL(msg_KB(bool, int)));

    program.view()->detectKeyboard(true, 0x04);
    program.view()->detectKeyboard(false, 0xE1);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0), (QVariantList{true, 0x04}));
    QCOMPARE(spy.at(1), (QVariantList{false, 0xE1}));
}

void ShellTest::mouseEventsChangeNothing()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QObject *keyboardItem = program.eval("main_R7").value<QObject *>();
    QSignalSpy spy(keyboardItem, SIGNAL(msg_KB(bool, int)));
    const QString state = "[currentpage, upItem.isGlobalSettingSelect, _fkGlobalsetting.visible,"
                          " protectUIItem.visible, isConnect].join()";
    const QString before = program.eval(state).toString();

    program.view()->detectMouse(true, 0x201, 100, 100);
    program.view()->detectMouse(false, 0x202, 100, 100);
    QTest::qWait(100);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(program.eval(state).toString(), before);
    QVERIFY2(interfaceWarnings().isEmpty(), qPrintable(interfaceWarnings().join('\n')));
}

void ShellTest::closeEndsTheProgram_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("the backend's close") << false;
    QTest::newRow("the top bar's right-hand button") << true;
}

void ShellTest::closeEndsTheProgram()
{
    QFETCH(bool, byButton);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QVERIFY(program.widget->isVisible());

    if (byButton)
        program.click(QPointF(1000 - 8 - 5 - 20, 20));
    else
        program.view()->closeUI();
    QTRY_VERIFY_WITH_TIMEOUT(!program.widget->isVisible(), 20000);
    QCOMPARE(program.eval("mainIten.height").toInt(), 0);
}

void ShellTest::everyImageExistsInBothSkins_data()
{
    QTest::addColumn<int>("skin");
    QTest::newRow("skin 1") << 1;
    QTest::newRow("skin 2") << 2;
}

// Every picture the root names, the function menu's icons and a face and a frame for every
// key type of the layout, in the sizes the interface's positions assume.
void ShellTest::everyImageExistsInBothSkins()
{
    QFETCH(int, skin);
    Program program;
    program.set(QStringLiteral("_Page_Globalsetting.skin_No = %1").arg(skin));
    const QString folder = QStringLiteral("modules/img/skin%1/").arg(skin);

    QStringList files;
    const QMetaObject *meta = program.root()->metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (!name.startsWith(QLatin1String("source")) || name == "sourceCustomBackground")
            continue;
        const QString url = property.read(program.root()).toUrl().toString();
        QVERIFY2(url.startsWith("file:" + folder), qPrintable(name + ": " + url));
        files.append(url.mid(5));
    }
    QCOMPARE(files.size(), 57);
    for (const char *icon : {"fnKeydefine", "fnMacro", "fnColor"}) {
        files.append(folder + "list_fn/" + icon + "_0.png");
        files.append(folder + "list_fn/" + icon + "_1.png");
    }
    QSettings hwDef(QStringLiteral("modules/setting/HWDef.bin"), QSettings::IniFormat);
    QSet<int> keyTypes;
    for (int i = 1; i <= hwDef.value("1/total_HW").toInt(); ++i)
        keyTypes.insert(hwDef.value(QStringLiteral("1/%1").arg(i)).toStringList().value(2).toInt());
    QVERIFY(!keyTypes.isEmpty());
    for (int type : keyTypes) {
        files.append(folder + QStringLiteral("model_kb/k%1-0.png").arg(type));
        files.append(folder + QStringLiteral("model_kb/k%1-1.png").arg(type));
    }
    for (const QString &file : files)
        QVERIFY2(!QImageReader(file).read().isNull(), qPrintable(file));

    const QList<QPair<QString, QSize>> sizes{
        {"background.png", {1000, 600}},
        {"frame/frameBackground.png", {1000, 600}},
        {"common/slider_BASE.png", {151, 23}},
        {"common/slider_FILLER_0.png", {21, 21}},
        {"common/slider_FILLER_1.png", {21, 21}},
        {"list_pf/profileFW_0.png", {49, 26}},
        {"list_pf/profileFW_1.png", {49, 26}},
        {"list_fn/listFnBtn_0.png", {150, 37}},
        {"list_fn/listFnBtn_1.png", {150, 37}},
        {"common/draw_paletteIndex.png", {145, 31}},
        {"list_center/globalsettingBackground.png", {340, 420}},
        {"model_kb/k1-0.png", {28, 28}},
        {"model_kb/k2-0.png", {36, 28}},
        {"model_kb/k3-0.png", {43, 28}},
        {"model_kb/k4-0.png", {51, 28}},
        {"model_kb/k5-0.png", {58, 28}},
        {"model_kb/k6-0.png", {66, 28}},
        {"model_kb/k7-0.png", {81, 28}},
        {"model_kb/k8-0.png", {186, 28}},
        {"model_kb/k9-0.png", {28, 58}},
        {"model_kb/k9-1.png", {28, 58}},
    };
    for (const auto &[file, size] : sizes)
        QCOMPARE(QImageReader(folder + file).size(), size);
}

void ShellTest::dropdownRowClickedWhileOpening()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.setSpeed(slowSpeed);
    QQuickItem *list = makeControl(program, R"(
        DropdownList {
            x: 300; y: 150
            mdItems: ListModel {
                ListElement { textX: "ONE" }
                ListElement { textX: "TWO" }
                ListElement { textX: "THREE" }
            }
        })");
    QVERIFY(list);
    QSignalSpy opened(list, SIGNAL(listOpened()));
    QSignalSpy closed(list, SIGNAL(listClosed()));
    QSignalSpy chosen(list, SIGNAL(listElementClicked(int)));

    // The head opens the list; the rows come down from under it, the last one first.
    program.click(QPointF(300 + 20, 150 + 11));
    QCOMPARE(opened.count(), 1);
    QQuickItem *drawer = part(list, "ListDrawer");
    QQuickItem *rows = drawer->childItems().at(0);
    QTRY_VERIFY(drawer->property("opening").toBool() && rows->y() > -46);
    QVERIFY(!qmlValue(list, "isSelect").toBool());
    program.click(QPointF(300 + 20, 150 + 23 + 3));
    QCOMPARE(chosen.count(), 1);
    const int row = chosen.at(0).at(0).toInt();
    QCOMPARE(qmlValue(list, "defaultIndex").toInt(), row);
    QVERIFY(row >= 0);
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(!qmlValue(list, "isSelect").toBool());
    QVERIFY(!drawer->isVisible());
    QCOMPARE(headText(list), QStringList({"ONE", "TWO", "THREE"})[row]);
    delete list;
}

void ShellTest::dropdownHeadTogglesTheList()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QQuickItem *list = makeControl(program, R"(
        DropdownList {
            x: 300; y: 150
            mdItems: ListModel { ListElement { textX: "ONE" } ListElement { textX: "TWO" } }
        })");
    QVERIFY(list);
    QCOMPARE(headText(list), QStringLiteral("【 OPTIONS 】"));

    program.click(QPointF(320, 161));
    QTRY_VERIFY(qmlValue(list, "isSelect").toBool());
    program.click(QPointF(320, 150 + 23 + 23 + 11));
    QTRY_VERIFY(!qmlValue(list, "isSelect").toBool());
    QCOMPARE(headText(list), QStringLiteral("TWO"));
    // Closing a closed list changes nothing.
    qmlValue(list, "closeList()");
    QVERIFY(!part(list, "ListDrawer")->isVisible());
    program.click(QPointF(320, 161));
    QTRY_VERIFY(qmlValue(list, "isSelect").toBool());
    program.click(QPointF(320, 161));
    QTRY_VERIFY(!qmlValue(list, "isSelect").toBool());
    delete list;
}

void ShellTest::fileListSelection_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("selection");
    QTest::newRow("a click selects") << 3 << QList<int>{1} << -1 << 1;
    QTest::newRow("a second click clears") << 3 << QList<int>{1, 1} << -1 << -1;
    QTest::newRow("another row moves it") << 3 << QList<int>{1, 2} << -1 << 2;
    QTest::newRow("the only row removed") << 1 << QList<int>{0} << 0 << -1;
    QTest::newRow("every row removed") << 3 << QList<int>{2} << 3 << -1;
}

void ShellTest::fileListSelection()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, clicks);
    QFETCH(int, removed);
    QFETCH(int, selection);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QQuickItem *list = makeControl(program, "FileList { x: 300; y: 150 }");
    QVERIFY(list);
    for (int i = 0; i < rows; ++i)
        qmlValue(list, QStringLiteral("mdItems.append({textX: 'Macro %1', textR: 'R'})").arg(i));
    QSignalSpy clicked(list, SIGNAL(listElementClicked(int)));
    // Rows get their delegates on the next layout.
    qmlValue(list, "lvItems.forceLayout()");

    for (int row : clicks)
        program.click(QPointF(320, 150 + row * 20 + 10));
    QCOMPARE(clicked.count(), clicks.size());
    if (removed == 0)
        qmlValue(list, "mdItems.remove(0)");
    else if (removed > 0)
        qmlValue(list, "mdItems.clear()");
    QCOMPARE(qmlValue(list, "lvItems.currentIndex").toInt(), selection);

    QSignalSpy right(list, SIGNAL(listElementRightBtnClicked(int)));
    if (qmlValue(list, "mdItems.count").toInt() > 0) {
        const int before = qmlValue(list, "lvItems.currentIndex").toInt();
        program.click(QPointF(320, 150 + 10), Qt::RightButton);
        QCOMPARE(right.count(), 1);
        QCOMPARE(right.at(0).at(0).toInt(), 0);
        QCOMPARE(qmlValue(list, "lvItems.currentIndex").toInt(), before);
    }
    delete list;
}

void ShellTest::fileListRename()
{
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    program.widget->activateWindow();
    QQuickItem *list = makeControl(program, "FileList { x: 300; y: 150 }");
    QVERIFY(list);
    qmlValue(list, "mdItems.append({textX: 'First', textR: ''})");
    qmlValue(list, "mdItems.append({textX: 'Second', textR: ''})");
    qmlValue(list, "lvItems.forceLayout()");
    QSignalSpy completed(list, SIGNAL(editFileName_completed(QString, QString)));
    QSignalSpy stopped(list, SIGNAL(editFileName_stop()));

    qmlValue(list, "editFileName(1)");
    QCOMPARE(qmlValue(list, "editIndex").toInt(), 1);
    QTest::keyClicks(program.view(), "Renamed");
    QTest::keyClick(program.view(), Qt::Key_Return);
    QCOMPARE(completed.count(), 1);
    QCOMPARE(completed.at(0), (QVariantList{"Second", "Renamed"}));
    QCOMPARE(qmlValue(list, "mdItems.get(1).textX").toString(), QStringLiteral("Renamed"));
    QCOMPARE(stopped.count(), 1);

    // stopEditFileName keeps the text typed so far; a lost focus keeps the old name.
    qmlValue(list, "editFileName(0)");
    QTest::keyClicks(program.view(), "Kept");
    qmlValue(list, "stopEditFileName()");
    QCOMPARE(qmlValue(list, "mdItems.get(0).textX").toString(), QStringLiteral("Kept"));
    qmlValue(list, "editFileName(0)");
    QTest::keyClicks(program.view(), "Dropped");
    program.set("dragRegion.forceActiveFocus()");
    QCOMPARE(qmlValue(list, "editIndex").toInt(), -1);
    QCOMPARE(qmlValue(list, "mdItems.get(0).textX").toString(), QStringLiteral("Kept"));
    QCOMPARE(completed.count(), 2);
    QCOMPARE(stopped.count(), 3);
    delete list;
}

void ShellTest::sliderNeverReportsBelowItsMinimum_data()
{
    QTest::addColumn<int>("minIndex");
    QTest::addColumn<int>("pointerX");
    QTest::addColumn<int>("reported");
    QTest::newRow("left end, minimum 0") << 0 << 0 << 0;
    QTest::newRow("left end, minimum 1") << 1 << 0 << 1;
    QTest::newRow("first cell, minimum 1") << 1 << 10 << 1;
    QTest::newRow("middle") << 1 << 70 << 4;
    QTest::newRow("right end") << 1 << 140 << 7;
}

void ShellTest::sliderNeverReportsBelowItsMinimum()
{
    QFETCH(int, minIndex);
    QFETCH(int, pointerX);
    QFETCH(int, reported);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QQuickItem *slider = makeControl(
        program, QStringLiteral("Slider { x: 300; y: 150; minIndex: %1 }").arg(minIndex).toUtf8());
    QVERIFY(slider);
    QSignalSpy clicked(slider, SIGNAL(sliderClicked(int)));

    program.click(QPointF(300 + 5 + pointerX, 150 + 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), reported);
    QCOMPARE(qmlValue(slider, "getCurIndex()").toInt(), reported);
    delete slider;
}

void ShellTest::keyInput2Captures_data()
{
    QTest::addColumn<int>("usbCode");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("label");
    QTest::newRow("a key with a name") << 0x04 << 0x04 << QStringLiteral("KEY 【 A 】");
    QTest::newRow("a code without a name") << 0xA5 << 0 << QStringLiteral("KEY【 PRESS ANY 】");
}

void ShellTest::keyInput2Captures()
{
    QFETCH(int, usbCode);
    QFETCH(int, kept);
    QFETCH(QString, label);
    Program program;
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
    QQuickItem *field = makeControl(program, "KeyInput_2 { x: 300; y: 150 }");
    QVERIFY(field);
    QSignalSpy complete(field, SIGNAL(inputComplete(int)));

    // Not capturing: key events pass by.
    qmlValue(field, QStringLiteral("detectKeyboard(true, %1)").arg(usbCode));
    QCOMPARE(complete.count(), 0);
    QCOMPARE(qmlValue(field, "tmpKeycodeUSB").toInt(), 0);

    program.click(QPointF(320, 161));
    QVERIFY(qmlValue(field, "isSelect").toBool());
    qmlValue(field, QStringLiteral("detectKeyboard(true, %1)").arg(usbCode));
    QCOMPARE(complete.count(), 1);
    QCOMPARE(complete.at(0).at(0).toInt(), usbCode);
    QVERIFY(!qmlValue(field, "isSelect").toBool());
    QCOMPARE(qmlValue(field, "tmpKeycodeUSB").toInt(), kept);
    QCOMPARE(qmlValue(field, "text").toString(), label);

    // The next key is not taken until the field is clicked again, which also clears it.
    qmlValue(field, "detectKeyboard(false, 5)");
    QCOMPARE(complete.count(), 1);
    program.click(QPointF(320, 161));
    QCOMPARE(qmlValue(field, "tmpKeycodeUSB").toInt(), 0);
    QVERIFY(qmlValue(field, "isSelect").toBool());
    delete field;
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
