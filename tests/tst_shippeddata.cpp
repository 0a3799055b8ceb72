#include "capture/keycodetables.h"

#include "device/factorykeymatrix.h"
#include "device/virtual/virtualfirmware.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QHash>
#include <QLineF>
#include <QRawFont>
#include <QRect>
#include <QSet>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
const QString modulesDir = QStringLiteral(R7_MODULES_DIR);

QString settingFile(const QString &name)
{
    return modulesDir + QStringLiteral("/setting/") + name;
}

constexpr int layout = 1;
constexpr int matrixSize = 128;
constexpr int textCount = 115;
constexpr int fnPosition = 89;
constexpr int unitCap = 28;
constexpr int keyPitch = 30;

// The pages draw the keyboard picture into this much room.
const QRect keyboardArea(0, 0, 700, 230);

// Cap size of every key type; the skins draw "model_kb/k<type>-0.png" and "-1.png" at this size.
const QHash<int, QSize> capSizes{{1, {28, 28}}, {2, {36, 28}},  {3, {43, 28}},
                                 {4, {51, 28}}, {5, {58, 28}},  {6, {66, 28}},
                                 {7, {81, 28}}, {8, {186, 28}}, {9, {28, 58}}};

// Wide keys with two switches: the firmware keeps the second position equal to the first.
const QList<std::pair<int, int>> secondSwitches{{60, 61}, {75, 76}};

// Every usage the key hook's second table holds, in either keyboard layout.
QSet<uint> hookUsages()
{
    QSet<uint> result;
    for (bool ukLayout : {false, true})
        for (const auto &[vk, usage] : buildVkToUsage(ukLayout))
            result << usage;
    return result;
}

// The usages a key press can produce: what the first table's virtual keys map to. Only these
// can be recorded or light a key on the colour page.
QSet<uint> reportableUsages()
{
    QSet<uint> result;
    for (bool ukLayout : {false, true}) {
        const auto usageOf = buildVkToUsage(ukLayout);
        for (const auto &[key, vk] : buildScanToVk()) {
            const auto found = usageOf.find(vk);
            if (found != usageOf.end())
                result << found->second;
        }
    }
    return result;
}

// Qt 4 QLocale numbers of the shipped languages, with the names the language list shows.
const QHash<int, QString> languageNames{
    {25, QStringLiteral("CHINESE")},  {31, QStringLiteral("ENGLISH")},
    {37, QStringLiteral("FRENCH")},   {42, QStringLiteral("GERMAN")},
    {59, QStringLiteral("JAPANESE")}, {66, QStringLiteral("KOREAN")},
    {96, QStringLiteral("RUSSIAN")},  {111, QStringLiteral("SPANISH")}};
const QHash<int, QString> countrySuffixes{
    {0, QString()}, {44, QStringLiteral(" (Simp)")}, {208, QStringLiteral(" (Trad)")}};

struct Key {
    int x = 0;
    int y = 0;
    int type = 0;
    QString name;
    int matrix = -1;
    uint code = 0;

    QRect rect() const { return {QPoint(x, y), capSizes.value(type)}; }
    QPointF centre() const { return QRectF(rect()).center(); }
};

QList<Key> readKeys()
{
    QSettings hw(settingFile(QStringLiteral("HWDef.bin")), QSettings::IniFormat);
    const QString group = QString::number(layout) + QLatin1Char('/');
    const int total = hw.value(group + QStringLiteral("total_HW")).toInt();
    QList<Key> keys;
    for (int i = 1; i <= total; ++i) {
        const QStringList e = hw.value(group + QString::number(i)).toStringList();
        Key key;
        key.x = e.value(0).toInt();
        key.y = e.value(1).toInt();
        key.type = e.value(2).toInt();
        key.name = e.value(3);
        key.matrix = e.value(4, QStringLiteral("-1")).toInt();
        key.code = e.value(5).toUInt();
        keys.append(key);
    }
    return keys;
}

QHash<int, Key> byMatrix(const QList<Key> &keys)
{
    QHash<int, Key> result;
    for (const Key &key : keys)
        result.insert(key.matrix, key);
    return result;
}

// A list of decimal numbers as the program stores it; an element that is no number reads -1.
QList<int> numbers(const QVariant &value)
{
    QList<int> result;
    for (const QString &text : value.toStringList()) {
        bool ok = false;
        const int n = text.toInt(&ok);
        result.append(ok ? n : -1);
    }
    return result;
}

