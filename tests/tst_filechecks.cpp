// Files from outside can never break the program: imports and stored files pass the strict
// reader first, one instance runs per installation, and what a killed run leaves is cleaned up.

#include "app/singleinstance.h"
#include "app/widget.h"
#include "runningprogram.h"
#include "storage/leftoverfiles.h"
#include "storage/strictsettingsreader.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(FileRefusal)
Q_DECLARE_METATYPE(SettingsKind)

namespace
{
QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// A value "@Variant(" holding `depth` nested lists, as QSettings stores a QVariant: the
// QDataStream bytes of version Qt_4_0 (type 9, a list, one element; innermost the int 0),
// written with INI escapes. QSettings' reader would recurse once per level.
QByteArray nestedVariant(int depth)
{
    QByteArray value("@Variant(");
    for (int level = 0; level < depth; ++level)
        value += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    value += "\\0\\0\\0\\x2\\0\\0\\0\\0)";
    return value;
}

// Sixteen million numbers: 48 MB that QSettings would read whole into memory.
QByteArray hugeList()
{
    return QByteArray("0, ").repeated(16'000'000);
}

QByteArray junk()
{
    QByteArray bytes;
    quint32 state = 7;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes += char(state >> 24);
    }
    return bytes;
}

QByteArray numbers(int count)
{
    QByteArrayList list;
    for (int i = 0; i < count; ++i)
        list += QByteArray::number(i % 256);
    return list.join(", ");
}

const QByteArray macroConfig("[config]\nindex=-1\ntotal=1\nrepeat=1\ndid=-1\n");

// Every damaged shape, as a profile and as a macro, with the reason it is refused for.
struct Shape {
    const char *name;
    std::function<QByteArray()> profile;
    FileRefusal profileRefusal;
    std::function<QByteArray()> macro;
    FileRefusal macroRefusal;
};

const std::vector<Shape> &shapes()
{
    static const std::vector<Shape> all{
        {"nested variant", [] { return "[color]\nledType=" + nestedVariant(30000) + "\n"; },
         FileRefusal::Encoded, [] { return "[config]\ntotal=" + nestedVariant(30000) + "\n"; },
         FileRefusal::Encoded},
        {"48 MB list", [] { return "[color]\nledType=" + hugeList() + "0\n"; },
         FileRefusal::TooLarge, [] { return "[macro]\n0=" + hugeList() + "0\n"; },
         FileRefusal::TooLarge},
        {"truncated", [] { return QByteArray("[color]\nledType=2, 63, 4"); }, FileRefusal::BadValue,
         [] { return macroConfig + "[macro]\n0=\",    [Do"; }, FileRefusal::NotText},
        {"binary junk", junk, FileRefusal::NotText, junk, FileRefusal::NotText},
        {"every key missing", [] { return QByteArray("[color]\n\n[userPicture]\n"); },
         FileRefusal::NoKnownKey, [] { return QByteArray("[config]\n\n[macro]\n"); },
         FileRefusal::NoKnownKey},
        {"list too short", [] { return "[color]\ncolor=" + numbers(20) + "\n"; },
         FileRefusal::BadValue, [] { return QByteArray("[config]\nindex=\ntotal=0\n"); },
         FileRefusal::BadValue},
        {"list too long", [] { return "[userPicture]\n0=" + numbers(513) + "\n"; },
         FileRefusal::BadValue, [] { return QByteArray("[config]\nindex=-1\nrepeat=1, 2\n"); },
         FileRefusal::BadValue},
        {"unknown key", [] { return "[keydefine1]\n0=4, 0\n\n[evil]\nx=1\n"; },
         FileRefusal::UnknownKey, [] { return macroConfig + "[macro]\n0=A    [Down]\nx=1\n"; },
         FileRefusal::UnknownKey},
    };
    return all;
}

// Every file of the program's data folders with its content.
QMap<QString, QByteArray> dataFiles(const TestWorkspace &workspace)
{
    QMap<QString, QByteArray> files;
    for (const char *folder : {"modules/setting", "modules/macro"}) {
        QDirIterator it(workspace.path(QLatin1String(folder)), QDir::Files | QDir::Hidden);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, read(path));
        }
    }
    return files;
}

// Chooses `source` in the next file dialog and returns the text of the message box that
// follows, closing it.
void chooseFileAndReadTheAnswer(const QString &source, QString *answer)
{
    onNextModal([source, answer](QWidget *modal) {
        onNextModal([answer](QWidget *box) {
            if (auto *message = qobject_cast<QMessageBox *>(box))
                *answer = message->text();
            static_cast<QDialog *>(box)->accept();
        });
        // Typed, not selected: a selection waits for the dialog's folder listing.
        auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(qobject_cast<QFileDialog *>(modal) && name);
        name->setText(source);
        static_cast<QDialog *>(modal)->accept();
    });
}

