// Replacing a file through a temporary file and a rename.

#include "storage/atomicfilecopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class AtomicFileCopyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copies_data();
    void copies();
    void failureKeepsTheTarget_data();
    void failureKeepsTheTarget();
    void ontoItself();
    void readerKeepsTheOldFile_data();
    void readerKeepsTheOldFile();
    void killLeavesTheOldOrTheNewFile_data();
    void killLeavesTheOldOrTheNewFile();
};

namespace
{
// Makes `target` hold `content` the way the row says: copied from a file beside it, or written.
bool replace(bool fromFile, const QByteArray &content, const QString &target)
{
    if (!fromFile)
        return writeFileAtomically(content, target);
    const QString source = target + QStringLiteral(".source-") + QString::number(content.size());
    if (!QFile::exists(source))
        write(source, content);
    return replaceFileAtomically(source, target);
}
} // namespace

void AtomicFileCopyTest::readerKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("byLink"); // else a handle opened before
    QTest::newRow("copy, hard link") << true << true;
    QTest::newRow("copy, open handle") << true << false;
    QTest::newRow("write, hard link") << false << true;
    QTest::newRow("write, open handle") << false << false;
}

// The new content arrives as a new file: whoever held the old one still reads the old bytes,
// which a write into the file itself would have changed under them.
void AtomicFileCopyTest::readerKeepsTheOldFile()
{
    QFETCH(bool, fromFile);
    QFETCH(bool, byLink);
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("p1.bin"));
    const QString link = folder.filePath(QStringLiteral("held"));
    write(target, "old content");
    QFile held(target);
    if (byLink)
        QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()),
                 0);
    else
        QVERIFY(held.open(QIODevice::ReadOnly));

    QVERIFY(replace(fromFile, "new", target));
    QCOMPARE(read(target), QByteArray("new"));
    QCOMPARE(byLink ? read(link) : held.readAll(), QByteArray("old content"));
}

void AtomicFileCopyTest::killLeavesTheOldOrTheNewFile_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::newRow("copy") << true;
    QTest::newRow("write") << false;
}

// A process replacing the file over and over, alternating two contents, is killed at twenty
// moments of its work: each time the file holds one of the two contents whole.
void AtomicFileCopyTest::killLeavesTheOldOrTheNewFile()
{
    QFETCH(bool, fromFile);
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("p1.bin"));
    const QByteArray first(3 * 1024 * 1024, 'a');
    const QByteArray second(2 * 1024 * 1024 + 5, 'b');
    QVERIFY(replace(fromFile, first, target));
    QVERIFY(replace(fromFile, second, target));
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                replace(fromFile, i % 2 ? first : second, target);
        }
        QThread::usleep(500 + 700 * round);
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        const QByteArray now = read(target);
        QVERIFY2(now == first || now == second,
                 qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
    }
}

void AtomicFileCopyTest::copies_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("target"); // null: no target yet

    QTest::newRow("new target") << QByteArray("[color]\nledType=1, 2\n") << QByteArray();
    QTest::newRow("over a longer file") << QByteArray("short") << QByteArray(5000, 'x');
    QTest::newRow("empty source") << QByteArray("") << QByteArray("old");
    QTest::newRow("binary, CR LF and NUL")
        << QByteArray("a\r\nb\0c\xff\x80", 8) << QByteArray("old");
    QTest::newRow("larger than a chunk") << QByteArray(200 * 1024 + 7, 'q') << QByteArray("old");
}

// Byte for byte, and nothing else left in the folder.
void AtomicFileCopyTest::copies()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);
    QTemporaryDir folder;
    const QString from = folder.filePath(QStringLiteral("from.pf"));
    const QString to = folder.filePath(QStringLiteral("p1.bin"));
    write(from, source);
    if (!target.isNull())
        write(to, target);

    QVERIFY(replaceFileAtomically(from, to));
    QCOMPARE(read(to), source);
    QCOMPARE(read(from), source);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"from.pf", "p1.bin"}));
}

void AtomicFileCopyTest::failureKeepsTheTarget_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("missing source") << "missing.pf"
                                    << "p1.bin";
    QTest::newRow("source is a folder") << "folder"
                                        << "p1.bin";
    QTest::newRow("target folder missing") << "from.pf"
                                           << "nowhere/p1.bin";
    QTest::newRow("target is a folder") << "from.pf"
                                        << "folder";
}

void AtomicFileCopyTest::failureKeepsTheTarget()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("folder"));
    write(folder.filePath(QStringLiteral("from.pf")), "new");
    write(folder.filePath(QStringLiteral("p1.bin")), "old");
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);

    QVERIFY(!replaceFileAtomically(folder.filePath(source), folder.filePath(target)));
    QCOMPARE(read(folder.filePath(QStringLiteral("p1.bin"))), QByteArray("old"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void AtomicFileCopyTest::ontoItself()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("p1.bin"));
    write(file, "same");
    QVERIFY(replaceFileAtomically(file, file));
    QVERIFY(replaceFileAtomically(folder.filePath(QStringLiteral("./p1.bin")), file));
    QCOMPARE(read(file), QByteArray("same"));
}

QTEST_GUILESS_MAIN(AtomicFileCopyTest)
#include "tst_atomicfilecopy.moc"
