#pragma once

#include "sound/soundbank.h"

#include <QObject>

#include <array>

class QMediaPlayer;

// The sounds played with QtMultimedia, from ./modules/media/ in the program's folder, which is
// current.
class MediaSoundBank : public QObject, public SoundBank
{
    Q_OBJECT

public:
    MediaSoundBank(QObject *owner, QMessageLogger::CategoryFunction log);

    void play(int index) override;
    void clearAll() override;
    QObject *player(int index) const override;

private:
    void silence(QMediaPlayer *player);

    // Each with its own audio output.
    std::array<QMediaPlayer *, count> players{};
    // Players silenced while still loading, stopped once they have loaded.
    std::array<bool, count> silenceWhenLoaded{};
};
