// The application settings list, its factory reset and the hardware key table.

#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QFile>
#include <QSettings>
#include <QTest>

namespace
{
QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList asStrings(const QVariantList &list)
{
    QStringList strings;
    for (const QVariant &value : list)
        strings.append(value.toString());
    return strings;
}
} // namespace

class ApConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsListRoundTrip_data();
    void settingsListRoundTrip();
    void shorterListReplacesLonger();
    void damagedCount_data();
    void damagedCount();
    void resetTakesTheFactoryFile();
    void resetWithoutFactoryFileKeepsTheSettings();
    void hwDefElementTypes();
    void hwDefFollowsTheLayout_data();
    void hwDefFollowsTheLayout();
    void hwDefOddLines_data();
    void hwDefOddLines();
};

void ApConfigTest::settingsListRoundTrip_data()
{
    QTest::addColumn<QVariantList>("list");
    QTest::newRow("empty") << QVariantList();
    QTest::newRow("one") << QVariantList{1};
    QVariantList full{1, 2, 0, 1, 3, true, "file:///home/me/back.png", 0};
    for (int i = 0; i < 21; ++i)
        full.append(i * 12);
    full << 4 << 7 << "https://example.org/r7";
    QTest::newRow("32 entries") << full;
}

// Values come back as the INI file holds them, in the same session and the next.
void ApConfigTest::settingsListRoundTrip()
{
    QFETCH(QVariantList, list);
    TestWorkspace workspace;
    {
        myQQuickView view;
        view.saveApConfig(list);
        QCOMPARE(asStrings(view.loadApConfig()), asStrings(list));
    }
    myQQuickView view;
    QCOMPARE(asStrings(view.loadApConfig()), asStrings(list));
}

void ApConfigTest::shorterListReplacesLonger()
{
    TestWorkspace workspace;
    myQQuickView view;
    view.saveApConfig(QVariantList(32, 5));
    view.saveApConfig(QVariantList(30, 6));
    QCOMPARE(asStrings(view.loadApConfig()), QStringList(30, QStringLiteral("6")));
}

void ApConfigTest::damagedCount_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("no count") << QByteArray("[common]\n0=1\n") << QStringList();
    QTest::newRow("negative") << QByteArray("[common]\ntotal=-4\n0=1\n") << QStringList();
    QTest::newRow("not a number") << QByteArray("[common]\ntotal=many\n0=1\n") << QStringList();
    QTest::newRow("missing entries give 0")
        << QByteArray("[common]\ntotal=3\n1=x\n") << QStringList{"0", "x", "0"};
    QTest::newRow("absurd count is bounded")
        << QByteArray("[common]\ntotal=2000000000\n0=1\n") << QStringList();
}

void ApConfigTest::damagedCount()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, list);
    TestWorkspace workspace;
    workspace.writeFile(QStringLiteral("modules/setting/apConfig.bin"), file);
    myQQuickView view;
    const QVariantList loaded = view.loadApConfig();
    if (QTest::currentDataTag() == QByteArrayLiteral("absurd count is bounded")) {
        QCOMPARE(loaded.size(), 4096);
        QCOMPARE(loaded.first().toString(), QStringLiteral("1"));
        return;
    }
    QCOMPARE(asStrings(loaded), list);
}

// Changes not yet written must not come back over the factory settings.
void ApConfigTest::resetTakesTheFactoryFile()
{
    TestWorkspace workspace;
    const QByteArray factory("[common]\nname=R7\ntotal=2\n0=1\n1=2\n");
    workspace.writeFile(QStringLiteral("modules/setting/apConfigD.bin"), factory);
    const QString apConfig = workspace.path(QStringLiteral("modules/setting/apConfig.bin"));
    {
        myQQuickView view;
        view.saveApConfig({9, 9, 9});
        view.setGlobalInt(QStringLiteral("macro/3"), 4);
        view.resetApconfig();
        QCOMPARE(asStrings(view.loadApConfig()), (QStringList{"1", "2"}));
        QVERIFY(!view.getGlobalData(QStringLiteral("macro/3")).isValid());
        QCOMPARE(view.getGlobalData(QStringLiteral("common/name")).toString(), "R7");
        QCOMPARE(read(apConfig), factory);
        view.setGlobalInt(QStringLiteral("macro/5"), 1);
    }
    const QSettings file(apConfig, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("common/total")).toInt(), 2);
    QCOMPARE(file.value(QStringLiteral("macro/5")).toInt(), 1);
    QVERIFY(!file.contains(QStringLiteral("macro/3")));
    QCOMPARE(read(workspace.path(QStringLiteral("modules/setting/apConfigD.bin"))), factory);
}

