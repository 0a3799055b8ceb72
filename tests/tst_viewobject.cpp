// The view object's construction from the settings files and its small query slots.

#include "app/widget.h"
#include "qmlcallrecorder.h"
#include "runningprogram.h"
#include "storage/hardwarelimits.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QQmlContext>
#include <QQmlExpression>
#include <QSettings>
#include <QTest>

class ViewObjectTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("R7_VIRTUAL_KEYBOARD", "1"); }

    void hardwareLimits_data();
    void hardwareLimits();
    void oneSettingsObjectPerProfile_data();
    void oneSettingsObjectPerProfile();
    void globalDataStore_data();
    void globalDataStore();
    void absentGlobalDataIsUndefinedInQml();
    void skinChooserNeedsTwoSkins_data();
    void skinChooserNeedsTwoSkins();
    void customFilePath();
    void unreadablePictureIsReported();
    void rootCallsCarryQVariants();
};

void ViewObjectTest::hardwareLimits_data()
{
    QTest::addColumn<QByteArray>("hwDef"); // null: no file
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("maxMacro");
    QTest::addColumn<int>("maxProfile");

    QTest::newRow("no file") << QByteArray() << 0 << 0 << 0;
    QTest::newRow("empty file") << QByteArray("") << 0 << 0 << 0;
    QTest::newRow("shipped values")
        << QByteArray("[common]\nkbLayoutType=1\nmaxMacro=80\nmaxProfile=5\n") << 1 << 80 << 5;
    QTest::newRow("limits") << QByteArray("[common]\nmaxMacro=255\nmaxProfile=10\n") << 0 << 255
                            << 10;
    QTest::newRow("beyond the limits")
        << QByteArray("[common]\nkbLayoutType=257\nmaxMacro=1000\nmaxProfile=11\n") << 1 << 255
        << 10;
    QTest::newRow("absurd counts")
        << QByteArray("[common]\nmaxMacro=99999999999\nmaxProfile=4294967295\n") << 0 << 255 << 10;
    QTest::newRow("negative") << QByteArray("[common]\nmaxMacro=-1\nmaxProfile=-3\n") << 0 << 0
                              << 0;
    QTest::newRow("garbage") << QByteArray("[common]\nkbLayoutType=one\nmaxProfile=@@\n\x01\xff")
                             << 0 << 0 << 0;
    QTest::newRow("a list") << QByteArray("[common]\nmaxProfile=3, 4\n") << 0 << 0 << 0;
}

void ViewObjectTest::hardwareLimits()
{
    QFETCH(QByteArray, hwDef);
    QFETCH(int, layout);
    QFETCH(int, maxMacro);
    QFETCH(int, maxProfile);
    TestWorkspace workspace;
    if (!hwDef.isNull())
        workspace.writeFile(QStringLiteral("modules/setting/HWDef.bin"), hwDef);

    myQQuickView view;
    QCOMPARE(int(view.backend().bridge().layoutType()), layout);
    QCOMPARE(int(view.backend().hardware().macroSlots()), maxMacro);
    QCOMPARE(int(view.getMaxProfile()), maxProfile);
}

void ViewObjectTest::oneSettingsObjectPerProfile_data()
{
    QTest::addColumn<int>("maxProfile");
    QTest::newRow("none") << 0;
    QTest::newRow("three") << 3;
    QTest::newRow("ten") << 10;
}

void ViewObjectTest::oneSettingsObjectPerProfile()
{
    QFETCH(int, maxProfile);
    TestWorkspace workspace;
    workspace.writeSetting(QStringLiteral("HWDef.bin"),
                           {{QStringLiteral("common/maxProfile"), maxProfile}});

    myQQuickView view;
    for (int i = 0; i < maxProfile; ++i) {
        QSettings *profile = view.backend().profiles().profileAt(i);
        QVERIFY(profile);
        QCOMPARE(profile->fileName(), QDir::current().absoluteFilePath(
                                          QStringLiteral("modules/setting/p%1.bin").arg(i + 1)));
        QCOMPARE(profile->format(), QSettings::IniFormat);
    }
    QVERIFY(!view.backend().profiles().profileAt(-1));
    QVERIFY(!view.backend().profiles().profileAt(maxProfile));
    QVERIFY(!view.backend().profiles().profileAt(255));
}

void ViewObjectTest::globalDataStore_data()
{
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("readBack");

    QTest::newRow("macro key") << QVariant("macro/12") << QVariant(3) << QVariant(3);
    QTest::newRow("number as key") << QVariant(42) << QVariant("x") << QVariant("x");
    QTest::newRow("string value") << QVariant("ui/name") << QVariant("Fn") << QVariant("Fn");
    QTest::newRow("list value") << QVariant("ui/list") << QVariant(QVariantList{1, 2})
                                << QVariant(QVariantList{1, 2});
}

