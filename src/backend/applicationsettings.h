#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

class QSettings;

// The program's own settings, apConfig.bin in the user's folder: the settings page's list and a
// free store of values any page may keep there. Opened on construction, written out when
// destroyed. Everything here runs on the GUI thread.
class ApplicationSettings
{
public:
    ApplicationSettings();
    ~ApplicationSettings();
    ApplicationSettings(const ApplicationSettings &) = delete;
    ApplicationSettings &operator=(const ApplicationSettings &) = delete;

    // The settings page's values as entries 0 to N-1 under "common/", with their count in
    // "common/total". Keys of a longer list saved earlier stay in the file; the count bounds
    // the reader.
    void saveList(const QVariantList &values);
    // As the file holds them (strings); empty when nothing was saved.
    QVariantList loadList() const;
    // Replaces the file by the factory settings, apConfigD.bin.
    void reset();

    // Any value under any key; an absent key gives an invalid value.
    void setValue(const QString &key, const QVariant &value);
    QVariant value(const QString &key) const;

private:
    QSettings *settings = nullptr;
};
