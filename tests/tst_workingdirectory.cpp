// The program works in its own folder, wherever it was started from.

#include "storage/executabledirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class WorkingDirectoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void executableDirectory_data();
    void executableDirectory();
    void programRunsInItsOwnFolder();
};

void WorkingDirectoryTest::executableDirectory_data()
{
    QTest::addColumn<QString>("applicationFilePath");
    QTest::addColumn<QString>("directory");
    QTest::newRow("Linux") << "/opt/r7/bin/R7Configurator"
                           << "/opt/r7/bin";
    QTest::newRow("Windows, as Qt writes it") << "C:/Program Files/R7/R7Configurator.exe"
                                              << "C:/Program Files/R7";
    QTest::newRow("dots in folder names") << "/home/a.b/r7.d/R7"
                                          << "/home/a.b/r7.d";
    QTest::newRow("in the root") << "/R7Configurator"
                                 << "";
    QTest::newRow("no slash") << "R7Configurator"
                              << "R7Configurator";
}

void WorkingDirectoryTest::executableDirectory()
{
    QFETCH(QString, applicationFilePath);
    QFETCH(QString, directory);
    QCOMPARE(::executableDirectory(applicationFilePath), directory);
}

// Started from an unrelated folder, the running program's working directory is the folder of
// its executable, where modules/ lies.
void WorkingDirectoryTest::programRunsInItsOwnFolder()
{
#ifndef Q_OS_LINUX
    QSKIP("Reads the working directory of another process from /proc");
#else
    const QFileInfo program(QStringLiteral(R7_PROGRAM_PATH));
    QVERIFY(program.isExecutable());
    QVERIFY(QFileInfo(program.dir().filePath(QStringLiteral("modules"))).isDir());
    QTemporaryDir elsewhere;

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("R7_VIRTUAL_KEYBOARD"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(elsewhere.path());
    process.start(program.filePath(), {});
    QVERIFY(process.waitForStarted());

    const QString cwdLink = QStringLiteral("/proc/%1/cwd").arg(process.processId());
    const QString expected = program.dir().canonicalPath();
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(cwdLink).symLinkTarget(), expected, 10000);
    QVERIFY(process.state() == QProcess::Running);

    process.kill();
    process.waitForFinished();
#endif
}

QTEST_MAIN(WorkingDirectoryTest)
#include "tst_workingdirectory.moc"
