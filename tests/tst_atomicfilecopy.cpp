// Replacing a file through a temporary file and a rename.

#include "storage/atomicfilecopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
};

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
