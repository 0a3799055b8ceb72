#include "watch/profilewatch.h"

#include "storage/strictsettingsreader.h"
#include "watch/activewindow.h"
#include "watch/watchlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{
// Where hidraw nodes appear when a keyboard is plugged in.
const QString deviceFolder = QStringLiteral("/dev");
// As the window: udev has made the nodes accessible by then.
constexpr int deviceSettleMs = 1024;
} // namespace

ProfileWatch::ProfileWatch(ActiveWindow &activeWindow, const QString &file, int profiles,
                           Switch changeProfile, Report reportLine)
    : window(activeWindow), rulesFile(file), profileCount(profiles),
      change(std::move(changeProfile)), report(std::move(reportLine))
{
    settle.setSingleShot(true);
    settle.setInterval(settleMs);
    connect(&settle, &QTimer::timeout, this, &ProfileWatch::act);
    connect(&window, &ActiveWindow::changed, &settle, qOverload<>(&QTimer::start));

    // The folder too: r7ctl and editors replace the file by renaming another over it, which
    // ends a watch on the file itself.
    const QString folder = QFileInfo(rulesFile).absolutePath();
    QDir().mkpath(folder);
    files.addPath(folder);
    if (QFileInfo::exists(rulesFile))
        files.addPath(rulesFile);
    const auto rulesChanged = [this] {
        if (QFileInfo::exists(rulesFile) && !files.files().contains(rulesFile))
            files.addPath(rulesFile);
        if (loadRules())
            settle.start();
    };
    connect(&files, &QFileSystemWatcher::fileChanged, this, rulesChanged);
    connect(&files, &QFileSystemWatcher::directoryChanged, this,
            [this, rulesChanged](const QString &path) {
                if (path != deviceFolder) {
                    rulesChanged();
                    return;
                }
                if (keyboardMissing)
                    settle.start(deviceSettleMs);
            });
    if (QFileInfo(deviceFolder).isDir())
        files.addPath(deviceFolder);
    loadRules();
    settle.start();
}

bool ProfileWatch::loadRules()
{
    QFile file(rulesFile);
    const QByteArray content =
        file.open(QIODevice::ReadOnly) ? file.read(maxSettingsFileSize + 1) : QByteArray();
    if (content == loaded)
        return false;
    loaded = content;
    rules = ProfileRules::load(rulesFile, profileCount);
    for (const QString &problem : rules.problems())
        report(QStringLiteral("r7ctl watch: %1: %2").arg(rulesFile, problem));
    return true;
}

void ProfileWatch::act()
{
    settle.setInterval(settleMs);
    const ProfileRules::Window front = window.current();
    // Nothing in front (the bare desktop, or a window with neither class nor title) calls for
    // no profile.
    const bool nothing =
        front.instance.isEmpty() && front.windowClass.isEmpty() && front.title.isEmpty();
    const int profile = nothing ? -1 : rules.profileFor(front);
    qCDebug(lcWatch) << "In front:" << front.instance << front.windowClass << front.title
                     << "wants profile" << profile;
    if (profile < 0) {
        Q_EMIT acted(profile, CliResult::Done);
        return;
    }
    const CliResult result = change(profile);
    keyboardMissing = result.status == CliResult::KeyboardProblem;
    if (!result.err.isEmpty())
        report(result.err.trimmed());
    Q_EMIT acted(profile, result.status);
}
