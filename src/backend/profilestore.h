#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class QSettings;
enum class FileRefusal;

// The keyboard's profiles as the program keeps them, p1.bin ... in the user's folder, one
// settings object each, and which of them the keyboard has active. None of this talks to the
// keyboard. Everything here runs on the GUI thread.
class ProfileStore
{
public:
    explicit ProfileStore(int count);
    ~ProfileStore();
    ProfileStore(const ProfileStore &) = delete;
    ProfileStore &operator=(const ProfileStore &) = delete;

    int count() const { return int(profiles.size()); }
    // The settings of profile `index`, or null when there is no such profile.
    QSettings *profileAt(int index) const;

    // As the keyboard reported it, which may be a profile we have no file for: check it (or
    // use active()) before use.
    uchar activeIndex() const { return currentProfile; }
    void setActiveIndex(uchar index) { currentProfile = index; }
    // For the keyboard's answer to be written straight in: a get waits with events running,
    // and a switch made meanwhile stays unless the keyboard answers.
    uchar &activeIndexAnswer() { return currentProfile; }
    // The settings of the active profile, or null.
    QSettings *active() const { return profileAt(currentProfile); }

    // Replaces profile `profile` by `source`, which the strict reader must accept: what is
    // written is exactly what was checked. An index without a profile does nothing; a source
    // that cannot be read, or is refused, leaves the profile as it was and says why.
    FileRefusal importProfile(int profile, const QString &source);
    // Writes profile `profile`, with what the pages changed a moment ago, to `target`.
    bool exportProfile(int profile, const QString &target);
    // Profile `profile` becomes the factory profile, pD.bin.
    void reset(int profile);
    // A value of the factory profile.
    static QVariant factoryValue(const QString &key);

private:
    QList<QSettings *> profiles;
    uchar currentProfile = 0;
};
