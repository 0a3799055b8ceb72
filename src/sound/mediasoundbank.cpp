#include "sound/mediasoundbank.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

#include <utility>

namespace
{
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

MediaSoundBank::MediaSoundBank(QObject *owner, QMessageLogger::CategoryFunction log)
{
    for (size_t i = 0; i < players.size(); ++i) {
        auto *player = new QMediaPlayer(owner);
        player->setAudioOutput(new QAudioOutput(owner));
        connect(player, &QMediaPlayer::errorOccurred, this,
                [log, i](QMediaPlayer::Error, const QString &text) {
                    qCDebug(log) << "Sound" << i << "cannot play:" << text;
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
                        play(0);
                });
}

QObject *MediaSoundBank::player(int index) const
{
    if (index < 0 || size_t(index) >= players.size())
        return nullptr;
    return players[size_t(index)];
}

void MediaSoundBank::play(int index)
{
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

void MediaSoundBank::clearAll()
{
    for (size_t i = 0; i < players.size(); ++i) {
        QMediaPlayer *player = players[i];
        // A player still loading is silenced once it has loaded (see play).
        if (player->mediaStatus() == QMediaPlayer::LoadingMedia)
            silenceWhenLoaded[i] = true;
        else
            silence(player);
    }
}

// Without a source no player reaches an end, so nothing restarts.
void MediaSoundBank::silence(QMediaPlayer *player)
{
    player->stop();
    player->setSource(QUrl());
}
