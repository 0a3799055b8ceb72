#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QObject;
class SoundBank;

// The sound library as the build and the install place it, beside the program's own folder.
QString soundLibraryFile();

// The program's five sounds: 0 the background track, 1 the opening sound, 2 to 4 the effects.
// Their players come from the sound library at `library`, loaded for the first sound wanted;
// without it the program stays silent. Everything here runs on the GUI thread.
class SoundPlayer
{
public:
    // The players are children of `owner` and go with it.
    SoundPlayer(QObject *owner, QString library);
    ~SoundPlayer();

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

    // Player 0 to 4 (a QMediaPlayer), or null until the first sound is wanted.
    QObject *player(int index) const;

private:
    // Loads the library once the gate allows it; false while the gate says no, and for good once
    // the library could not be loaded.
    bool bankReady();
    void play(int index);

    QObject *owner;
    QString library;
    std::function<bool()> mayLoad;
    bool audioEnabled = true;
    std::unique_ptr<SoundBank> bank;
    // The library was tried and could not be loaded: nothing plays, and nothing waits.
    bool libraryMissing = false;
    QList<int> waiting;
};
