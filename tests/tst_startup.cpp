// The program's window and its start-up hand-shake with the QML root.

#include "app/userevent.h"
#include "app/widget.h"
#include "device/virtual/virtualkeyboard.h"
#include "qmlcallrecorder.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QFileDialog>
#include <QPointer>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("R7_VIRTUAL_KEYBOARD", "1"); }
    void init() { resetVirtualKeyboard(); }

    void startupOrder_data();
    void startupOrder();
    void otherCustomEventsChangeNothing_data();
    void otherCustomEventsChangeNothing();
    void windowLook();
    void title_data();
    void title();
    void dragMovesByTheDeltas_data();
    void dragMovesByTheDeltas();
    void setBusyReachesQmlAsZero_data();
    void setBusyReachesQmlAsZero();
    void minimizeHidesAndExitCloses();
    void windowSlotsAfterTheWindowIsGoneDoNothing();
};

void StartupTest::startupOrder_data()
{
    QTest::addColumn<bool>("plugged");
    QTest::newRow("keyboard present") << true;
    QTest::newRow("no keyboard") << false;
}

// What main does: check, show, start; the QML root then sees the protection on, the check's
// result, "initUI", the protection off and "run", in that order and nothing else.
void StartupTest::startupOrder()
{
    QFETCH(bool, plugged);
    if (!plugged)
        VirtualKeyboard::shared().unplug();
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());

    widget.checkDevice();
    widget.showNormal();
    widget.startUI();
    QCOMPARE(recorder.names(), QStringList{QStringLiteral("setProtectUI")});
    QTRY_VERIFY(recorder.names().contains(QStringLiteral("run")));
    QTest::qWait(50);

    const QStringList expected{"setProtectUI", "currentVersion", "initUI", "setProtectUI", "run"};
    QCOMPARE(recorder.names(), expected);
    const QList<QmlCallRecorder::Call> calls = recorder.calls();
    QCOMPARE(calls.at(0).args, QVariantList{1});
    QCOMPARE(calls.at(1).args, QVariantList{plugged});
    QCOMPARE(calls.at(2).args, QVariantList());
    QCOMPARE(calls.at(3).args, QVariantList{0});
    QCOMPARE(calls.at(4).args, QVariantList());
}

void StartupTest::otherCustomEventsChangeNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("userEvent");
    QTest::newRow("other code") << 1000 << 2176 << true;
    QTest::newRow("code 0") << 1000 << 0 << true;
    QTest::newRow("other type") << 1001 << 2177 << true;
    QTest::newRow("highest type") << int(QEvent::MaxUser) << 2177 << true;
    QTest::newRow("plain event of type 1000") << 1000 << 0 << false;
}

void StartupTest::otherCustomEventsChangeNothing()
{
    QFETCH(int, type);
    QFETCH(int, code);
    QFETCH(bool, userEvent);
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    QmlCallRecorder recorder(widget.uiController()->uiView());

    QEvent *event =
        userEvent ? new UserEvent(QEvent::Type(type), code) : new QEvent(QEvent::Type(type));
    QCoreApplication::postEvent(&widget, event);
    QTest::qWait(100);
    QCOMPARE(recorder.names(), QStringList());

    // The start event itself still works afterwards.
    QCoreApplication::postEvent(&widget, new UserEvent(QEvent::Type(1000), 2177));
    QTRY_COMPARE(recorder.names(), (QStringList{"setProtectUI", "run"}));
}

