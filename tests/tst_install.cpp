// The program as a Linux desktop gets it: installed into a prefix of its own, started by
// unprivileged users, its desktop files checked by the desktop's own validators and its udev
// rule read back.

#include "sound/soundbank.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
const QString appId = QStringLiteral(R7_APP_ID);
const QString ruleFile = QStringLiteral("lib/udev/rules.d/70-r7configurator.rules");
const QString soundLibrary = QStringLiteral(R7_SOUND_LIBRARY);
// Users no account on the machine has; the test runs the program under them when it can.
constexpr uint firstUid = 64123;
constexpr uint secondUid = 64124;

// Every file below `root`, relative, with a hash of its content.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(root).relativeFilePath(file.fileName()),
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

// One udev rule line: its match conditions (key, operator, value) and its assignments.
struct UdevRule {
    QList<std::tuple<QString, QString, QString>> matches;
    QStringList assignments;
};

QList<UdevRule> parseRules(const QString &text)
{
    static const QRegularExpression pair(QStringLiteral(
        "\\s*([A-Za-z]+(?:\\{[^}]*\\})?)\\s*(==|!=|\\+=|-=|:=|=)\\s*\"([^\"]*)\"\\s*"));
    QList<UdevRule> rules;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        UdevRule rule;
        for (const QString &part : trimmed.split(QLatin1Char(','))) {
            const QRegularExpressionMatch m = pair.match(part);
            if (!m.hasMatch() || m.capturedLength() != part.size())
                return {}; // not a rule udev would read
            if (m.captured(2) == QLatin1String("==") || m.captured(2) == QLatin1String("!="))
                rule.matches.append({m.captured(1), m.captured(2), m.captured(3)});
            else
                rule.assignments.append(m.captured(1) + m.captured(2) + m.captured(3));
        }
        rules.append(rule);
    }
    return rules;
}

// Whether `rule` applies to a device with these properties (udev's glob patterns).
bool applies(const UdevRule &rule, const QMap<QString, QString> &device)
{
    for (const auto &[key, op, pattern] : rule.matches) {
        const QRegularExpression glob(QRegularExpression::wildcardToRegularExpression(pattern));
        const bool matched = device.contains(key) && glob.match(device.value(key)).hasMatch();
        if (matched != (op == QLatin1String("==")))
            return false;
    }
    return true;
}
} // namespace

class InstallTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installedLayout();
    void soundLibraryLoads();
    void validators_data();
    void validators();
    void udevRuleGrantsTheKeyboardOnly_data();
    void udevRuleGrantsTheKeyboardOnly();
    void usersKeepTheirOwnFiles();
    void packagedBinariesAreStripped();

private:
    QString installed(const QString &relative) const { return prefix.filePath(relative); }
    // Starts the installed program as `uid` (or as this user when not root) with `home`,
    // waits until its device check is done and ends it. Returns its log.
    QByteArray runAs(uint uid, const QString &home);
    QString makeHome(const QString &name, uint uid) const;

    QTemporaryDir prefix;
    QTemporaryDir homes;
    bool asOtherUsers = false;
};

void InstallTest::initTestCase()
{
    QVERIFY(prefix.isValid() && homes.isValid());
    // The users the program runs as must reach the prefix and their homes.
    ::chmod(QFile::encodeName(prefix.path()).constData(), 0755);
    ::chmod(QFile::encodeName(homes.path()).constData(), 0755);
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(R7_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(R7_BUILD_DIR),
                   QStringLiteral("--prefix"), prefix.path()});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    asOtherUsers = ::geteuid() == 0 && !QStandardPaths::findExecutable("setpriv").isEmpty();
}

void InstallTest::installedLayout()
{
    for (const QString &file :
         {QStringLiteral("bin/R7Configurator"), QStringLiteral("bin/r7ctl"),
          QStringLiteral("share/man/man1/r7ctl.1"),
          QStringLiteral("share/bash-completion/completions/r7ctl"),
          QStringLiteral("lib/systemd/user/r7ctl-watch.service"),
          QStringLiteral("share/R7Configurator/modules/setting/HWDef.bin"),
          QStringLiteral("share/R7Configurator/modules/i18n/lang_031000.ini"),
          QStringLiteral("share/R7Configurator/modules/img/skin1/background.png"),
          QStringLiteral("share/R7Configurator/modules/media/00.mp3"),
          QStringLiteral("share/icons/hicolor/scalable/apps/") + appId + QStringLiteral(".svg")})
        QVERIFY2(QFileInfo(installed(file)).isFile(), qPrintable(file));
    // The watch at login is there to be enabled, not enabled.
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("etc/xdg/autostart"))));
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("lib/systemd/user/default.target.wants"))));
    QVERIFY(!QFileInfo::exists(
        installed(QStringLiteral("lib/systemd/user/graphical-session.target.wants"))));
    // The interface is inside the program.
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("share/R7Configurator/modules/qml"))));
}