void ApConfigTest::resetWithoutFactoryFileKeepsTheSettings()
{
    TestWorkspace workspace;
    myQQuickView view;
    view.saveApConfig({3, 4});
    view.resetApconfig();
    QCOMPARE(asStrings(view.loadApConfig()), (QStringList{"3", "4"}));
    view.saveApConfig({5});
    QCOMPARE(asStrings(view.loadApConfig()), QStringList{"5"});
}

// x, y, keyType, matrix as int, the name as a string, the key code unsigned.
void ApConfigTest::hwDefElementTypes()
{
    TestWorkspace workspace;
    workspace.writeFile(QStringLiteral("modules/setting/HWDef.bin"),
                        "[common]\nkbLayoutType=1\n[1]\ntotal_HW=2\ntotal_FW=128\n"
                        "1=10, 20, 3, Esc, 0, 41\n2=40, 20, 1, \"F1, \", 1, 16642\n");
    myQQuickView view;
    const QVariantList keys = view.loadHWDef();
    QCOMPARE(keys, (QVariantList{2, 128, 10, 20, 3, "Esc", 0, 41u, 40, 20, 1, "F1, ", 1, 16642u}));
    const QList<int> types{QMetaType::Int, QMetaType::Int,     QMetaType::Int, QMetaType::Int,
                           QMetaType::Int, QMetaType::QString, QMetaType::Int, QMetaType::UInt};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(keys.at(i).typeId(), types.at(i));
}

void ApConfigTest::hwDefFollowsTheLayout_data()
{
    QTest::addColumn<QByteArray>("layoutLine");
    QTest::addColumn<QVariantList>("keys");
    QTest::newRow("layout 0") << QByteArray("kbLayoutType=0")
                              << QVariantList{1, 8, 1, 2, 3, "A", 4, 4u};
    QTest::newRow("layout 1") << QByteArray("kbLayoutType=1") << QVariantList{0, 64};
    QTest::newRow("no layout given") << QByteArray() << QVariantList{1, 8, 1, 2, 3, "A", 4, 4u};
    QTest::newRow("layout without keys") << QByteArray("kbLayoutType=2") << QVariantList{0, 0};
}

void ApConfigTest::hwDefFollowsTheLayout()
{
    QFETCH(QByteArray, layoutLine);
    QFETCH(QVariantList, keys);
    TestWorkspace workspace;
    workspace.writeFile(QStringLiteral("modules/setting/HWDef.bin"),
                        "[common]\n" + layoutLine +
                            "\n[0]\ntotal_HW=1\ntotal_FW=8\n1=1, 2, 3, A, 4, 4\n"
                            "[1]\ntotal_HW=0\ntotal_FW=64\n1=9, 9, 9, B, 9, 9\n");
    myQQuickView view;
    QCOMPARE(view.loadHWDef(), keys);
}

void ApConfigTest::hwDefOddLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QVariantList>("key");
    QTest::newRow("missing line") << QByteArray() << QVariantList{0, 0, 0, "", 0, 0u};
    QTest::newRow("one element") << QByteArray("1=12") << QVariantList{12, 0, 0, "", 0, 0u};
    QTest::newRow("four elements")
        << QByteArray("1=1, 2, 3, Tab") << QVariantList{1, 2, 3, "Tab", 0, 0u};
    QTest::newRow("seven elements")
        << QByteArray("1=1, 2, 3, Tab, 5, 43, 99") << QVariantList{1, 2, 3, "Tab", 5, 43u};
    QTest::newRow("not numbers") << QByteArray("1=a, b, c, Tab, e, f")
                                 << QVariantList{0, 0, 0, "Tab", 0, 0u};
}

// Every key takes six entries, whatever its line holds.
void ApConfigTest::hwDefOddLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QVariantList, key);
    TestWorkspace workspace;
    workspace.writeFile(QStringLiteral("modules/setting/HWDef.bin"),
                        "[0]\ntotal_HW=1\ntotal_FW=128\n" + line + "\n");
    myQQuickView view;
    QCOMPARE(view.loadHWDef(), (QVariantList{1, 128} + key));
}

QTEST_MAIN(ApConfigTest)
#include "tst_apconfig.moc"
