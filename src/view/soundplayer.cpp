#include "view/soundplayer.h"

#include "view/medialog.h"

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

SoundPlayer::SoundPlayer(QObject *playerOwner) : owner(playerOwner) {}

void SoundPlayer::setLoadGate(std::function<bool()> gate)
{
    mayLoad = std::move(gate);
}

bool SoundPlayer::playersReady()
{
    if (players[0])
        return true;
    if (mayLoad && !mayLoad())
        return false;
    createPlayers();
    return true;
}

void SoundPlayer::playWaiting()
{
    const QList<int> sounds = std::exchange(waiting, {});
    for (int index : sounds)
        play(index);
}

void SoundPlayer::createPlayers()
{
    for (size_t i = 0; i < players.size(); ++i) {
        auto *player = new QMediaPlayer(owner);
        player->setAudioOutput(new QAudioOutput(owner));
        connect(player, &QMediaPlayer::errorOccurred, this,
                [i](QMediaPlayer::Error, const QString &text) {
                    qCDebug(lcMedia) << "Sound" << i << "cannot play:" << text;
                });
        connect(player, &QMediaPlayer::mediaStatusChanged, this,
                [this, i](QMediaPlayer::MediaStatus status) {
                    if (status != QMediaPlayer::LoadingMedia &&
                        std::exchange(silenceWhenLoaded[i], false))
                        silence(players[i]);
                });
        players[i] = player;
    }
    // The background track loops, and comes back once the opening sound is over.
    for (QMediaPlayer *player : {players[0], players[1]})
        connect(player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::EndOfMedia)
                        playBackground();
                });
}

QMediaPlayer *SoundPlayer::player(int index) const
{
    if (index < 0 || size_t(index) >= players.size())
        return nullptr;
    return players[size_t(index)];
}

void SoundPlayer::playEffect(uchar index)
{
    if (!audioEnabled || index >= players.size())
        return;
    play(index);
}

void SoundPlayer::playBackground()
{
    play(0);
}

void SoundPlayer::play(int index)
{
    if (!playersReady()) {
        waiting.append(index);
        return;
    }
    QMediaPlayer *player = players[size_t(index)];
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

void SoundPlayer::clearAll()
{
    waiting.clear();
    for (size_t i = 0; i < players.size(); ++i) {
        QMediaPlayer *player = players[i];
        if (!player)
            continue;
        // A player still loading is silenced once it has loaded (see play).
        if (player->mediaStatus() == QMediaPlayer::LoadingMedia)
            silenceWhenLoaded[i] = true;
        else
            silence(player);
    }
}

// Without a source no player reaches an end, so nothing restarts.
void SoundPlayer::silence(QMediaPlayer *player)
{
    player->stop();
    player->setSource(QUrl());
}