// The program loads it for the first sound played.
void InstallTest::soundLibraryLoads()
{
    QPluginLoader loader(installed(soundLibrary));
    QVERIFY2(qobject_cast<SoundBankFactory *>(loader.instance()), qPrintable(loader.errorString()));
}

void InstallTest::validators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry") << "desktop-file-validate"
                                   << QStringList{installed(QStringLiteral("share/applications/") +
                                                            appId + QStringLiteral(".desktop"))};
    QTest::newRow("autostart entry")
        << "desktop-file-validate"
        << QStringList{
               installed(QStringLiteral("share/R7Configurator/autostart/r7ctl-watch.desktop"))};
    QTest::newRow("AppStream metadata")
        << "appstreamcli"
        << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                       QStringLiteral("--pedantic"),
                       installed(QStringLiteral("share/metainfo/") + appId +
                                 QStringLiteral(".metainfo.xml"))};
    QTest::newRow("manual page") << "groff"
                                 << QStringList{
                                        QStringLiteral("-man"), QStringLiteral("-ww"),
                                        QStringLiteral("-z"),
                                        installed(QStringLiteral("share/man/man1/r7ctl.1"))};
    QTest::newRow("bash completion")
        << "bash"
        << QStringList{QStringLiteral("-n"),
                       installed(QStringLiteral("share/bash-completion/completions/r7ctl"))};
}

void InstallTest::validators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    if (QStandardPaths::findExecutable(tool).isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed (tools/bootstrap.sh)")));
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(tool, arguments);
    QVERIFY(validator.waitForFinished(60000));
    const QByteArray output = validator.readAll();
    QVERIFY2(validator.exitCode() == 0, output.constData());
    // desktop-file-validate passes files it only has hints about; this one has none.
    QVERIFY2(!output.contains("error") && !output.contains("warning"), output.constData());
}

void InstallTest::udevRuleGrantsTheKeyboardOnly_data()
{
    QTest::addColumn<QString>("subsystem");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("product");
    QTest::addColumn<bool>("granted");
    QTest::newRow("the keyboard's hidraw node") << "hidraw"
                                                << "1209"
                                                << "0001" << true;
    QTest::newRow("another product of the vendor") << "hidraw"
                                                   << "1209"
                                                   << "0002" << false;
    QTest::newRow("another vendor") << "hidraw"
                                    << "046d"
                                    << "0001" << false;
    QTest::newRow("the keyboard's input device") << "input"
                                                 << "1209"
                                                 << "0001" << false;
    QTest::newRow("the keyboard's USB device") << "usb"
                                               << "1209"
                                               << "0001" << false;
}

void InstallTest::udevRuleGrantsTheKeyboardOnly()
{
    QFETCH(QString, subsystem);
    QFETCH(QString, vendor);
    QFETCH(QString, product);
    QFETCH(bool, granted);
    // uaccess is turned into an access right by 73-seat-late.rules: the rule must come first.
    QVERIFY(QFileInfo(ruleFile).fileName() < QStringLiteral("73-seat-late.rules"));
    QFile file(installed(ruleFile));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<UdevRule> rules = parseRules(QString::fromUtf8(file.readAll()));
    QCOMPARE(rules.size(), 1);
    // Access for the user at the seat, nothing for everyone else.
    QCOMPARE(rules.at(0).assignments, QStringList{QStringLiteral("TAG+=uaccess")});

    const QMap<QString, QString> device{{QStringLiteral("SUBSYSTEM"), subsystem},
                                        {QStringLiteral("ATTRS{idVendor}"), vendor},
                                        {QStringLiteral("ATTRS{idProduct}"), product}};
    QCOMPARE(applies(rules.at(0), device), granted);
}

QString InstallTest::makeHome(const QString &name, uint uid) const
{
    const QString home = homes.filePath(name);
    for (const QString &folder : {QString(), QStringLiteral("/run")}) {
        QDir().mkpath(home + folder);
        const QByteArray path = QFile::encodeName(home + folder);
        ::chmod(path.constData(), 0700);
        if (asOtherUsers && ::chown(path.constData(), uid, uid) != 0)
            qWarning() << "Cannot give" << home + folder << "to" << uid;
    }
    return home;
}