void StartupTest::windowLook()
{
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    myQQuickView *view = widget.uiController()->uiView();

    QCOMPARE(int(widget.windowFlags()), 0x02000801);
    QVERIFY(widget.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(widget.windowOpacity(), 1.0);
    QCOMPARE(widget.styleSheet(), QStringLiteral("#Widget { background:transparent; }"));
    QCOMPARE(widget.objectName(), QStringLiteral("Widget"));
    QCOMPARE(widget.size(), QSize(1000, 600));
    QCOMPARE(view->parentWidget(), &widget);
    QCOMPARE(view->objectName(), QStringLiteral("ui_View"));
    QCOMPARE(view->quickWindow()->color(), QColor(Qt::transparent));

    QQmlContext *context = view->rootContext();
    QCOMPARE(context->contextProperty(QStringLiteral("ui_View")).value<QObject *>(), view);
    QCOMPARE(context->contextProperty(QStringLiteral("hid")).value<QObject *>(), &widget.device());
    QCOMPARE(context->contextProperty(QStringLiteral("ui_Ctl")).value<QObject *>(),
             widget.uiController());

    // The file dialogs are parented to the view: the window's transparency must not reach them,
    // or their text would stand on nothing.
    QFileDialog dialog(view);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.resize(400, 300);
    const QImage picture = dialog.grab().toImage();
    QCOMPARE(qAlpha(picture.pixel(picture.width() - 2, picture.height() - 2)), 255);
}

void StartupTest::title_data()
{
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("named") << QVariant(QStringLiteral("R7 Configurator"))
                           << QStringLiteral("R7 Configurator");
    QTest::newRow("not ASCII") << QVariant(QStringLiteral("R7 – 键盘"))
                               << QStringLiteral("R7 – 键盘");
    QTest::newRow("no name") << QVariant() << QString();
}

void StartupTest::title()
{
    QFETCH(QVariant, name);
    QFETCH(QString, title);
    TestWorkspace workspace;
    QVariantMap settings{{QStringLiteral("common/total"), 0}};
    if (name.isValid())
        settings.insert(QStringLiteral("common/name"), name);
    workspace.writeSetting(QStringLiteral("apConfig.bin"), settings);

    Widget widget(nullptr, recordingRoot());
    QCOMPARE(widget.windowTitle(), title);
}

void StartupTest::dragMovesByTheDeltas_data()
{
    QTest::addColumn<QList<QPoint>>("deltas");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("one drag step") << QList<QPoint>{{5, -3}} << QPoint(5, -3);
    QTest::newRow("two steps of one") << QList<QPoint>{{1, 0}, {1, 0}} << QPoint(2, 0);
    QTest::newRow("back and forth") << QList<QPoint>{{-40, 12}, {40, -12}} << QPoint(0, 0);
    QTest::newRow("no movement") << QList<QPoint>{{0, 0}} << QPoint(0, 0);
}

// The QML calls onXChanged then onYChanged with relative offsets on every mouse move.
void StartupTest::dragMovesByTheDeltas()
{
    QFETCH(QList<QPoint>, deltas);
    QFETCH(QPoint, moved);
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    widget.move(200, 150);
    widget.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QPoint start = widget.pos();

    QQmlContext *context = widget.uiController()->uiView()->rootContext();
    for (const QPoint &delta : deltas) {
        QQmlExpression drag(context, nullptr,
                            QStringLiteral("ui_Ctl.onXChanged(%1); ui_Ctl.onYChanged(%2)")
                                .arg(delta.x())
                                .arg(delta.y()));
        drag.evaluate();
        QVERIFY(!drag.hasError());
    }
    QCOMPARE(widget.pos(), start + moved);
}

void StartupTest::setBusyReachesQmlAsZero_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("setBusy() from QML") << QStringLiteral("ui_Ctl.setBusy()");
    QTest::newRow("setBusy(0) from QML") << QStringLiteral("ui_Ctl.setBusy(0)");
}

// Both forms reach the root as "setProtectUI"(0) before the call returns.
void StartupTest::setBusyReachesQmlAsZero()
{
    QFETCH(QString, call);
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    myQQuickView *view = widget.uiController()->uiView();
    QmlCallRecorder recorder(view);

    QQmlExpression expression(view->rootContext(), view->rootObject(), call);
    expression.evaluate();
    QVERIFY2(!expression.hasError(), qPrintable(expression.error().toString()));
    QCOMPARE(recorder.names(), QStringList{QStringLiteral("setProtectUI")});
    QCOMPARE(recorder.calls().at(0).args, QVariantList{0});

    recorder.clear();
    QVERIFY(QMetaObject::invokeMethod(widget.uiController(), "setBusy"));
    QCOMPARE(recorder.calls().at(0).args, QVariantList{0});
}

void StartupTest::minimizeHidesAndExitCloses()
{
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    widget.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));

    widget.uiController()->onMinimize();
    QVERIFY(!widget.isVisible());
    QVERIFY(!widget.isMinimized());

    widget.showNormal();
    QVERIFY(widget.isVisible());
    widget.uiController()->onExit();
    QVERIFY(!widget.isVisible());
}

// The window's destructor only schedules the controller's deletion; QML calls that are still
// queued may reach it after the window is gone.
void StartupTest::windowSlotsAfterTheWindowIsGoneDoNothing()
{
    TestWorkspace workspace;
    auto *widget = new Widget(nullptr, recordingRoot());
    QPointer<Ui_Controler> controller = widget->uiController();
    delete widget;

    QVERIFY(controller);
    controller->onXChanged(5);
    controller->onYChanged(5);
    controller->onMinimize();
    controller->setBusy(3);
    controller->onExit();
    QTRY_VERIFY(!controller);
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
