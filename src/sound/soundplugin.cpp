#include "sound/soundplugin.h"

#include "sound/mediasoundbank.h"

std::unique_ptr<SoundBank> SoundPlugin::create(QObject *owner, QMessageLogger::CategoryFunction log)
{
    return std::make_unique<MediaSoundBank>(owner, log);
}