const QString firstMacro = QStringLiteral("Macro. 001");
} // namespace

class FileChecksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void theProgramsOwnFilesPass();
    void readerFollowsQtsDecoding_data();
    void readerFollowsQtsDecoding();
    void refusedImports_data();
    void refusedImports();
    void damagedStoredFilesAreSetAside();
    void leftoversOfAKilledRunAreRemoved();
    void secondStartShowsTheFirstWindow();

private:
    // The program the import rows share; it goes when another test starts.
    std::unique_ptr<Program> importer;
};

void FileChecksTest::init()
{
    if (QTest::currentTestFunction() != QByteArray("refusedImports"))
        importer.reset();
}

// What the program writes through its own slots, and the shipped files, pass its reader.
void FileChecksTest::theProgramsOwnFilesPass()
{
    TestWorkspace workspace;
    workspace.writeSetting(QStringLiteral("HWDef.bin"), {{QStringLiteral("common/maxProfile"), 1},
                                                         {QStringLiteral("common/maxMacro"), 1}});
    {
        myQQuickView view;
        view.ui_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
        QVariantList values;
        for (int i = 0; i < 512; ++i)
            values.append(i % 256);
        view.ui_12H_SetUserPicture(4, 255, values);
        view.ui_30H_SetColor(values.mid(0, 21));
        view.ui_0C0DH_SetKeyMatrix(values.mid(0, 256));
        view.saveApConfig({1, 2, true, QStringLiteral("file:///home/a, b/c=d;e.png"),
                           QStringLiteral("@home"), QString(), QStringLiteral("\"quoted\"")});
        view.setGlobalInt(QStringLiteral("macro/12"), QStringLiteral("Macro. 001"));
        view.setGlobalInt(QStringLiteral("macro/13"), QVariantList());
        view.initMacroIni(1);
        QVERIFY(view.saveMacroIni(firstMacro,
                                  {QStringLiteral(",    [Down]"), QStringLiteral("\"      [Up]"),
                                   QStringLiteral(";    [Down]"), QStringLiteral("@      [Up]"),
                                   QStringLiteral("1000   [Delay]")})
                    .toBool());
    }
    const QList<QPair<QString, SettingsKind>> files{
        {workspace.path(QStringLiteral("modules/setting/p1.bin")), SettingsKind::Profile},
        {workspace.path(QStringLiteral("modules/setting/apConfig.bin")), SettingsKind::ApConfig},
        {workspace.path(QStringLiteral("modules/macro/Macro. 001.bin")), SettingsKind::Macro},
        {QStringLiteral(R7_MODULES_DIR "/setting/pD.bin"), SettingsKind::Profile},
        {QStringLiteral(R7_MODULES_DIR "/setting/p1.bin"), SettingsKind::Profile},
        {QStringLiteral(R7_MODULES_DIR "/setting/apConfig.bin"), SettingsKind::ApConfig},
        {QStringLiteral(R7_MODULES_DIR "/setting/apConfigD.bin"), SettingsKind::ApConfig},
        {QStringLiteral(R7_MODULES_DIR "/macro/Macro. 017.bin"), SettingsKind::Macro},
    };
    for (const auto &[path, kind] : files) {
        const CheckedFile checked = readCheckedFile(path, kind);
        QVERIFY2(checked.check.accepted(),
                 qPrintable(path + QStringLiteral(": ") + refusalName(checked.check.refusal) +
                            QStringLiteral(" at line ") + QString::number(checked.check.line)));
    }
}

// Where QSettings would decode a value into something else than plain text, the reader refuses.
void FileChecksTest::readerFollowsQtsDecoding_data()
{
    QTest::addColumn<SettingsKind>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<FileRefusal>("refusal");
    const auto macro = [](const QByteArray &step) { return macroConfig + "[macro]\n0=" + step; };
    QTest::newRow("quoted encoding")
        << SettingsKind::Macro << macro("\"@ByteArray(x)\"") << FileRefusal::Encoded;
    QTest::newRow("encoding after blanks")
        << SettingsKind::ApConfig << QByteArray("[common]\n0=   @Variant(\\0)")
        << FileRefusal::Encoded;
    QTest::newRow("encoded list element")
        << SettingsKind::ApConfig << QByteArray("[x]\ny=a, @Rect(1 2 3 4)") << FileRefusal::Encoded;
    QTest::newRow("escaped at sign")
        << SettingsKind::Macro << macro("@@Variant(x)") << FileRefusal::None;
    QTest::newRow("empty list") << SettingsKind::ApConfig << QByteArray("[x]\ny=@Invalid()")
                                << FileRefusal::None;
    QTest::newRow("hex escape") << SettingsKind::Macro << macro("\\x40Variant(x)")
                                << FileRefusal::NotText;
    QTest::newRow("continued line")
        << SettingsKind::Macro << macro("A\\\n    [Down]") << FileRefusal::NotText;
    QTest::newRow("comment after a value")
        << SettingsKind::Macro << macro("A    [Down];@Variant(") << FileRefusal::NotText;
    QTest::newRow("indented section")
        << SettingsKind::Profile << QByteArray("[color]\n  [sensor]\nreportRate_R8=1\n")
        << FileRefusal::NotText;
    QTest::newRow("key before any section")
        << SettingsKind::Profile << QByteArray("reportRate_R8=1\n") << FileRefusal::UnknownKey;
    QTest::newRow("escaped section name")
        << SettingsKind::Profile << QByteArray("[c%6Flor]\nledType=1,2,3,4,5,6,7\n")
        << FileRefusal::UnknownKey;
    QTest::newRow("byte out of range")
        << SettingsKind::Profile << QByteArray("[keydefine1]\n127=256, 0\n")
        << FileRefusal::BadValue;
    QTest::newRow("comment, byte order mark, CRLF")
        << SettingsKind::Profile
        << QByteArray("\xEF\xBB\xBF; mine\r\n[sensor]\r\nreportRate_R8=3\r\n") << FileRefusal::None;
}