QByteArray InstallTest::runAs(uint uid, const QString &home)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("R7_VIRTUAL_KEYBOARD"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("r7.*.debug=true"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(home);
    const QString executable = installed(QStringLiteral("bin/R7Configurator"));
    if (asOtherUsers)
        program.start(QStringLiteral("setpriv"),
                      {QStringLiteral("--reuid=%1").arg(uid), QStringLiteral("--regid=%1").arg(uid),
                       QStringLiteral("--clear-groups"), QStringLiteral("--"), executable});
    else
        program.start(executable, {});
    if (!program.waitForStarted())
        return {};
    QByteArray log;
    // The firmware check runs once the window and its interface are built.
    const bool running =
        QTest::qWaitFor(
            [&] {
                log += program.readAll();
                return log.contains("accepted") || program.state() != QProcess::Running;
            },
            60000) &&
        program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished();
    return running ? log + program.readAll() : QByteArray();
}

// Each user gets the factory profiles in a folder of their own, created on first start, and
// keeps them across starts; nothing is written into the installed files.
void InstallTest::usersKeepTheirOwnFiles()
{
    if (!asOtherUsers)
        qInfo("Not root: both users are this user with homes of their own");
    const QMap<QString, QByteArray> installedFiles = snapshot(prefix.path());
    const QString firstHome = makeHome(QStringLiteral("first"), firstUid);
    const QString dataFolder = QStringLiteral("/.local/share/R7Configurator");

    const QByteArray firstLog = runAs(firstUid, firstHome);
    QVERIFY2(!firstLog.isEmpty(), "the installed program did not start");
    QVERIFY2(!firstLog.contains("QML") && !firstLog.contains("rror"), firstLog.constData());
    const QString firstData = firstHome + dataFolder;
    const QString shipped = installed(QStringLiteral("share/R7Configurator/modules"));
    for (const QString &file :
         {QStringLiteral("setting/apConfig.bin"), QStringLiteral("setting/p1.bin"),
          QStringLiteral("setting/p5.bin"), QStringLiteral("macro/Macro. 001.bin")})
        QCOMPARE(snapshot(firstData).value(file), snapshot(shipped).value(file));
    // Shared tables stay shared, so a new version brings its own.
    QVERIFY(!QFileInfo::exists(firstData + QStringLiteral("/setting/HWDef.bin")));
    // Besides its data, the program may only cache (the interface's compiled QML) at home.
    for (const QString &file : snapshot(firstHome).keys())
        QVERIFY2(file.startsWith(dataFolder.mid(1)) || file.startsWith(QLatin1String(".cache/")),
                 qPrintable(file));

    // The user's own change survives the next start; the second user still gets the factory
    // profile.
    const QString firstProfile = firstData + QStringLiteral("/setting/p1.bin");
    {
        QFile profile(firstProfile);
        QVERIFY(profile.open(QIODevice::Append));
        profile.write("\n[keydefine9]\n0=2, 2\n");
    }
    const QByteArray changed = snapshot(firstData).value(QStringLiteral("setting/p1.bin"));
    QVERIFY(!runAs(firstUid, firstHome).isEmpty());
    QCOMPARE(snapshot(firstData).value(QStringLiteral("setting/p1.bin")), changed);

    const QString secondHome = makeHome(QStringLiteral("second"), secondUid);
    QVERIFY(!runAs(secondUid, secondHome).isEmpty());
    QCOMPARE(snapshot(secondHome + dataFolder).value(QStringLiteral("setting/p1.bin")),
             snapshot(shipped).value(QStringLiteral("setting/p1.bin")));
    if (asOtherUsers) {
        struct stat info {
        };
        const QByteArray profile =
            QFile::encodeName(secondHome + dataFolder + QStringLiteral("/setting/p1.bin"));
        QCOMPARE(::stat(profile.constData(), &info), 0);
        QCOMPARE(uint(info.st_uid), secondUid);
    }

    QCOMPARE(snapshot(prefix.path()), installedFiles);
}

// The Debian package carries the program and its sound library without their debug information,
// which is most of a RelWithDebInfo build's program.
void InstallTest::packagedBinariesAreStripped()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty())
        QSKIP("dpkg-deb is needed to unpack the package");
    QTemporaryDir output;
    QProcess cpack;
    cpack.setWorkingDirectory(QStringLiteral(R7_BUILD_DIR));
    cpack.setProcessChannelMode(QProcess::MergedChannels);
    cpack.start(QStringLiteral(R7_CPACK), {QStringLiteral("-B"), output.path()});
    QVERIFY(cpack.waitForFinished(300000));
    QVERIFY2(cpack.exitCode() == 0, cpack.readAll().constData());
    const QStringList packages = QDir(output.path()).entryList({QStringLiteral("*.deb")});
    QCOMPARE(packages.size(), 1);
    const QString unpacked = output.filePath(QStringLiteral("unpacked"));
    QCOMPARE(QProcess::execute(QStringLiteral("dpkg-deb"),
                               {QStringLiteral("-x"), output.filePath(packages.at(0)), unpacked}),
             0);

    const auto sections = [](const QString &path) {
        QFile program(path);
        return program.open(QIODevice::ReadOnly) ? program.readAll() : QByteArray();
    };
    const QByteArray debugSection(".debug_info");
    for (const QString &file : {QStringLiteral("bin/R7Configurator"), soundLibrary}) {
        QVERIFY2(sections(installed(file)).contains(debugSection), qPrintable(file));
        const QByteArray packaged = sections(unpacked + QStringLiteral("/usr/") + file);
        QVERIFY2(packaged.startsWith("\x7f"
                                     "ELF"),
                 qPrintable(file));
        QVERIFY2(!packaged.contains(debugSection), qPrintable(file));
    }
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
