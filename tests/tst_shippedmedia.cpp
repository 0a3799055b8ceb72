// Checks the sounds and the macro folder that ship in modules/: the player only ever sees them
// through QtMultimedia and the macro store, so a broken header, a clipped or silent effect, or a
// macro folder that differs from the standard set would otherwise go unnoticed until run time.

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace
{
const QString modulesDir = QStringLiteral(R7_MODULES_DIR);
constexpr int macroSlots = 17;

QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    names.removeAll(QStringLiteral(".gitkeep"));
    return names;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint32 be32(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    QByteArray samples;
};

// Walks the RIFF chunks; nullopt when the layout is broken (sizes that overrun the file, a
// missing "fmt " or "data" chunk, a RIFF size that disagrees with the file size).
std::optional<Wave> parseWave(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    if (le32(file, 4) != quint32(file.size() - 8))
        return std::nullopt;
    Wave wave;
    bool haveFormat = false;
    bool haveData = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = le32(file, at + 4);
        const qsizetype body = at + 8;
        if (size > file.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16)
                return std::nullopt;
            wave.format = le16(file, body);
            wave.channels = le16(file, body + 2);
            wave.sampleRate = le32(file, body + 4);
            wave.byteRate = le32(file, body + 8);
            wave.blockAlign = le16(file, body + 12);
            wave.bitsPerSample = le16(file, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wave.samples = file.mid(body, size);
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    return wave;
}

struct Mp3Start {
    qsizetype frameAt = -1;
    int bitrate = 0; // kbit/s
    int sampleRate = 0;
    qint64 frames = -1; // from the Xing/Info frame, when there is one
};

// Skips an ID3v2 tag, then reads the first MPEG-1 Layer III frame header and, if that frame is
// the encoder's Xing/Info frame, the frame count it carries.
Mp3Start parseMp3Start(const QByteArray &file)
{
    Mp3Start start;
    qsizetype at = 0;
    if (file.startsWith("ID3") && file.size() >= 10) {
        const auto b = [&file](int i) { return qsizetype(uchar(file.at(i)) & 0x7F); };
        at = 10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9));
    }
    if (at + 4 > file.size())
        return start;
    const quint32 header = be32(file, at);
    const bool sync = (header & 0xFFE00000u) == 0xFFE00000u;
    const bool mpeg1 = ((header >> 19) & 3) == 3;
    const bool layer3 = ((header >> 17) & 3) == 1;
    if (!sync || !mpeg1 || !layer3)
        return start;
    static const int bitrates[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                     112, 128, 160, 192, 224, 256, 320, 0};
    static const int rates[4] = {44100, 48000, 32000, 0};
    start.frameAt = at;
    start.bitrate = bitrates[(header >> 12) & 15];
    start.sampleRate = rates[(header >> 10) & 3];
    const bool mono = ((header >> 6) & 3) == 3;
    const qsizetype tagAt = at + 4 + (mono ? 17 : 32);
    if (tagAt + 12 <= file.size()) {
        const QByteArray tag = file.mid(tagAt, 4);
        if ((tag == "Xing" || tag == "Info") && (be32(file, tagAt + 4) & 1))
            start.frames = be32(file, tagAt + 8);
    }
    return start;
}

QString standardMacroName(int number)
{
    return QStringLiteral("Macro. ") + QString::number(number).rightJustified(3, QLatin1Char('0'));
}
} // namespace

class ShippedMediaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mediaFolderHoldsTheFiveSounds()
    {
        QCOMPARE(filesIn(modulesDir + "/media"),
                 QStringList({"00.mp3", "01.wav", "02.wav", "03.wav", "04.wav"}));
    }

    void effectIsPlayablePcm_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("opening") << "01.wav" << 3.0;
        QTest::newRow("menu and page") << "02.wav" << 1.0;
        QTest::newRow("logo") << "03.wav" << 1.0;
        QTest::newRow("button") << "04.wav" << 1.0;
    }
    void effectIsPlayablePcm()
    {
        QFETCH(QString, name);
        QFETCH(double, maxSeconds);
        const QByteArray file = readFile(modulesDir + "/media/" + name);
        QVERIFY2(file.size() <= 512 * 1024, qPrintable(QString::number(file.size())));
        const std::optional<Wave> wave = parseWave(file);
        QVERIFY(wave);

        // 16-bit integer PCM is the one WAV form every QtMultimedia backend decodes.
        QCOMPARE(wave->format, quint16(1));
        QCOMPARE(wave->bitsPerSample, quint16(16));
        QVERIFY(wave->channels == 1 || wave->channels == 2);
        QVERIFY(wave->sampleRate >= 22050 && wave->sampleRate <= 48000);
        QCOMPARE(wave->blockAlign, quint16(wave->channels * 2));
        QCOMPARE(wave->byteRate, wave->sampleRate * wave->blockAlign);
        QCOMPARE(wave->samples.size() % wave->blockAlign, 0);

        const double seconds = double(wave->samples.size()) / wave->byteRate;
        QVERIFY2(seconds >= 0.02 && seconds <= maxSeconds, qPrintable(QString::number(seconds)));

        // Audible, yet with headroom: the loudest sample lies between -40 and -1 dBFS.
        int peak = 0;
        for (qsizetype at = 0; at + 1 < wave->samples.size(); at += 2)
            peak = std::max(peak, std::abs(int(qint16(le16(wave->samples, at)))));
        QVERIFY2(peak > 32767 / 100 && peak < 32767 * 89 / 100, qPrintable(QString::number(peak)));
    }

    void effectsAreDistinct()
    {
        QSet<QByteArray> sounds;
        for (const char *name : {"01.wav", "02.wav", "03.wav", "04.wav"})
            sounds.insert(readFile(modulesDir + "/media/" + name));
        QCOMPARE(sounds.size(), 4);
    }

    void backgroundIsAModestMp3()
    {
        const QByteArray file = readFile(modulesDir + "/media/00.mp3");
        QVERIFY2(file.size() > 16 * 1024 && file.size() <= 1024 * 1024,
                 qPrintable(QString::number(file.size())));
        const Mp3Start start = parseMp3Start(file);
        QVERIFY2(start.frameAt >= 0,
                 "neither an ID3 tag nor an MPEG-1 Layer III frame at the start");
        QVERIFY(start.bitrate > 0);
        QVERIFY(start.sampleRate > 0);

        // A Layer III frame holds 1152 samples; without an Info frame the track must be
        // constant bit rate, so its length follows from its size.
        const double seconds =
            start.frames >= 0 ? double(start.frames) * 1152 / start.sampleRate
                              : double(file.size() - start.frameAt) * 8 / (start.bitrate * 1000);
        QVERIFY2(seconds >= 15 && seconds <= 60, qPrintable(QString::number(seconds)));
    }

    void macroFolderHoldsTheStandardSet()
    {
        QStringList expected;
        for (int n = 1; n <= macroSlots; ++n)
            expected << standardMacroName(n) + ".bin";
        QCOMPARE(expected.first(), QString("Macro. 001.bin"));
        QCOMPARE(filesIn(modulesDir + "/macro"), expected);
    }

    void standardMacroIsBoundAndEmpty_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slot");
        for (int slot = 0; slot < macroSlots; ++slot)
            QTest::addRow("slot %d", slot) << standardMacroName(slot + 1) << slot;
    }
    void standardMacroIsBoundAndEmpty()
    {
        QFETCH(QString, name);
        QFETCH(int, slot);
        QSettings macro(modulesDir + "/macro/" + name + ".bin", QSettings::IniFormat);
        QCOMPARE(macro.status(), QSettings::NoError);
        QCOMPARE(macro.childGroups(), QStringList({"config"}));
        QCOMPARE(macro.childKeys(), QStringList());
        macro.beginGroup("config");
        QCOMPARE(macro.childKeys(), QStringList({"did", "index", "repeat", "total"}));

        const auto number = [&macro](const char *key) {
            bool ok = false;
            const int value = macro.value(key).toInt(&ok);
            return ok ? value : -999;
        };
        QCOMPARE(number("index"), slot);
        QCOMPARE(number("total"), 0);
        QCOMPARE(number("repeat"), 1);
        QCOMPARE(number("did"), -1);
    }
};

QTEST_GUILESS_MAIN(ShippedMediaTest)
#include "tst_shippedmedia.moc"
