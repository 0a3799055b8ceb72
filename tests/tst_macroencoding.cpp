// The macro encoding on its own: step strings to units, the cut to a slot and the slot image.

#include "backend/macroencoding.h"

#include <QTest>

namespace
{
QByteArray bytes(const QList<uchar> &list)
{
    return QByteArray(reinterpret_cast<const char *>(list.constData()), list.size());
}

QList<uchar> units(const QByteArray &hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    return QList<uchar>(raw.cbegin(), raw.cend());
}

const QMap<QString, uchar> keys{{"A", 0x04}, {"Enter", 0x28}, {"Zero", 0x00}};
} // namespace

class MacroEncodingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encode_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QByteArray>("encoded");

        QTest::newRow("nothing") << QStringList() << 1 << QByteArray::fromHex("0001 0000");
        QTest::newRow("press, 1000 ms, release")
            << QStringList{"A    [Down]", "1000   [Delay]", "A      [Up]"} << 1
            << QByteArray::fromHex("0001 0104 7F00 0064 8104 0000");
        QTest::newRow("delay rounded toward zero")
            << QStringList{"19   [Delay]", "5   [Delay]"} << 1
            << QByteArray::fromHex("0001 7F00 0001 7F00 0000 0000");
        QTest::newRow("655360 ms")
            << QStringList{"655360   [Delay]"} << 1 << QByteArray::fromHex("0001 7F00 0000 0000");
        QTest::newRow("repeat 65536") << QStringList() << 65536 << QByteArray::fromHex("0000 0000");
        QTest::newRow("repeat 513") << QStringList() << 513 << QByteArray::fromHex("0201 0000");
        QTest::newRow("names not in the table or coded 0")
            << QStringList{"B    [Down]", "Zero      [Up]", "Enter      [Up]"} << 1
            << QByteArray::fromHex("0001 8128 0000");
        QTest::newRow("negative, unparsable and zero delays")
            << QStringList{"-10   [Delay]", "1e3   [Delay]", "0   [Delay]"} << 1
            << QByteArray::fromHex("0001 0000");
        QTest::newRow("a name holding spaces and brackets")
            << QStringList{"A [Up]    [Down]"} << 1 << QByteArray::fromHex("0001 0000");
    }

    void encode()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, repeat);
        QFETCH(QByteArray, encoded);
        QCOMPARE(bytes(encodeMacro(steps, repeat, keys)), encoded);
    }

    void emptyTableDropsEveryKey()
    {
        QCOMPARE(bytes(encodeMacro({"A    [Down]", "A      [Up]"}, 1, {})),
                 QByteArray::fromHex("0001 0000"));
    }

    void fitToSlot_data()
    {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<QByteArray>("fitted");

        const QByteArray press = QByteArray::fromHex("0104");
        const QByteArray wait = QByteArray::fromHex("7F00 0064");
        const QByteArray repeat = QByteArray::fromHex("0001");
        const QByteArray end = QByteArray::fromHex("0000");

        QTest::newRow("fits") << repeat + press + end << repeat + press + end;
        QTest::newRow("128 bytes")
            << repeat + press.repeated(62) + end << repeat + press.repeated(62) + end;
        QTest::newRow("130 bytes")
            << repeat + press.repeated(63) + end << repeat + press.repeated(62) + end;
        QTest::newRow("whole delay dropped")
            << repeat + press.repeated(61) + wait + end << repeat + press.repeated(61) + end;
        QTest::newRow("delays only")
            << repeat + wait.repeated(40) + end << repeat + wait.repeated(31) + end;
        // A delay's value unit may look like a press; it must not be taken for a step.
        QTest::newRow("delay value like a head")
            << repeat + (QByteArray::fromHex("7F00 7F00")).repeated(40) + end
            << repeat + QByteArray::fromHex("7F00 7F00").repeated(31) + end;
    }

    void fitToSlot()
    {
        QFETCH(QByteArray, encoded);
        QFETCH(QByteArray, fitted);
        const QList<uchar> result = fitMacroToSlot(units(encoded.toHex()));
        QCOMPARE(bytes(result), fitted);
        QVERIFY(result.size() <= macroSlotSize);
    }

    void slotImageSwapsEveryUnit()
    {
        const std::array<uchar, macroSlotSize> image =
            macroSlotImage(units("0001 0104 7F00 0064 8104 0000"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(image.data()), macroSlotSize),
                 QByteArray::fromHex("0100 0401 007F 6400 0481 0000").leftJustified(128, '\0'));
    }
};

QTEST_APPLESS_MAIN(MacroEncodingTest)
#include "tst_macroencoding.moc"
