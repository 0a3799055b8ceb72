#pragma once

#include "sound/soundbank.h"

#include <QObject>

// The sound library's entry, found by QPluginLoader.
class SoundPlugin : public QObject, public SoundBankFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID R7_SOUND_BANK_FACTORY_IID)
    Q_INTERFACES(SoundBankFactory)

public:
    std::unique_ptr<SoundBank> create(QObject *owner,
                                      QMessageLogger::CategoryFunction log) override;
};
