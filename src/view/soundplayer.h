#pragma once

#include <QList>
#include <QObject>

#include <array>
#include <functional>

class QMediaPlayer;

// The program's five sounds: 0 the background track, 1 the opening sound, 2 to 4 the effects.
// Everything here runs on the GUI thread.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    // The players, made for the first sound wanted, are children of `owner` and go with it.
    explicit SoundPlayer(QObject *owner);

    // Loading the media backend takes a few hundred milliseconds and tens of megabytes: while
    // `mayLoad` says no, sounds wait, and playWaiting() plays them once it says yes.
    void setLoadGate(std::function<bool()> mayLoad);
    void playWaiting();

    // Sounds play only while enabled; the background track restarts regardless.
    void setEnabled(bool enabled) { audioEnabled = enabled; }
    void playEffect(uchar index);
    void playBackground();
    // Stops every sound, and forgets those still waiting.
    void clearAll();

    // Player 0 to 4, or null until the first sound is wanted.
    QMediaPlayer *player(int index) const;

private:
    bool playersReady();
    void createPlayers();
    void play(int index);
    void silence(QMediaPlayer *player);

    QObject *owner;
    std::function<bool()> mayLoad;
    bool audioEnabled = true;
    // Each with its own audio output.
    std::array<QMediaPlayer *, 5> players{};
    QList<int> waiting;
    // Players silenced while still loading, stopped once they have loaded.
    std::array<bool, 5> silenceWhenLoaded{};
};
