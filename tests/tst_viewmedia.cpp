// The interface sounds, watched on the players' state so that no sound card is needed, and the
// launch of the firmware updater.

#include "devicefixture.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QAudioOutput>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>

#include <memory>

namespace
{
const char *const soundFiles[] = {"00.mp3", "01.wav", "02.wav", "03.wav", "04.wav"};

// A mono 16-bit WAV of silence.
QByteArray silence(int milliseconds)
{
    constexpr quint32 rate = 8000;
    const quint32 dataBytes = rate * 2 * quint32(milliseconds) / 1000;
    QByteArray wav;
    auto u32 = [&wav](quint32 v) {
        for (int i = 0; i < 4; ++i)
            wav.append(char((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&wav](quint16 v) {
        wav.append(char(v & 0xFF));
        wav.append(char(v >> 8));
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    wav.append(QByteArray(int(dataBytes), '\0'));
    return wav;
}

QUrl soundUrl(int index)
{
    return QUrl::fromLocalFile(
        QFileInfo(QStringLiteral("./modules/media/") + soundFiles[index]).absoluteFilePath());
}
} // namespace

class ViewMediaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void playersHaveTheirOwnOutputs();
    void effectsPlayTheirOwnFile_data();
    void effectsPlayTheirOwnFile();
    void disabledAudioPlaysNoIndex_data();
    void disabledAudioPlaysNoIndex();
    void disabledAudioStillPlaysTheBackground();
    void disablingDoesNotStopTheBackground();
    void indexesAboveFourDoNothing_data();
    void indexesAboveFourDoNothing();
    void backgroundRestartsAtItsEnd();
    void backgroundFollowsTheOpeningSound();
    void clearAllMediaStopsTheRestart();
    void soundsWaitForTheFirstFrame();
    void withoutTheLibraryNothingPlays();
    void updaterLaunchStopsTheWorker();
    void updaterIsStartedWhenPresent();

private:
    QMediaPlayer *player(int index) const
    {
        return qobject_cast<QMediaPlayer *>(view->soundPlayer().player(index));
    }
    bool silent(int index) const
    {
        return !player(index) || (player(index)->playbackState() == QMediaPlayer::StoppedState &&
                                  player(index)->source().isEmpty());
    }
    // Waits until `index` has played to its end `times` times.
    bool endsOf(int index, int times);

    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<myQQuickView> view;
};

void ViewMediaTest::init()
{
    workspace = std::make_unique<TestWorkspace>();
    workspace->writeFile(QStringLiteral("modules/media/00.mp3"), silence(300));
    for (int i = 1; i < 5; ++i)
        workspace->writeFile(QStringLiteral("modules/media/") + soundFiles[i], silence(150));
    view = std::make_unique<myQQuickView>();
}

void ViewMediaTest::cleanup()
{
    view.reset();
    workspace.reset();
}

bool ViewMediaTest::endsOf(int index, int times)
{
    int ends = 0;
    const QMetaObject::Connection watch = connect(
        player(index), &QMediaPlayer::mediaStatusChanged, this,
        [&ends](QMediaPlayer::MediaStatus status) { ends += status == QMediaPlayer::EndOfMedia; });
    const bool reached = QTest::qWaitFor([&ends, times] { return ends >= times; }, 10000);
    disconnect(watch);
    return reached;
}

// The media backend is loaded for the first sound wanted, not before.
void ViewMediaTest::playersHaveTheirOwnOutputs()
{
    view->setEnableAudio(false);
    view->playMedia_Index(2);
    view->clearAllMedia();
    QVERIFY(view->findChildren<QMediaPlayer *>().isEmpty());

    view->setEnableAudio(true);
    view->playMedia_Index(2);
    view->clearAllMedia();
    QSet<QAudioOutput *> outputs;
    for (int i = 0; i < 5; ++i) {
        QVERIFY(player(i));
        QVERIFY(player(i)->audioOutput());
        QCOMPARE(player(i)->parent(), view.get());
        outputs.insert(player(i)->audioOutput());
        QTRY_VERIFY(silent(i));
    }
    QCOMPARE(outputs.size(), 5);
    QCOMPARE(view->soundPlayer().player(5), nullptr);
}

void ViewMediaTest::effectsPlayTheirOwnFile_data()
{
    QTest::addColumn<int>("index");
    for (int i = 1; i < 5; ++i)
        QTest::addRow("%d", i) << i;
}

void ViewMediaTest::effectsPlayTheirOwnFile()
{
    QFETCH(int, index);
    view->playMedia_Index(uchar(index));
    QCOMPARE(player(index)->source(), soundUrl(index));
    QCOMPARE(player(index)->playbackState(), QMediaPlayer::PlayingState);
    for (int other = 0; other < 5; ++other)
        if (other != index)
            QVERIFY(silent(other));

    // Asked again while it plays, it starts over; while it is still loading, it is starting
    // anyway and is left alone.
    view->playMedia_Index(uchar(index));
    QCOMPARE(player(index)->source(), soundUrl(index));
    QTRY_VERIFY(player(index)->mediaStatus() != QMediaPlayer::LoadingMedia);
    QSignalSpy stops(player(index), &QMediaPlayer::playbackStateChanged);
    view->playMedia_Index(uchar(index));
    QCOMPARE(player(index)->playbackState(), QMediaPlayer::PlayingState);
    QList<QMediaPlayer::PlaybackState> states;
    for (const QList<QVariant> &change : stops)
        states.append(change.at(0).value<QMediaPlayer::PlaybackState>());
    QCOMPARE(states, (QList<QMediaPlayer::PlaybackState>{QMediaPlayer::StoppedState,
                                                         QMediaPlayer::PlayingState}));
}

void ViewMediaTest::disabledAudioPlaysNoIndex_data()
{
    effectsPlayTheirOwnFile_data();
    QTest::newRow("0") << 0;
}

void ViewMediaTest::disabledAudioPlaysNoIndex()
{
    QFETCH(int, index);
    view->setEnableAudio(false);
    view->playMedia_Index(uchar(index));
    for (int i = 0; i < 5; ++i)
        QVERIFY(silent(i));
}

void ViewMediaTest::disabledAudioStillPlaysTheBackground()
{
    view->setEnableAudio(false);
    view->playMedia_Background();
    QCOMPARE(player(0)->source(), soundUrl(0));
    QCOMPARE(player(0)->playbackState(), QMediaPlayer::PlayingState);
    QVERIFY(endsOf(0, 2));
}

void ViewMediaTest::disablingDoesNotStopTheBackground()
{
    view->playMedia_Index(0);
    QCOMPARE(player(0)->source(), soundUrl(0));
    view->setEnableAudio(false);
    QCOMPARE(player(0)->playbackState(), QMediaPlayer::PlayingState);
}

void ViewMediaTest::indexesAboveFourDoNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("5") << 5;
    QTest::newRow("255") << 255;
}

void ViewMediaTest::indexesAboveFourDoNothing()
{
    QFETCH(int, index);
    view->playMedia_Index(uchar(index));
    for (int i = 0; i < 5; ++i)
        QVERIFY(silent(i));
}

void ViewMediaTest::backgroundRestartsAtItsEnd()
{
    view->playMedia_Index(0);
    QVERIFY(endsOf(0, 2));
    QCOMPARE(player(0)->source(), soundUrl(0));
    QTRY_COMPARE(player(0)->playbackState(), QMediaPlayer::PlayingState);
}

void ViewMediaTest::backgroundFollowsTheOpeningSound()
{
    view->playMedia_Index(1);
    QVERIFY(silent(0));
    QVERIFY(endsOf(1, 1));
    QCOMPARE(player(0)->source(), soundUrl(0));
    QTRY_COMPARE(player(0)->playbackState(), QMediaPlayer::PlayingState);
}

void ViewMediaTest::clearAllMediaStopsTheRestart()
{
    view->playMedia_Background();
    for (int i = 1; i < 5; ++i)
        view->playMedia_Index(uchar(i));
    // Players still loading are silenced once they have loaded.
    view->clearAllMedia();
    for (int i = 0; i < 5; ++i)
        QTRY_VERIFY(silent(i));
    // Longer than the track and the opening sound: neither comes back by itself.
    QTest::qWait(600);
    for (int i = 0; i < 5; ++i)
        QVERIFY(silent(i));
}

// The window's first picture never waits for the media backend: a sound asked for before it
// plays once it is out, unless everything was silenced meanwhile.
void ViewMediaTest::soundsWaitForTheFirstFrame()
{
    view->resize(200, 100);
    view->show();
    view->playMedia_Index(1);
    view->playMedia_Index(3);
    view->clearAllMedia();
    view->playMedia_Index(1);
    QVERIFY(view->findChildren<QMediaPlayer *>().isEmpty());

    QTRY_COMPARE(player(1) ? player(1)->playbackState() : QMediaPlayer::StoppedState,
                 QMediaPlayer::PlayingState);
    QCOMPARE(player(1)->source(), soundUrl(1));
    QVERIFY(silent(3));
}

// Without the sound library the program stays silent, and says why once.
void ViewMediaTest::withoutTheLibraryNothingPlays()
{
    QObject owner;
    SoundPlayer sounds(&owner, workspace->path(QStringLiteral("r7sound.so")));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral(
                             "^No sounds: the sound library .*/r7sound.so cannot be loaded: ")));
    QTest::failOnWarning(QRegularExpression());
    sounds.playBackground();
    sounds.playEffect(2);
    sounds.playWaiting();
    sounds.clearAll();
    sounds.playEffect(3);
    QCOMPARE(sounds.player(0), nullptr);
    QVERIFY(owner.children().isEmpty());
}

void ViewMediaTest::updaterLaunchStopsTheWorker()
{
    DeviceFixture device;
    view->setHidThread(&device.hid);
    device.hid.swichCurDevice(0);
    QVERIFY(device.hid.isWorkerRunning());

    QElapsedTimer clock;
    clock.start();
    view->openUpdateExe();
    QVERIFY(clock.elapsed() >= 500);
    QVERIFY(!device.hid.isWorkerRunning());
    QCOMPARE(view->findChildren<QProcess *>().size(), 0);
}

void ViewMediaTest::updaterIsStartedWhenPresent()
{
#ifdef Q_OS_WIN
    QSKIP("The stand-in updater is a shell script");
#endif
    const QString updater = workspace->path(QStringLiteral("modules/update/flashOnLine.exe"));
    workspace->writeFile(QStringLiteral("modules/update/flashOnLine.exe"),
                         "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
    QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner);

    view->openUpdateExe();

    QCOMPARE(view->findChildren<QProcess *>().size(), 1);
    QTRY_VERIFY(QFile::exists(workspace->path(QStringLiteral("modules/update/started"))));
}

QTEST_MAIN(ViewMediaTest)
#include "tst_viewmedia.moc"
