// Profile files: import, export, reset and the factory profile.

#include "runningprogram.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace
{
QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray profileOne("[color]\nledType=1, 2, 3, 4, 5, 6, 7\n\n[keydefine1]\n0=41, 0\n");
const QByteArray factoryProfile("[color]\ncolor=255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, "
                                "0, 255, 255, 255, 0, 255, 255, 255, 255\n"
                                "ledType=3, 4, 2, 0, 7, 1, 1\n");
} // namespace

class ProfilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void exportImportRoundTrip();
    void exportHoldsUnsavedChanges();
    void importDropsUnsavedChanges();
    void failedImportKeepsTheProfile_data();
    void failedImportKeepsTheProfile();
    void resetTakesTheFactoryProfile();
    void sameSizeReplacementsAreSeen();
    void outOfRangeIndexDoesNothing_data();
    void outOfRangeIndexDoesNothing();
    void defaultProfileValues();
    void dialogs_data();
    void dialogs();

private:
    QString setting(const QString &name) const
    {
        return workspace->path(QStringLiteral("modules/setting/") + name);
    }

    TestWorkspace *workspace = nullptr;
    myQQuickView *view = nullptr;
};

void ProfilesTest::init()
{
    workspace = new TestWorkspace;
    workspace->writeSetting(QStringLiteral("HWDef.bin"),
                            {{QStringLiteral("common/maxProfile"), 3}});
    workspace->writeFile(QStringLiteral("modules/setting/p1.bin"), profileOne);
    workspace->writeFile(QStringLiteral("modules/setting/pD.bin"), factoryProfile);
    view = new myQQuickView;
}

void ProfilesTest::cleanup()
{
    delete view;
    delete workspace;
}

// Export profile 0, import it into profile 2: p3.bin is p1.bin byte for byte.
void ProfilesTest::exportImportRoundTrip()
{
    const QString exported = workspace->path(QStringLiteral("mine.pf"));
    workspace->writeFile(QStringLiteral("mine.pf"), "an older export");
    view->backend().profiles().exportProfile(0, exported);
    QCOMPARE(read(exported), profileOne);

    view->backend().profiles().importProfile(2, exported);
    QCOMPARE(read(setting(QStringLiteral("p3.bin"))), profileOne);
    QCOMPARE(view->backend()
                 .profiles()
                 .profileAt(2)
                 ->value(QStringLiteral("keydefine1/0"))
                 .toStringList(),
             (QStringList{"41", "0"}));
    QCOMPARE(read(setting(QStringLiteral("p1.bin"))), profileOne);
}

void ProfilesTest::exportHoldsUnsavedChanges()
{
    view->backend().profiles().profileAt(0)->setValue(QStringLiteral("sensor/reportRate_R8"), 2);
    const QString exported = workspace->path(QStringLiteral("now.pf"));
    view->backend().profiles().exportProfile(0, exported);
    const QSettings copy(exported, QSettings::IniFormat);
    QCOMPARE(copy.value(QStringLiteral("sensor/reportRate_R8")).toInt(), 2);
}

// What the old profile had not yet written must not land in the imported one.
void ProfilesTest::importDropsUnsavedChanges()
{
    workspace->writeFile(QStringLiteral("other.pf"), factoryProfile);
    view->backend().profiles().profileAt(0)->setValue(QStringLiteral("userPicture/0"),
                                                      QVariantList{1, 2});
    view->backend().profiles().importProfile(0, workspace->path(QStringLiteral("other.pf")));
    QVERIFY(!view->backend().profiles().profileAt(0)->contains(QStringLiteral("userPicture/0")));
    delete view;
    view = nullptr;
    QCOMPARE(read(setting(QStringLiteral("p1.bin"))), factoryProfile);
    view = new myQQuickView;
}

void ProfilesTest::failedImportKeepsTheProfile_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("missing file") << "gone.pf";
    QTest::newRow("a folder") << "folder.pf";
}

void ProfilesTest::failedImportKeepsTheProfile()
{
    QFETCH(QString, source);
    QDir().mkpath(workspace->path(QStringLiteral("folder.pf")));
    view->backend().profiles().profileAt(0)->setValue(QStringLiteral("sensor/reportRate_R8"), 3);
    view->backend().profiles().importProfile(0, workspace->path(source));

    QSettings *profile = view->backend().profiles().profileAt(0);
    QVERIFY(profile);
    QCOMPARE(profile->value(QStringLiteral("color/ledType")).toStringList().size(), 7);
    QCOMPARE(profile->value(QStringLiteral("sensor/reportRate_R8")).toInt(), 3);
    QVERIFY(read(setting(QStringLiteral("p1.bin"))).startsWith(profileOne.left(20)));
}

