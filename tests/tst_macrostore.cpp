// The macro files: listing, creating, saving, renaming, the standard set, import and export,
// and what readers make of missing or damaged files.

#include "storage/macrofiles.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

#include <memory>

namespace
{
const QString down = QStringLiteral("    [Down]");

QString standard(int number)
{
    return MacroFiles::standardName(number);
}
} // namespace

class MacroStoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void standardNames_data();
    void standardNames();
    void namesAreSortedIgnoringCase();
    void namesOfAMissingFolder();
    void createFillsTheFirstGap();
    void createWritesANewUnboundMacro();
    void deleteRemovesOnlyExistingFiles();
    void loadReadsMissingStepsAsZero();
    void damagedValuesReadAsDefaults_data();
    void damagedValuesReadAsDefaults();
    void missingFileGivesTheEmptyResults();
    void setConfigStoresIndexRepeatAndDevice();
    void setConfigIgnoresAShortList();
    void initKeepsOneFilePerSlot();
    void initGivesATakenStandardNameToNoOtherSlot();
    void renameMovesTheFile();
    void renameKeepsAnExistingTarget();
    void refusedNamesDoNothing_data();
    void refusedNamesDoNothing();
    void importReplacesAnExistingMacro();
    void importIntoAMissingNameDoesNothing();
    void importOfAMissingSourceChangesNothing();
    void exportCopiesAndReplaces();

private:
    QString file(const QString &name) const
    {
        return workspace->path(QStringLiteral("modules/macro/") + name + QStringLiteral(".bin"));
    }
    void writeMacro(const QString &name, const QVariantMap &values) const;
    QByteArray content(const QString &path) const;

    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<myQQuickView> view;
};

void MacroStoreTest::init()
{
    workspace = std::make_unique<TestWorkspace>();
    QDir().mkpath(workspace->path(QStringLiteral("modules/macro")));
    view = std::make_unique<myQQuickView>();
}

void MacroStoreTest::cleanup()
{
    view.reset();
    workspace.reset();
}

void MacroStoreTest::writeMacro(const QString &name, const QVariantMap &values) const
{
    QSettings macro(file(name), QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        macro.setValue(it.key(), it.value());
}

QByteArray MacroStoreTest::content(const QString &path) const
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void MacroStoreTest::standardNames_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << 1 << "Macro. 001";
    QTest::newRow("17") << 17 << "Macro. 017";
    QTest::newRow("999") << 999 << "Macro. 999";
    QTest::newRow("1000") << 1000 << "Macro. 1000";
}

void MacroStoreTest::standardNames()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QCOMPARE(MacroFiles::standardName(number), name);
}

void MacroStoreTest::namesAreSortedIgnoringCase()
{
    writeMacro(standard(3), {{"config/index", -1}});
    writeMacro(QStringLiteral("macro. 002"), {{"config/index", -1}});
    writeMacro(standard(1), {{"config/index", -1}});
    workspace->writeFile(QStringLiteral("modules/macro/notes.txt"), "not a macro");
    QCOMPARE(view->getMacroIniNames(),
             (QStringList{"Macro. 001.bin", "macro. 002.bin", "Macro. 003.bin"}));
}

void MacroStoreTest::namesOfAMissingFolder()
{
    QDir(workspace->path(QStringLiteral("modules/macro"))).removeRecursively();
    QCOMPARE(view->getMacroIniNames(), QStringList());
}

void MacroStoreTest::createFillsTheFirstGap()
{
    writeMacro(standard(1), {{"config/index", 0}});
    writeMacro(standard(3), {{"config/index", 2}});
    QCOMPARE(view->createMacroIni(), QVariant(standard(2)));
    QCOMPARE(view->createMacroIni(), QVariant(standard(4)));
}

void MacroStoreTest::createWritesANewUnboundMacro()
{
    QDir(workspace->path(QStringLiteral("modules/macro"))).removeRecursively();
    QCOMPARE(view->createMacroIni(), QVariant(standard(1)));
    const QSettings macro(file(standard(1)), QSettings::IniFormat);
    QCOMPARE(macro.value("config/index").toInt(), -1);
    QCOMPARE(macro.value("config/total").toInt(), 0);
    QCOMPARE(macro.value("config/repeat").toInt(), 1);
    QCOMPARE(macro.value("config/did").toInt(), -1);
    QCOMPARE(view->loadMacroIniConfig(standard(1)), (QVariantList{-1, 1}));
}

void MacroStoreTest::deleteRemovesOnlyExistingFiles()
{
    writeMacro(QStringLiteral("Gone"), {{"config/index", -1}});
    QCOMPARE(view->deleteMacroIni(QStringLiteral("Gone")), QVariant(true));
    QVERIFY(!QFile::exists(file(QStringLiteral("Gone"))));
    QCOMPARE(view->deleteMacroIni(QStringLiteral("Gone")), QVariant(false));
}