void FileChecksTest::readerFollowsQtsDecoding()
{
    QFETCH(SettingsKind, kind);
    QFETCH(QByteArray, content);
    QFETCH(FileRefusal, refusal);
    QCOMPARE(checkSettingsText(content, kind).refusal, refusal);
}

void FileChecksTest::refusedImports_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("isProfile");
    for (size_t i = 0; i < shapes().size(); ++i) {
        QTest::addRow("profile, %s", shapes()[i].name) << int(i) << true;
        QTest::addRow("macro, %s", shapes()[i].name) << int(i) << false;
    }
}

// Chosen in the import dialog, each damaged file is refused with the message for its reason,
// and no file of the program changes.
void FileChecksTest::refusedImports()
{
    QFETCH(int, shape);
    QFETCH(bool, isProfile);
    if (!importer)
        importer = std::make_unique<Program>();
    Program *program = importer.get();
    // The start writes the keyboard's lighting into the profile; the rows compare after it.
    QTRY_VERIFY_WITH_TIMEOUT(program->started(), 30000);
    const Shape &damaged = shapes()[size_t(shape)];
    const QString source = program->workspace.path(isProfile ? QStringLiteral("shared.pf")
                                                             : QStringLiteral("shared.mc"));
    write(source, isProfile ? damaged.profile() : damaged.macro());
    const FileRefusal refusal = isProfile ? damaged.profileRefusal : damaged.macroRefusal;
    const QMap<QString, QByteArray> before = dataFiles(program->workspace);

    QString answer;
    chooseFileAndReadTheAnswer(source, &answer);
    if (isProfile)
        program->view()->loadProfile(0);
    else
        program->view()->loadMacroIniFromFile(firstMacro);
    QFile::remove(source);

    const QStringList &messages = program->view()->messageTexts();
    const QString reason = messages.value(21 + int(refusal) - int(FileRefusal::Unreadable));
    QVERIFY(!reason.isEmpty());
    QCOMPARE(answer, reason + QStringLiteral("\n\n") + QDir::toNativeSeparators(source));
    QVERIFY(dataFiles(program->workspace) == before);
}