void ProfilesTest::resetTakesTheFactoryProfile()
{
    view->ui_21H_SetCurrentProfile(1);
    view->ui_08H_SetLEDType(9, 9, 9, 9, 9, 9, 9);
    view->resetProfile(1);
    QCOMPARE(view->ui_88H_GetLEDType(), (QVariantList{"3", "4", "2", "0", "7", "1", "1"}));
    QCOMPARE(read(setting(QStringLiteral("p2.bin"))), factoryProfile);
    QCOMPARE(read(setting(QStringLiteral("pD.bin"))), factoryProfile);

    // Without a factory profile the profile stays as it is.
    QFile::remove(setting(QStringLiteral("pD.bin")));
    view->resetProfile(0);
    QCOMPARE(read(setting(QStringLiteral("p1.bin"))), profileOne);
}

// QSettings trusts its cached content while size and time are unchanged: back-to-back imports
// of files of the same size must still be read.
void ProfilesTest::sameSizeReplacementsAreSeen()
{
    workspace->writeFile(QStringLiteral("a.pf"), "[color]\nledType=1, 0, 0, 0, 0, 0, 0\n");
    workspace->writeFile(QStringLiteral("b.pf"), "[color]\nledType=2, 0, 0, 0, 0, 0, 0\n");
    for (int i = 0; i < 40; ++i) {
        const QString name = i % 2 ? QStringLiteral("b") : QStringLiteral("a");
        view->backend().profiles().importProfile(0, workspace->path(name + QStringLiteral(".pf")));
        QCOMPARE(view->backend()
                     .profiles()
                     .profileAt(0)
                     ->value(QStringLiteral("color/ledType"))
                     .toStringList()
                     .value(0),
                 QString::number(1 + i % 2));
    }
}

void ProfilesTest::outOfRangeIndexDoesNothing_data()
{
    QTest::addColumn<int>("profile");
    QTest::newRow("negative") << -1;
    QTest::newRow("maxProfile") << 3;
    QTest::newRow("far out") << 300;
}

void ProfilesTest::outOfRangeIndexDoesNothing()
{
    QFETCH(int, profile);
    const QStringList before = QDir(setting(QString())).entryList(QDir::Files, QDir::Name);
    view->resetProfile(profile);
    view->backend().profiles().importProfile(profile, setting(QStringLiteral("pD.bin")));
    view->backend().profiles().exportProfile(profile, workspace->path(QStringLiteral("out.pf")));
    view->loadProfile(profile); // would block in its dialog if it opened one
    view->saveProfile(profile);
    QCOMPARE(QDir(setting(QString())).entryList(QDir::Files, QDir::Name), before);
    QVERIFY(!QFile::exists(workspace->path(QStringLiteral("out.pf"))));
}

void ProfilesTest::defaultProfileValues()
{
    QCOMPARE(view->loadDefaultProfile(QStringLiteral("color/ledType")).toStringList(),
             (QStringList{"3", "4", "2", "0", "7", "1", "1"}));
    QCOMPARE(view->loadDefaultProfile(QStringLiteral("color/color")).toStringList().size(), 21);
    QVERIFY(!view->loadDefaultProfile(QStringLiteral("userPicture/0")).isValid());
}

void ProfilesTest::dialogs_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("desktopExists");
    QTest::addColumn<QString>("caption");
    QTest::newRow("import") << false << true << "Open File";
    QTest::newRow("export") << true << true << "Save File";
    QTest::newRow("import, no desktop folder") << false << false << "Open File";
    QTest::newRow("export, no desktop folder") << true << false << "Save File";
}

// The dialogs ask for a .pf file starting on the desktop, or in the home folder where there is
// no desktop folder, with no name typed in; cancelling changes nothing.
void ProfilesTest::dialogs()
{
    QFETCH(bool, save);
    QFETCH(bool, desktopExists);
    QFETCH(QString, caption);
    const QTemporaryDir home;
    const QString desktop = home.filePath(QStringLiteral("Desktop"));
    if (desktopExists)
        QVERIFY(QDir().mkdir(desktop));
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QString title;
    QStringList filters;
    QString folder;
    QString typedName;
    onNextModal([&](QWidget *modal) {
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            folder = dialog->directory().absolutePath();
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                typedName = name->text();
        }
        static_cast<QDialog *>(modal)->reject();
    });
    const QStringList before = QDir(setting(QString())).entryList(QDir::Files, QDir::Name);
    if (save)
        view->saveProfile(0);
    else
        view->loadProfile(0);
    qputenv("HOME", oldHome);
    QCOMPARE(title, caption);
    QCOMPARE(filters, QStringList{QStringLiteral("Profile(*.pf)")});
    QCOMPARE(folder, desktopExists ? desktop : home.path());
    QCOMPARE(typedName, QString());
    QCOMPARE(read(setting(QStringLiteral("p1.bin"))), profileOne);
    QCOMPARE(QDir(setting(QString())).entryList(QDir::Files, QDir::Name), before);
}

QTEST_MAIN(ProfilesTest)
#include "tst_profiles.moc"