void MacroStoreTest::loadReadsMissingStepsAsZero()
{
    writeMacro(QStringLiteral("M"), {{"config/total", 3},
                                     {"macro/0", "A" + down},
                                     {"macro/2", "10   [Delay]"},
                                     {"macro/3", "B" + down}});
    QCOMPARE(view->loadMacroIni(QStringLiteral("M")),
             (QStringList{"A" + down, "0", "10   [Delay]"}));
}

void MacroStoreTest::damagedValuesReadAsDefaults_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QVariantList>("config");

    QTest::newRow("empty file") << QByteArray() << 0 << QVariantList{-1, 1};
    QTest::newRow("words for numbers")
        << QByteArray("[config]\nindex=two\ntotal=many\nrepeat=x\n") << 0 << QVariantList{-1, 1};
    QTest::newRow("negative total")
        << QByteArray("[config]\ntotal=-4\nrepeat=3\n") << 0 << QVariantList{-1, 3};
    QTest::newRow("absurd total") << QByteArray("[config]\ntotal=2147483647\nindex=1\n") << 65536
                                  << QVariantList{1, 1};
    QTest::newRow("not an INI file")
        << QByteArray("\x00\xff\x13[[[=\n=\n", 10) << 0 << QVariantList{-1, 1};
}

void MacroStoreTest::damagedValuesReadAsDefaults()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, steps);
    QFETCH(QVariantList, config);
    workspace->writeFile(QStringLiteral("modules/macro/M.bin"), ini);
    QCOMPARE(view->loadMacroIni(QStringLiteral("M")).size(), steps);
    QCOMPARE(view->loadMacroIniConfig(QStringLiteral("M")), config);
    QCOMPARE(view->getMacroRepeat(QStringLiteral("M")), config.at(1));
}

void MacroStoreTest::missingFileGivesTheEmptyResults()
{
    const QString name = QStringLiteral("Nothing");
    QCOMPARE(view->loadMacroIni(name), QStringList());
    QCOMPARE(view->loadMacroIniConfig(name), QVariantList());
    QCOMPARE(view->getMacroRepeat(name), QVariant(1));
    QCOMPARE(view->saveMacroIni(name, {"A" + down}), QVariant(false));
    view->setMacroIniConfig(name, {3, 0, 2});
    QVERIFY(!QFile::exists(file(name)));
}

void MacroStoreTest::setConfigStoresIndexRepeatAndDevice()
{
    writeMacro(QStringLiteral("M"), {{"config/index", -1}, {"config/repeat", 1}});
    // Numbers from QML arrive as doubles.
    view->setMacroIniConfig(QStringLiteral("M"), {4.0, 99, 7.0});
    QCOMPARE(view->loadMacroIniConfig(QStringLiteral("M")), (QVariantList{4, 7}));
    QCOMPARE(view->getMacroRepeat(QStringLiteral("M")), QVariant(7));
    // No device object: no device number.
    const QSettings macro(file(QStringLiteral("M")), QSettings::IniFormat);
    QCOMPARE(macro.value("config/did").toInt(), -1);
}

void MacroStoreTest::setConfigIgnoresAShortList()
{
    writeMacro(QStringLiteral("M"), {{"config/index", 2}, {"config/repeat", 5}});
    view->setMacroIniConfig(QStringLiteral("M"), {7, 0});
    QCOMPARE(view->loadMacroIniConfig(QStringLiteral("M")), (QVariantList{2, 5}));
}

void MacroStoreTest::initKeepsOneFilePerSlot()
{
    writeMacro("A", {{"config/index", 0}, {"config/total", 1}, {"macro/0", "A" + down}});
    writeMacro("B", {{"config/index", 2}});
    writeMacro("C", {{"config/index", 2}});
    writeMacro("D", {{"config/index", -1}});
    writeMacro("E", {{"config/index", 7}});
    for (const char *removed : {"C", "D", "E"})
        QTest::ignoreMessage(
            QtDebugMsg,
            qPrintable(
                QStringLiteral("REMOVE: \"./modules/macro/%1.bin\"").arg(QLatin1String(removed))));

    view->initMacroIni(4);

    QCOMPARE(view->getMacroIniNames(),
             (QStringList{"A.bin", "B.bin", standard(2) + ".bin", standard(4) + ".bin"}));
    QCOMPARE(view->loadMacroIni("A"), QStringList{"A" + down});
    QCOMPARE(view->loadMacroIniConfig(standard(2)), (QVariantList{1, 1}));
    QCOMPARE(view->loadMacroIniConfig(standard(4)), (QVariantList{3, 1}));
    const QSettings created(file(standard(4)), QSettings::IniFormat);
    QCOMPARE(created.value("config/total").toInt(), 0);
    QCOMPARE(created.value("config/did").toInt(), -1);
}

void MacroStoreTest::initGivesATakenStandardNameToNoOtherSlot()
{
    // The file named for slot 0 is bound to slot 1: it stays, and slot 0 gets another name.
    writeMacro(standard(1), {{"config/index", 1}, {"config/total", 1}, {"macro/0", "A" + down}});
    view->initMacroIni(3);

    QCOMPARE(view->getMacroIniNames(),
             (QStringList{standard(1) + ".bin", standard(2) + ".bin", standard(3) + ".bin"}));
    QCOMPARE(view->loadMacroIniConfig(standard(1)), (QVariantList{1, 1}));
    QCOMPARE(view->loadMacroIni(standard(1)), QStringList{"A" + down});
    QCOMPARE(view->loadMacroIniConfig(standard(2)), (QVariantList{0, 1}));
    QCOMPARE(view->loadMacroIniConfig(standard(3)), (QVariantList{2, 1}));
}

