// The lighting preview inside the running program: the colour page's choices reach the effect
// engine, a hidden page only keeps the static timer, and key presses from the keyboard hook
// reach the reactive effects. The effects themselves are checked in tst_effectengine.

#include "app/widget.h"
#include "device/virtual/virtualkeyboard.h"
#include "interfacetest.h"
#include "itemnames.h"
#include "runningprogram.h"
#include "view/myqquickview.h"

#include <QTest>

#include <array>

namespace
{
// The keyboard starts with this lighting in its first profile.
void keyboardLighting(const std::array<quint8, 7> &ledType)
{
    VirtualFirmware firmware;
    firmware.profiles[0].ledType = ledType;
    VirtualKeyboard::shared().setFirmware(firmware);
}

QObject *colorPage(const Program &program)
{
    return itemNamed(program.root(), QStringLiteral("_Page_Color"));
}

void showPage(const Program &program, int page)
{
    program.set(QStringLiteral("show(%1)").arg(page), program.keyboardScope());
    QTRY_VERIFY(
        program.page(QStringLiteral("curID === %1 && !pa_X.running && !paBack_X.running").arg(page))
            .toBool());
}

// Matrix positions of the keys lit in the preview.
QList<int> litKeys(QObject *page)
{
    QList<int> lit;
    for (const QVariant &key : qmlValue(page, "_eft_Ctrl.keyColours()").toList()) {
        const QVariantMap colour = key.toMap();
        if (colour.value("alpha").toInt() > 0)
            lit.append(colour.value("matrix").toInt());
    }
    return lit;
}
} // namespace

class EffectPreviewTest : public InterfaceTest
{
    Q_OBJECT

private Q_SLOTS:
    void pagePlaysTheStoredLighting_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("hiddenInterval");
        QTest::newRow("wave, fastest") << 0x06 << 1 << 7 << 600;
        QTest::newRow("static, slowest") << 0x00 << 7 << 2400 << 2400;
        QTest::newRow("breathing") << 0x01 << 4 << 96 << 1500;
        QTest::newRow("user picture 3") << 0x35 << 1 << 600 << 600;
    }

    void pagePlaysTheStoredLighting()
    {
        QFETCH(int, type);
        QFETCH(int, speed);
        QFETCH(int, interval);
        QFETCH(int, hiddenInterval);
        keyboardLighting({quint8(type), 63, quint8(speed), 0, 0, 0, 0});
        Program program;
        QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
        showPage(program, 2);
        QObject *page = colorPage(program);
        QCOMPARE(qmlValue(page, "_eft_Ctrl.effectIndex").toInt(), type);
        QCOMPARE(qmlValue(page, "_eft_Ctrl.interval").toInt(), interval);
        // The preview item draws the effects, the key items the pictures being painted.
        const bool picture = type >= 0x33;
        QCOMPARE(qmlValue(page, "_eft_Ctrl.visible").toBool(), !picture);
        QCOMPARE(qmlValue(page, "_model.visible").toBool(), picture);

        showPage(program, 0);
        QCOMPARE(qmlValue(page, "_eft_Ctrl.effectIndex").toInt(), -1);
        QCOMPARE(qmlValue(page, "_eft_Ctrl.interval").toInt(), hiddenInterval);
    }

    void keyPressesLightKeys()
    {
        // Light on key press, red, full brightness.
        keyboardLighting({0x03, 63, 7, 0, 0, 0, 0});
        Program program;
        QTRY_VERIFY_WITH_TIMEOUT(program.started(), 20000);
        showPage(program, 2);
        QObject *page = colorPage(program);
        QVERIFY(litKeys(page).isEmpty());
        // A release, and a code no key carries, light nothing; pressing A lights position 49.
        program.view()->detectKeyboard(false, 0x04);
        program.view()->detectKeyboard(true, 0xE8);
        program.view()->detectKeyboard(true, 0x04);
        QTRY_COMPARE(litKeys(page), QList<int>{49});
        // The key fades away tick by tick.
        QTRY_VERIFY_WITH_TIMEOUT(litKeys(page).isEmpty(), 10000);
    }
};

QTEST_MAIN(EffectPreviewTest)
#include "tst_effectpreview.moc"
