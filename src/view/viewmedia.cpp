#include "view/myqquickview.h"

#include "view/medialog.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

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

void myQQuickView::createMediaPlayers()
{
    for (size_t i = 0; i < mediaObjects.size(); ++i) {
        auto *player = new QMediaPlayer(this);
        player->setAudioOutput(new QAudioOutput(this));
        connect(player, &QMediaPlayer::errorOccurred, this,
                [i](QMediaPlayer::Error, const QString &text) {
                    qCDebug(lcMedia) << "Sound" << i << "cannot play:" << text;
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
    if (!audioEnabled)
        return;
    if (index == 0) {
        playMedia_Background();
        return;
    }
    if (index >= mediaObjects.size())
        return;
    QMediaPlayer *player = mediaObjects[index];
    // Setting the source again restarts an effect that is still playing.
    player->stop();
    player->setSource(QUrl());
    player->setSource(soundUrl(index));
    player->play();
}

void myQQuickView::playMedia_Background()
{
    QMediaPlayer *player = mediaObjects[0];
    player->setSource(soundUrl(0));
    player->play();
}

void myQQuickView::clearAllMedia()
{
    // Without a source no player reaches an end, so nothing restarts.
    for (QMediaPlayer *player : mediaObjects) {
        player->stop();
        player->setSource(QUrl());
    }
}
