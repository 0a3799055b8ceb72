#include "watch/watchcommand.h"

#include "backend/hardwaredefinition.h"
#include "cli/commandparser.h"
#include "cli/oneowner.h"
#include "storage/rulefiles.h"
#include "watch/activewindow.h"
#include "watch/profilewatch.h"

#include <QCoreApplication>
#include <QDir>

namespace
{
const char noDisplay[] =
    "r7ctl watch: there is no X11 display to watch (%1), so the window in front cannot be "
    "seen and no profile is switched.\n"
    "Under Wayland, programs have no common way to learn which window is in front; an X11 "
    "display (XWayland) shows only the X11 programs running on it. Switch profiles with "
    "\"r7ctl profile N\", from a desktop shortcut for instance.\n";

const char waylandNote[] =
    "r7ctl watch: this is a Wayland session: only X11 programs (under XWayland) are seen "
    "coming to the front; when a Wayland program is in front the profile stays as it is.\n";
} // namespace

// Runs until stopped; a signal ends it between switches or during one, and either way the
// keyboard keeps the profile it has and every file stays whole (they are replaced by rename).
int runWatch(QTextStream &out, QTextStream &err)
{
    const QByteArray display = qgetenv("DISPLAY");
    const std::unique_ptr<ActiveWindow> window = ActiveWindow::open(display);
    if (!window) {
        err << QString::fromLatin1(noDisplay).arg(
            display.isEmpty()
                ? QStringLiteral("DISPLAY is not set")
                : QStringLiteral("%1 cannot be opened").arg(QString::fromLocal8Bit(display)));
        return 2;
    }
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        err << waylandNote;
    const QString directory = QDir::currentPath();
    ProfileWatch watch(
        *window, RuleFiles::path(), HardwareDefinition().profileCount(),
        [directory](int profile) {
            const QStringList arguments{QStringLiteral("profile"), QString::number(profile + 1)};
            return carryOut(*CommandParser::parse(arguments, directory).command,
                            {directory, arguments});
        },
        [&err](const QString &line) {
            err << line << '\n';
            err.flush();
        });
    out << "r7ctl watch: following the window in front on " << display << "; rules in "
        << RuleFiles::path() << '\n';
    out.flush();
    return QCoreApplication::exec();
}