// A damaged file among the stored ones is set aside under a name the user can find, its
// factory file takes its place, the user is told once, and the program runs.
void FileChecksTest::damagedStoredFilesAreSetAside()
{
    QStringList damagedFiles;
    QMap<QString, QByteArray> damagedContent;
    QString answer;
    onNextModal([&answer](QWidget *box) {
        if (auto *message = qobject_cast<QMessageBox *>(box))
            answer = message->text();
        static_cast<QDialog *>(box)->accept();
    });
    Program program(fastSpeed, [&](const TestWorkspace &workspace) {
        QSettings(workspace.path(QStringLiteral("modules/setting/HWDef.bin")), QSettings::IniFormat)
            .setValue(QStringLiteral("common/maxProfile"), 10);
        const auto place = [&](const QString &relative, const QByteArray &content) {
            const QString path = workspace.path(relative);
            write(path, content);
            damagedFiles.append(path);
            damagedContent.insert(path, content.size() < 1'000'000 ? content : QByteArray());
        };
        for (size_t i = 0; i < shapes().size(); ++i) {
            place(QStringLiteral("modules/setting/p%1.bin").arg(i + 1), shapes()[i].profile());
            place(QStringLiteral("modules/macro/Macro. 00%1.bin").arg(i + 1), shapes()[i].macro());
        }
        place(QStringLiteral("modules/setting/apConfig.bin"),
              "[common]\ntotal=1\n0=" + nestedVariant(30000) + "\n");
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.started(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!answer.isEmpty(), 30000);

    const QString setting = program.workspace.path(QStringLiteral("modules/setting/"));
    // The start writes the keyboard's lighting into the active profile; the pictures stay.
    const auto picture = [](const QString &profile) {
        return QSettings(profile, QSettings::IniFormat).value(QStringLiteral("userPicture/3"));
    };
    const QVariant factoryPicture = picture(setting + QStringLiteral("pD.bin"));
    QCOMPARE(factoryPicture.toStringList().size(), 512);
    for (const QString &file : std::as_const(damagedFiles)) {
        const QString setAside = file + QStringLiteral(".damaged");
        QVERIFY2(QFileInfo::exists(setAside), qPrintable(setAside));
        if (!damagedContent.value(file).isEmpty())
            QCOMPARE(read(setAside), damagedContent.value(file));
        QVERIFY(answer.contains(QDir::toNativeSeparators(QFileInfo(setAside).fileName())));
        if (file.endsWith(QLatin1String("apConfig.bin")))
            QCOMPARE(read(file), read(setting + QStringLiteral("apConfigD.bin")));
        else if (file.contains(QLatin1String("/setting/")))
            QCOMPARE(picture(file), factoryPicture);
        else
            QCOMPARE(program.view()->loadMacroIniConfig(QFileInfo(file).completeBaseName()),
                     (QVariantList{-1, 1}));
    }
    QCOMPARE(answer.count(QLatin1String(".damaged")), damagedFiles.size());
    QVERIFY(QFileInfo(setting + QStringLiteral("p2.bin.damaged")).size() > 48'000'000);
}

// An empty settings lock and a temporary copy left by a killed run are gone once the program
// holds its instance lock, so the first write does not wait for the lock to age.
void FileChecksTest::leftoversOfAKilledRunAreRemoved()
{
    TestWorkspace workspace;
    workspace.writeSetting(QStringLiteral("HWDef.bin"), {{QStringLiteral("common/maxProfile"), 1}});
    const QStringList leftovers{QStringLiteral("modules/setting/p1.bin.lock"),
                                QStringLiteral("modules/setting/p1.bin.Xy12Ab"),
                                QStringLiteral("modules/macro/Macro. 001.bin.lock")};
    const QStringList kept{QStringLiteral("modules/setting/p1.bin.damaged"),
                           QStringLiteral("modules/setting/p1.bin.Xy_2Ab"),
                           QStringLiteral("modules/setting/.bin.lock"),
                           QStringLiteral("modules/setting/notes.txt.lock"),
                           QStringLiteral("modules/macro/Macro. 001.bin")};
    for (const QString &file : leftovers + kept)
        workspace.writeFile(file,
                            file.endsWith(QLatin1String(".lock")) ? "" : "[config]\nindex=-1\n");

    SingleInstance instance(workspace.path(QStringLiteral("modules")));
    QVERIFY(instance.acquire());
    removeLeftoverFiles();
    for (const QString &file : leftovers)
        QVERIFY2(!QFileInfo::exists(workspace.path(file)), qPrintable(file));
    for (const QString &file : kept)
        QVERIFY2(QFileInfo::exists(workspace.path(file)), qPrintable(file));

    myQQuickView view;
    view.ui_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
    view.backend().profiles().profileAt(0)->sync();
    QCOMPARE(view.backend().profiles().profileAt(0)->status(), QSettings::NoError);
    QVERIFY(read(workspace.path(QStringLiteral("modules/setting/p1.bin")))
                .contains("ledType=1, 2, 3, 4, 5, 6, 7"));
}

// A second start of the same installation shows the running window and ends at once.
void FileChecksTest::secondStartShowsTheFirstWindow()
{
#ifndef Q_OS_LINUX
    QSKIP("Starts a copy of the program from a folder of its own");
#else
    Program program;
    // The running program is the test's; the copy beside its modules/ folder is the second start.
    const QString copy = program.workspace.path(QStringLiteral("R7Configurator"));
    QVERIFY(QFile::copy(QStringLiteral(R7_PROGRAM_PATH), copy));
    SingleInstance instance(program.workspace.path(QStringLiteral("modules")));
    QVERIFY(instance.acquire());
    QObject::connect(&instance, &SingleInstance::activationRequested, program.widget.get(),
                     &Widget::bringToFront);
    QSignalSpy requests(&instance, &SingleInstance::activationRequested);
    program.widget->showMinimized();
    QTRY_VERIFY(program.widget->windowState() & Qt::WindowMinimized);

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.start(copy, {});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 30000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 1, 10000);
    QVERIFY(!(program.widget->windowState() & Qt::WindowMinimized));
    QVERIFY(program.widget->isVisible());
#endif
}

QTEST_MAIN(FileChecksTest)
#include "tst_filechecks.moc"