// Values live in apConfig.bin beside the settings list and survive the view.
void ViewObjectTest::globalDataStore()
{
    QFETCH(QVariant, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, readBack);
    TestWorkspace workspace;
    {
        myQQuickView view;
        view.setGlobalInt(key, value);
        QCOMPARE(view.getGlobalData(key), readBack);
    }
    myQQuickView view;
    QCOMPARE(view.getGlobalData(key).toString(), readBack.toString());
    const QSettings file(workspace.path(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat);
    QVERIFY(file.contains(key.toString()));
}

void ViewObjectTest::absentGlobalDataIsUndefinedInQml()
{
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    myQQuickView *view = widget.uiController()->uiView();
    QVERIFY(!view->getGlobalData(QStringLiteral("macro/7")).isValid());

    QQmlExpression expression(view->rootContext(), nullptr,
                              QStringLiteral("ui_View.getGlobalData(\"macro/7\") === undefined"));
    QCOMPARE(expression.evaluate(), QVariant(true));
}

void ViewObjectTest::skinChooserNeedsTwoSkins_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no image folder") << QStringList() << false;
    QTest::newRow("one skin") << QStringList{"skin1"} << false;
    QTest::newRow("one skin and a file") << QStringList{"skin1", "readme.txt"} << false;
    QTest::newRow("two skins") << QStringList{"skin1", "skin2"} << true;
}

void ViewObjectTest::skinChooserNeedsTwoSkins()
{
    QFETCH(QStringList, folders);
    QFETCH(bool, shown);
    TestWorkspace workspace;
    for (const QString &name : folders) {
        if (name.endsWith(QLatin1String(".txt")))
            workspace.writeFile(QStringLiteral("modules/img/") + name, "text");
        else
            QDir().mkpath(workspace.path(QStringLiteral("modules/img/") + name));
    }
    myQQuickView view;
    QCOMPARE(view.getIsSkinShow(), shown);
}

// Cancelling the picture dialog gives no path; a chosen picture is checked by acceptPicture.
void ViewObjectTest::customFilePath()
{
    TestWorkspace workspace;
    workspace.writeFile(QStringLiteral("pictures/back.png"), "not really a picture");
    const QString picture = workspace.path(QStringLiteral("pictures/back.png"));
    myQQuickView view;

    QString caption;
    QStringList filters;
    onNextModal([&](QWidget *modal) {
        if (auto *fileDialog = qobject_cast<QFileDialog *>(modal)) {
            caption = fileDialog->windowTitle();
            filters = fileDialog->nameFilters();
        }
        static_cast<QDialog *>(modal)->reject();
    });
    QCOMPARE(view.getCustomFilePath(), QString());
    QCOMPARE(caption, QStringLiteral("Open File"));
    QCOMPARE(filters, QStringList{QStringLiteral("Image Files(*.png)")});

    QCOMPARE(view.acceptPicture(picture), picture);
}

// A picture that cannot be opened gives a warning with the path appended, and no path.
void ViewObjectTest::unreadablePictureIsReported()
{
    TestWorkspace workspace;
    const QString folder = workspace.path(QStringLiteral("pictures"));
    QDir().mkpath(folder);
    myQQuickView view;

    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    onNextModal([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
        }
        static_cast<QDialog *>(modal)->reject();
    });
    QCOMPARE(view.acceptPicture(folder), QString());
    QCOMPARE(text, folder);
    QCOMPARE(title, QString());
    QCOMPARE(icon, QMessageBox::Warning);
}

// Every backend call reaches the root with the argument types the QML expects.
void ViewObjectTest::rootCallsCarryQVariants()
{
    TestWorkspace workspace;
    Widget widget(nullptr, recordingRoot());
    myQQuickView *view = widget.uiController()->uiView();
    QmlCallRecorder recorder(view);

    view->detectKeyboard(true, 0xE4);
    view->detectMouse(false, 0xF1, uint(-5), 700);
    view->closeUI();
    view->zzzMorvel();
    view->currentVersion(false);
    QCOMPARE(recorder.calls().size(), 0);
    QTRY_COMPARE(recorder.calls().size(), 5);

    const QList<QmlCallRecorder::Call> calls = recorder.calls();
    QCOMPARE(recorder.names(), (QStringList{"detectKeyboard", "detectMouse", "close", "zzzMorvel",
                                            "currentVersion"}));
    QCOMPARE(calls.at(0).args, (QVariantList{true, 0xE4}));
    QCOMPARE(calls.at(1).args, (QVariantList{false, 0xF1, 4294967291.0, 700}));
    QCOMPARE(calls.at(4).args, QVariantList{false});
}

QTEST_MAIN(ViewObjectTest)
#include "tst_viewobject.moc"
