#include "view/myqquickview.h"

#include "backend/medialog.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

#include <utility>

namespace
{
// Sound 0 is the background track, 1 the opening sound, 2 to 4 the effects.
const char *const soundFiles[] = {"./modules/media/00.mp3", "./modules/media/01.wav",
                                  "./modules/media/02.wav", "./modules/media/03.wav",
                                  "./modules/media/04.wav"};

QUrl soundUrl(int index)
{
    // The media backend wants an absolute location; the paths are relative to the program's
    // folder, which is current.
    return QUrl::fromLocalFile(
        QFileInfo(QString::fromLatin1(soundFiles[index])).absoluteFilePath());
}
} // namespace

// Loading the media backend takes a few hundred milliseconds and tens of megabytes, so the
// players are made for the first sound actually wanted (with sound off, never), and not before
// the window has shown its first frame: a sound asked for earlier waits for it.
bool myQQuickView::mediaPlayersReady()
{
    if (mediaObjects[0])
        return true;
    if (isVisible() && !firstFrameShown)
        return false;
    createMediaPlayers();
    return true;
}

void myQQuickView::firstFrameRendered()
{
    firstFrameShown = true;
    const QList<int> waiting = std::exchange(pendingSounds, {});
    for (int index : waiting)
        playSound(index);
}

void myQQuickView::createMediaPlayers()
{
    for (size_t i = 0; i < mediaObjects.size(); ++i) {
        auto *player = new QMediaPlayer(this);
        player->setAudioOutput(new QAudioOutput(this));
        connect(player, &QMediaPlayer::errorOccurred, this,
                [i](QMediaPlayer::Error, const QString &text) {
                    qCDebug(lcMedia) << "Sound" << i << "cannot play:" << text;
                });
        connect(player, &QMediaPlayer::mediaStatusChanged, this,
                [this, i](QMediaPlayer::MediaStatus status) {
                    if (status != QMediaPlayer::LoadingMedia &&
                        std::exchange(silenceWhenLoaded[i], false))
                        silence(mediaObjects[i]);
                });
        mediaObjects[i] = player;
    }
    // The background track loops, and comes back once the opening sound is over.
    for (QMediaPlayer *player : {mediaObjects[0], mediaObjects[1]})
        connect(player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::EndOfMedia)
                        playMedia_Background();
                });
}

QMediaPlayer *myQQuickView::mediaPlayer(int index) const
{
    if (index < 0 || size_t(index) >= mediaObjects.size())
        return nullptr;
    return mediaObjects[size_t(index)];
}

void myQQuickView::setEnableAudio(bool isEnable)
{
    audioEnabled = isEnable;
}

void myQQuickView::playMedia_Index(uchar index)
{
    if (!audioEnabled || index >= mediaObjects.size())
        return;
    playSound(index);
}

void myQQuickView::playMedia_Background()
{
    playSound(0);
}

void myQQuickView::playSound(int index)
{
    if (!mediaPlayersReady()) {
        pendingSounds.append(index);
        return;
    }
    QMediaPlayer *player = mediaObjects[size_t(index)];
    // Qt's GStreamer player can deadlock when it is stopped or given a source while its decoder
    // is still setting up on a streaming thread, so a loading player is left alone: it is
    // starting this very sound from the top anyway.
    silenceWhenLoaded[size_t(index)] = false;
    if (player->mediaStatus() == QMediaPlayer::LoadingMedia)
        return;
    // Setting the source again restarts an effect that is still playing; the background track
    // only has its source replaced.
    if (index != 0) {
        player->stop();
        player->setSource(QUrl());
    }
    player->setSource(soundUrl(index));
    player->play();
}

void myQQuickView::clearAllMedia()
{
    pendingSounds.clear();
    for (size_t i = 0; i < mediaObjects.size(); ++i) {
        QMediaPlayer *player = mediaObjects[i];
        if (!player)
            continue;
        // A player still loading is silenced once it has loaded (see playSound).
        if (player->mediaStatus() == QMediaPlayer::LoadingMedia)
            silenceWhenLoaded[i] = true;
        else
            silence(player);
    }
}

// Without a source no player reaches an end, so nothing restarts.
void myQQuickView::silence(QMediaPlayer *player)
{
    player->stop();
    player->setSource(QUrl());
}
