#include "view/soundplayer.h"

#include "sound/soundbank.h"
#include "view/medialog.h"

#include <QCoreApplication>
#include <QPluginLoader>

#include <utility>

QString soundLibraryFile()
{
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/" R7_SOUND_LIBRARY_FROM_EXECUTABLE);
}

SoundPlayer::SoundPlayer(QObject *playerOwner, QString soundLibrary)
    : owner(playerOwner), library(std::move(soundLibrary))
{
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::setLoadGate(std::function<bool()> gate)
{
    mayLoad = std::move(gate);
}

bool SoundPlayer::bankReady()
{
    if (bank)
        return true;
    if (libraryMissing || (mayLoad && !mayLoad()))
        return false;
    QPluginLoader loader(library);
    QObject *entry = loader.instance();
    if (auto *factory = qobject_cast<SoundBankFactory *>(entry)) {
        bank = factory->create(owner, lcMedia);
        return true;
    }
    libraryMissing = true;
    qCWarning(lcMedia).noquote() << "No sounds: the sound library" << library << "cannot be loaded:"
                                 << (entry ? QStringLiteral("it is another plugin")
                                           : loader.errorString());
    return false;
}

void SoundPlayer::playWaiting()
{
    const QList<int> sounds = std::exchange(waiting, {});
    for (int index : sounds)
        play(index);
}

QObject *SoundPlayer::player(int index) const
{
    return bank ? bank->player(index) : nullptr;
}

void SoundPlayer::playEffect(uchar index)
{
    if (!audioEnabled || index >= SoundBank::count)
        return;
    play(index);
}

void SoundPlayer::playBackground()
{
    play(0);
}

void SoundPlayer::play(int index)
{
    if (bankReady())
        bank->play(index);
    else if (!libraryMissing)
        waiting.append(index);
}

void SoundPlayer::clearAll()
{
    waiting.clear();
    if (bank)
        bank->clearAll();
}