void MacroStoreTest::renameMovesTheFile()
{
    writeMacro("Old", {{"config/index", 3}});
    view->renameMacroIniFile("Old", "New");
    QVERIFY(!QFile::exists(file("Old")));
    QCOMPARE(view->loadMacroIniConfig("New"), (QVariantList{3, 1}));
}

void MacroStoreTest::renameKeepsAnExistingTarget()
{
    writeMacro("Old", {{"config/index", 3}});
    writeMacro("New", {{"config/index", 4}});
    view->renameMacroIniFile("Old", "New");
    QCOMPARE(view->loadMacroIniConfig("Old"), (QVariantList{3, 1}));
    QCOMPARE(view->loadMacroIniConfig("New"), (QVariantList{4, 1}));
}

void MacroStoreTest::refusedNamesDoNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../setting/apConfig";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("dot") << ".";
    QTest::newRow("sub folder") << "sub/M";
    QTest::newRow("backslash") << "..\\M";
    QTest::newRow("absolute") << "/tmp/M";
    QTest::newRow("drive or stream") << "C:M";
}

void MacroStoreTest::refusedNamesDoNothing()
{
    QFETCH(QString, name);
    writeMacro("M", {{"config/index", 3}});
    workspace->writeSetting("apConfig.bin", {{"common/x", 1}});
    QDir().mkpath(workspace->path("modules/macro/sub"));
    const QByteArray macro = content(file("M"));
    const QByteArray apConfig = content(workspace->path("modules/setting/apConfig.bin"));

    view->renameMacroIniFile("M", name);
    view->renameMacroIniFile("../setting/apConfig", "Taken");
    QCOMPARE(view->deleteMacroIni(name), QVariant(false));
    QCOMPARE(view->saveMacroIni(name, {"A" + down}), QVariant(false));
    view->setMacroIniConfig(name, {1, 0, 1});
    view->backend().macros().importMacro(name, file("M"));
    view->backend().macros().exportMacro(name, workspace->path("out.mc"));
    QCOMPARE(view->loadMacroIni(name), QStringList());
    QCOMPARE(view->loadMacroIniConfig(name), QVariantList());

    QCOMPARE(content(file("M")), macro);
    QCOMPARE(content(workspace->path("modules/setting/apConfig.bin")), apConfig);
    QCOMPARE(view->getMacroIniNames(), QStringList{"M.bin"});
    QVERIFY(!QFile::exists(workspace->path("out.mc")));
    QVERIFY(QDir(workspace->path("modules/macro/sub")).isEmpty());
}

void MacroStoreTest::importReplacesAnExistingMacro()
{
    writeMacro("M", {{"config/index", 3}, {"config/total", 1}, {"macro/0", "A" + down}});
    const QString source = workspace->path("in.mc");
    workspace->writeFile("in.mc", "[config]\nindex=5\ntotal=1\nrepeat=2\n\n[macro]\n0=B    [Up]\n");

    view->backend().macros().importMacro("M", source);

    QCOMPARE(content(file("M")), content(source));
    QCOMPARE(view->loadMacroIniConfig("M"), (QVariantList{5, 2}));
    // Nothing is left beside it.
    QCOMPARE(QDir(workspace->path("modules/macro")).entryList(QDir::Files), QStringList{"M.bin"});
}

void MacroStoreTest::importIntoAMissingNameDoesNothing()
{
    workspace->writeFile("in.mc", "[config]\nindex=5\n");
    view->backend().macros().importMacro("Nobody", workspace->path("in.mc"));
    QVERIFY(!QFile::exists(file("Nobody")));
    QCOMPARE(view->getMacroIniNames(), QStringList());
}

void MacroStoreTest::importOfAMissingSourceChangesNothing()
{
    writeMacro("M", {{"config/index", 3}});
    const QByteArray before = content(file("M"));
    view->backend().macros().importMacro("M", workspace->path("missing.mc"));
    view->backend().macros().importMacro("M", workspace->path("modules/macro"));
    QCOMPARE(content(file("M")), before);
}

void MacroStoreTest::exportCopiesAndReplaces()
{
    writeMacro("M", {{"config/index", 3}, {"config/total", 1}, {"macro/0", "A" + down}});
    const QString target = workspace->path("out.mc");
    workspace->writeFile("out.mc", "an older export that is much longer than the macro file is");

    view->backend().macros().exportMacro("M", target);
    QCOMPARE(content(target), content(file("M")));

    view->backend().macros().exportMacro("Missing", workspace->path("other.mc"));
    QVERIFY(!QFile::exists(workspace->path("other.mc")));
}

QTEST_MAIN(MacroStoreTest)
#include "tst_macrostore.moc"
