#pragma once

#include <QLoggingCategory>
#include <QObject>

#include <memory>

// The program's five sounds: 0 the background track, 1 the opening sound, 2 to 4 the effects,
// each with a player of its own. Everything here runs on the GUI thread.
class SoundBank
{
public:
    static constexpr int count = 5;

    virtual ~SoundBank() = default;
    // Starts sound `index`, 0 to count - 1.
    virtual void play(int index) = 0;
    // Stops every sound.
    virtual void clearAll() = 0;
    // The player of sound `index` (a QMediaPlayer), or null for any other index.
    virtual QObject *player(int index) const = 0;
};

// What the sound library hands out. It alone links QtMultimedia, which brings the audio and codec
// libraries with it, so the program loads them for the first sound played and not at start.
class SoundBankFactory
{
public:
    virtual ~SoundBankFactory() = default;
    // The players and their outputs are children of `owner` and go with it; a sound that cannot
    // play is logged under `log`.
    virtual std::unique_ptr<SoundBank> create(QObject *owner,
                                              QMessageLogger::CategoryFunction log) = 0;
};

#define R7_SOUND_BANK_FACTORY_IID "org.r7configurator.SoundBankFactory/1"
Q_DECLARE_INTERFACE(SoundBankFactory, R7_SOUND_BANK_FACTORY_IID)