bool within(const QList<int> &values, int low, int high)
{
    return std::all_of(values.cbegin(), values.cend(),
                       [=](int v) { return v >= low && v <= high; });
}

QStringList languageFiles()
{
    return QDir(modulesDir + QStringLiteral("/i18n"))
        .entryList({QStringLiteral("lang_*.ini")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}
} // namespace

// Checks that the shipped data of the R7 keyboard fit together: the key layout, the key names,
// the factory profile and settings, the languages, and what the keyboard and the key hook do.
class ShippedDataTest : public QObject
{
    Q_OBJECT

    QList<Key> keys;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDir(modulesDir).exists(), qPrintable(modulesDir));
        keys = readKeys();
        QVERIFY(!keys.isEmpty());
    }

    void hardwareDefinition()
    {
        QSettings hw(settingFile(QStringLiteral("HWDef.bin")), QSettings::IniFormat);
        QCOMPARE(hw.value(QStringLiteral("common/kbLayoutType")).toUInt(), uint(layout));
        const uint maxMacro = hw.value(QStringLiteral("common/maxMacro")).toUInt();
        QVERIFY(maxMacro >= 1 && maxMacro < 255);
        // One profile file per profile of the keyboard.
        const int maxProfile = hw.value(QStringLiteral("common/maxProfile")).toInt();
        QCOMPARE(maxProfile, VirtualFirmware::profileCount);
        QVERIFY(maxProfile >= 3 && maxProfile <= 10);
        for (int n = 1; n <= maxProfile; ++n)
            QVERIFY2(QFile::exists(settingFile(QStringLiteral("p%1.bin").arg(n))),
                     qPrintable(QString::number(n)));

        QCOMPARE(hw.value(QStringLiteral("1/total_FW")).toInt(), matrixSize);
        // A key line beyond the count would never be drawn.
        QVERIFY(!hw.contains(QStringLiteral("1/%1").arg(keys.size() + 1)));
    }

    // Before the first keyboard check the program uses layout 0; it must draw the same keyboard.
    void layoutZeroEqualsLayoutOne()
    {
        QSettings hw(settingFile(QStringLiteral("HWDef.bin")), QSettings::IniFormat);
        hw.beginGroup(QStringLiteral("0"));
        const QStringList zeroKeys = hw.childKeys();
        QVariantHash zero;
        for (const QString &key : zeroKeys)
            zero.insert(key, hw.value(key));
        hw.endGroup();
        hw.beginGroup(QStringLiteral("1"));
        const QStringList oneKeys = hw.childKeys();
        QCOMPARE(QSet<QString>(oneKeys.cbegin(), oneKeys.cend()),
                 QSet<QString>(zeroKeys.cbegin(), zeroKeys.cend()));
        for (const QString &key : zeroKeys)
            QVERIFY2(hw.value(key) == zero.value(key), qPrintable(key));
    }

    void keyLines_data()
    {
        QTest::addColumn<QStringList>("elements");
        QSettings hw(settingFile(QStringLiteral("HWDef.bin")), QSettings::IniFormat);
        for (int i = 1; i <= hw.value(QStringLiteral("1/total_HW")).toInt(); ++i) {
            const QStringList e = hw.value(QStringLiteral("1/%1").arg(i)).toStringList();
            QTest::addRow("key %d %s", i, qPrintable(e.value(3))) << e;
        }
    }

    void keyLines()
    {
        QFETCH(QStringList, elements);
        QCOMPARE(elements.size(), 6);
        for (int i : {0, 1, 2, 4})
            QVERIFY2(numbers(QStringList{elements.at(i)}).first() >= 0, qPrintable(elements.at(i)));
        bool ok = false;
        QVERIFY(elements.at(5).toUInt(&ok) <= 0xFFFF && ok);
        QVERIFY2(capSizes.contains(elements.at(2).toInt()), "no skin image for this key type");
        QVERIFY(!elements.at(3).isEmpty());
        const int matrix = elements.at(4).toInt();
        QVERIFY(matrix >= 0 && matrix < matrixSize);
    }

    void keysFitTheAreaWithoutOverlap()
    {
        for (const Key &key : keys)
            QVERIFY2(keyboardArea.contains(key.rect()), qPrintable(key.name));
        for (int i = 0; i < keys.size(); ++i) {
            for (int j = i + 1; j < keys.size(); ++j) {
                QVERIFY2(!keys.at(i).rect().intersects(keys.at(j).rect()),
                         qPrintable(keys.at(i).name + QStringLiteral(" / ") + keys.at(j).name));
            }
        }
    }

    void matrixPositionsAreUnique()
    {
        QSet<int> seen;
        for (const Key &key : keys) {
            QVERIFY2(!seen.contains(key.matrix), qPrintable(key.name));
            seen.insert(key.matrix);
        }
    }

    void specialPositions()
    {
        const QHash<int, Key> at = byMatrix(keys);
        // The key page disables position 89: it is Fn, which the firmware handles itself and
        // which therefore carries no standard key code.
        QVERIFY(at.contains(fnPosition));
        QCOMPARE(at.value(fnPosition).name, QStringLiteral("Fn"));
        QVERIFY(at.value(fnPosition).code > 0xFF);
        for (const auto &[first, second] : secondSwitches) {
            QVERIFY2(at.contains(first), qPrintable(QString::number(first)));
            QVERIFY2(at.value(first).rect().width() >= 2 * unitCap, "not a wide key");
            QVERIFY2(!at.contains(second), qPrintable(QString::number(second)));
        }
    }

    // Every key but Fn sends a standard key by default; the key field shows the key's own name
    // for it, the hook reports it when the key is pressed, and no two keys share it (the colour
    // page finds the pressed key by its code).
    void defaultCodes()
    {
        QSettings names(settingFile(QStringLiteral("KeyCodeDef.bin")), QSettings::IniFormat);
        const QStringList str = names.value(QStringLiteral("common/usbStr")).toStringList();
        const QList<int> code = numbers(names.value(QStringLiteral("common/usbCode")));
        QHash<uint, QString> nameOf;
        for (int i = 0; i < std::min(str.size(), code.size()); ++i)
            nameOf.insert(uint(code.at(i)), str.at(i));

        const QSet<uint> reportable = reportableUsages();
        QSet<uint> seen;
        for (const Key &key : keys) {
            QVERIFY2(!seen.contains(key.code), qPrintable(key.name));
            seen.insert(key.code);
            if (key.matrix == fnPosition)
                continue;
            QVERIFY2(key.code > 0 && key.code <= 0xFF, qPrintable(key.name));
            QCOMPARE(nameOf.value(key.code), key.name);
            QVERIFY2(reportable.contains(key.code), qPrintable(key.name));
        }
    }

    void keyNames()
    {
        QSettings names(settingFile(QStringLiteral("KeyCodeDef.bin")), QSettings::IniFormat);
        const QStringList str = names.value(QStringLiteral("common/usbStr")).toStringList();
        const QList<int> code = numbers(names.value(QStringLiteral("common/usbCode")));
        QCOMPARE(str.size(), code.size());
        QVERIFY(within(code, 1, 255));
        QCOMPARE(QSet<QString>(str.cbegin(), str.cend()).size(), str.size());
        QCOMPARE(QSet<int>(code.cbegin(), code.cend()).size(), code.size());
        for (const QString &name : str)
            QVERIFY2(!name.isEmpty() && name.size() <= 6 && name.trimmed() == name,
                     qPrintable(name));
        // Whatever the user records gets a name, or the macro step would be lost.
        for (uint usage : hookUsages())
            QVERIFY2(code.contains(int(usage)), qPrintable(QString::number(usage, 16)));
    }

    // The key labels are drawn centred in bold 11 px Arial; side by side they must not run into
    // each other or off the picture.
    void labelsDoNotCollide()
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        font.setBold(true);
        const QString family = QFontInfo(font).family();
        if (family != QStringLiteral("Arial") && family != QStringLiteral("Liberation Sans"))
            QSKIP("no font with Arial's metrics installed");
        const QFontMetricsF metrics(font);
        auto extent = [&](const Key &key) {
            const qreal half = metrics.horizontalAdvance(key.name) / 2;
            return std::make_pair(key.centre().x() - half, key.centre().x() + half);
        };
        for (const Key &key : keys) {
            const auto [left, right] = extent(key);
            QVERIFY2(left >= keyboardArea.left() && right <= keyboardArea.right(),
                     qPrintable(key.name));
        }
        for (int i = 0; i < keys.size(); ++i) {
            for (int j = i + 1; j < keys.size(); ++j) {
                const Key &a = keys.at(i);
                const Key &b = keys.at(j);
                if (a.rect().bottom() < b.rect().top() || b.rect().bottom() < a.rect().top())
                    continue;
                const auto [aLeft, aRight] = extent(a);
                const auto [bLeft, bRight] = extent(b);
                QVERIFY2(aRight <= bLeft || bRight <= aLeft,
                         qPrintable(a.name + QStringLiteral(" / ") + b.name));
            }
        }
    }

    void vortexScripts_data()
    {
        QTest::addColumn<QList<int>>("script");
        QTest::newRow("first") << QList<int>{0, 1,  2,  3,  4,  5,  6,  7, 8,
                                             9, 27, 43, 59, 74, 73, 57, 41};
        QTest::newRow("second") << QList<int>{115, 109, 100, 79, 95, 94, 91, 90, 89,
                                              88,  72,  56,  40, 25, 26, 42, 58};
    }

    // The vortex preview lights the two scripts step by step and then grows a ring from the
    // centre of positions 41, 42, 57 and 58: each script must spiral in to that block, which
    // must lie near the middle of the keyboard.
    void vortexScripts()
    {
        QFETCH(QList<int>, script);
        const QHash<int, Key> at = byMatrix(keys);
        for (int position : script)
            QVERIFY2(at.contains(position), qPrintable(QString::number(position)));

        QPointF centre;
        for (int position : {41, 42, 57, 58})
            centre += at.value(position).centre() / 4;
        QRectF bounds;
        for (const Key &key : keys)
            bounds |= key.rect();
        QVERIFY(QLineF(centre, bounds.center()).length() < bounds.width() / 10);

        QPointF previous = at.value(script.first()).centre() - centre;
        QVERIFY2(QLineF(QPointF(), previous).length() > bounds.width() / 3, "starts too far in");
        double turned = 0;
        for (int i = 1; i < script.size(); ++i) {
            const QPointF now = at.value(script.at(i)).centre() - centre;
            const double cross = previous.x() * now.y() - previous.y() * now.x();
            const double dot = previous.x() * now.x() + previous.y() * now.y();
            const double step = std::atan2(cross, dot);
            QVERIFY2(step * turned >= 0 && step != 0,
                     qPrintable(QStringLiteral("turns back at step %1").arg(i)));
            turned += step;
            QVERIFY2(QLineF(QPointF(), now).length() <=
                         QLineF(QPointF(), previous).length() + keyPitch / 2,
                     qPrintable(QStringLiteral("moves out at step %1").arg(i)));
            previous = now;
        }
        QVERIFY2(std::abs(turned) >= 2 * M_PI, "less than one turn");
        QVERIFY2(QLineF(QPointF(), previous).length() <= keyPitch, "does not end on the block");
    }

    // The keyboard leaves the factory with the key codes of the key table and the lighting of
    // the factory profile (colours travel divided by 4).
    void factoryStateMatchesTheKeyboard()
    {
        std::array<quint16, matrixSize> expected{};
        for (const Key &key : keys)
            expected[size_t(key.matrix)] = quint16(key.code);
        for (const auto &[first, second] : secondSwitches)
            expected[size_t(second)] = expected[size_t(first)];
        for (int m = 0; m < matrixSize; ++m)
            QVERIFY2(factoryKeyMatrix[size_t(m)] == expected[size_t(m)],
                     qPrintable(QString::number(m)));

        const VirtualFirmware firmware;
        QSettings factory(settingFile(QStringLiteral("pD.bin")), QSettings::IniFormat);
        for (const auto &profile : firmware.profiles) {
            const QList<int> led = numbers(factory.value(QStringLiteral("color/ledType")));
            QCOMPARE(led, QList<int>(profile.ledType.cbegin(), profile.ledType.cend()));
            const QList<int> colours = numbers(factory.value(QStringLiteral("color/color")));
            QCOMPARE(colours.size(), 21);
            for (int i = 0; i < 21; ++i)
                QCOMPARE(colours.at(i) / 4, int(quint8(profile.sevenColor.at(i))));
        }
    }

    void profiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("pD.bin") << settingFile(QStringLiteral("pD.bin"));
        for (int n = 1; n <= VirtualFirmware::profileCount; ++n) {
            const QString name = QStringLiteral("p%1.bin").arg(n);
            QTest::newRow(qPrintable(name)) << settingFile(name);
        }
    }

    void profiles()
    {
        QFETCH(QString, file);
        QSettings profile(file, QSettings::IniFormat);

        const QList<int> led = numbers(profile.value(QStringLiteral("color/ledType")));
        QCOMPARE(led.size(), 7);
        const int type = led.at(0);
        QVERIFY((type >= 0x00 && type <= 0x0B) || (type >= 0x33 && type <= 0x37));
        QVERIFY(within({led.at(1)}, 0, 63));
        QVERIFY(within({led.at(2)}, 1, 7));
        QVERIFY(within({led.at(3)}, 0, 1));
        QVERIFY(within({led.at(4)}, 0, 7));
        QVERIFY(within({led.at(5) & 0x1F}, 0, 3)); // backlight effect; brightness fills bits 5-7
        QVERIFY(within({led.at(6) & 0x07}, 1, 7)); // backlight speed
        const QList<int> colours = numbers(profile.value(QStringLiteral("color/color")));
        QCOMPARE(colours.size(), 21);
        QVERIFY(within(colours, 0, 255));

        // A picture colours matrix positions, so positions without a key stay dark.
        const QHash<int, Key> at = byMatrix(keys);
        const QSet<int> modes{0x00, 0x10, 0x17, 0x20, 0x27, 0x30};
        for (int i = 0; i < 5; ++i) {
            const QList<int> picture =
                numbers(profile.value(QStringLiteral("userPicture/%1").arg(i)));
            QCOMPARE(picture.size(), 4 * matrixSize);
            QVERIFY(within(picture, 0, 255));
            for (int m = 0; m < matrixSize; ++m) {
                const QList<int> entry = picture.mid(4 * m, 4);
                QVERIFY2(modes.contains(entry.at(0)), qPrintable(QString::number(m)));
                if (!at.contains(m))
                    QVERIFY2(entry == QList<int>(4, 0), qPrintable(QString::number(m)));
            }
        }

        // Every profile starts with the default key codes, as the key page writes them after
        // resetting all keys: low byte first, 0 where no key is drawn.
        for (int m = 0; m < matrixSize; ++m) {
            const QList<int> pair =
                numbers(profile.value(QStringLiteral("keydefine%1/%2").arg(layout).arg(m)));
            QCOMPARE(pair.size(), 2);
            QVERIFY(within(pair, 0, 255));
            QCOMPARE(uint(pair.at(0) | pair.at(1) << 8), at.value(m).code);
        }
    }

    void settings()
    {
        QFile current(settingFile(QStringLiteral("apConfig.bin")));
        QFile factory(settingFile(QStringLiteral("apConfigD.bin")));
        QVERIFY(current.open(QIODevice::ReadOnly) && factory.open(QIODevice::ReadOnly));
        QCOMPARE(current.readAll(), factory.readAll());

        QSettings s(factory.fileName(), QSettings::IniFormat);
        QVERIFY(!s.value(QStringLiteral("common/name")).toString().isEmpty());
        // One product name per entry of the device table.
        QSettings devices(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
        const QStringList products = s.value(QStringLiteral("common/product_name")).toStringList();
        QCOMPARE(products.size(), devices.value(QStringLiteral("common/total")).toInt());
        QVERIFY(!products.contains(QString()));

        QCOMPARE(s.value(QStringLiteral("common/total")).toInt(), 32);
        QStringList v;
        for (int i = 0; i < 32; ++i) {
            QVERIFY2(s.contains(QStringLiteral("common/%1").arg(i)),
                     qPrintable(QString::number(i)));
            v.append(s.value(QStringLiteral("common/%1").arg(i)).toString());
        }
        auto number = [&](int i) { return numbers(QVariant(QStringList{v.at(i)})); };
        QCOMPARE(v.at(0), QStringLiteral("1"));
        QVERIFY(within(number(1), 1, 5));
        QVERIFY(within(number(2), 0, 1));
        QVERIFY(within(number(3), 0, 1));
        QVERIFY(within(number(4), 0, int(languageFiles().size()) - 1));
        QVERIFY(v.at(5) == QStringLiteral("true") || v.at(5) == QStringLiteral("false"));
        QVERIFY(within(number(7), 0, 1));
        for (int i = 8; i <= 28; ++i)
            QVERIFY2(within(number(i), 0, 255), qPrintable(QString::number(i)));
        QVERIFY(within(number(29), 0, 6));
        QVERIFY(within(number(30), 0, 7));
        const QUrl url(v.at(31), QUrl::StrictMode);
        QVERIFY(url.isValid() && url.scheme().startsWith(QStringLiteral("http")));
    }

    // The language list is ordered by the names the program derives from the file names; the
    // shipped settings select English in it.
    void languageList()
    {
        QStringList names;
        for (const QString &file : languageFiles()) {
            const QString code = file.mid(5, 6);
            QVERIFY2(file == QStringLiteral("lang_%1.ini").arg(code), qPrintable(file));
            const int language = code.left(3).toInt();
            const int country = code.mid(3).toInt();
            QVERIFY2(languageNames.contains(language) && countrySuffixes.contains(country),
                     qPrintable(file + QStringLiteral(": name it in this test's tables")));
            names.append(languageNames.value(language) + countrySuffixes.value(country));
        }
        QVERIFY(names.size() >= 5);
        std::sort(names.begin(), names.end());
        QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), names.size());
        QVERIFY(names.contains(QStringLiteral("CHINESE (Simp)")));
        QVERIFY(names.contains(QStringLiteral("CHINESE (Trad)")));

        QSettings s(settingFile(QStringLiteral("apConfigD.bin")), QSettings::IniFormat);
        QCOMPARE(names.value(s.value(QStringLiteral("common/4")).toInt()),
                 QStringLiteral("ENGLISH"));

        // English is the built-in table; a slip by one line would shift every page's texts.
        QSettings english(modulesDir + QStringLiteral("/i18n/lang_031000.ini"),
                          QSettings::IniFormat);
        QCOMPARE(english.value(QStringLiteral("strings/1")).toString(), QStringLiteral("OPTIONS"));
        QCOMPARE(english.value(QStringLiteral("strings/56")).toString(),
                 QStringLiteral("NEXT TRACK"));
        QCOMPARE(english.value(QStringLiteral("strings/79")).toString(),
                 QStringLiteral("GAMING MODE"));
        QCOMPARE(english.value(QStringLiteral("strings/114")).toString(),
                 QStringLiteral("ALL SAVE"));
    }

    void languages_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString &file : languageFiles())
            QTest::newRow(qPrintable(file)) << modulesDir + QStringLiteral("/i18n/") + file;
    }

    void languages()
    {
        QFETCH(QString, path);
        QSettings lang(path, QSettings::IniFormat);
        const QString family = lang.value(QStringLiteral("font/family")).toString();
        QVERIFY(!family.isEmpty());
        QCOMPARE(lang.value(QStringLiteral("font/total")).toInt(), textCount);
        QStringList texts;
        for (int k = 1; k <= textCount; ++k)
            texts.append(lang.value(QStringLiteral("strings/%1").arg(k)).toString());
        for (int k : {0, 1, 2, 3, 30})
            texts.append(lang.value(QStringLiteral("msg/%1").arg(k)).toString());
        // Keyboard access: 11 and 12 name the device (%1) and its path (%2).
        for (int k = 10; k <= 15; ++k)
            texts.append(lang.value(QStringLiteral("msg/%1").arg(k)).toString());
        for (int k : {11, 12}) {
            const QString text = lang.value(QStringLiteral("msg/%1").arg(k)).toString();
            QVERIFY2(text.contains(QLatin1String("%1")) && text.contains(QLatin1String("%2")),
                     qPrintable(text));
        }
        // Refused imports and damaged files set aside at start; the names of those files are
        // appended to message 29.
        for (int k = 20; k < 30; ++k)
            texts.append(lang.value(QStringLiteral("msg/%1").arg(k)).toString());
        QVERIFY(lang.value(QStringLiteral("msg/29")).toString().back().isSpace());
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY2(!texts.at(i).trimmed().isEmpty(), qPrintable(QString::number(i + 1)));
        // The picture's path is appended to message 3.
        QVERIFY(lang.value(QStringLiteral("msg/3")).toString().back().isSpace());

        QFont font(family);
        const QString resolved = QFontInfo(font).family();
        if (resolved != family &&
            !(family == QStringLiteral("Arial") && resolved == QStringLiteral("Liberation Sans")))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed")));
        const QRawFont raw = QRawFont::fromFont(font);
        for (const QString &text : texts) {
            for (char32_t c : text.toUcs4()) {
                if (!QChar::isSpace(c))
                    QVERIFY2(raw.supportsCharacter(c), qPrintable(text));
            }
        }
    }
};

QTEST_MAIN(ShippedDataTest)
#include "tst_shippeddata.moc"
