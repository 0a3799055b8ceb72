#include "view/myqquickview.h"

#include "view/rootinvocation.h"
#include "view/viewlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{
// The block of message texts that tells the user about keyboard access.
enum AccessText {
    titleText = 10,
    noPermissionText = 11, // %1 the device, %2 its path
    inUseText = 12,        // %1 the device, %2 its path
    installRuleText = 13,  // %1 the rule's installed path
    closeOtherProgramText = 14,
    closeButtonText = 15
};

// Used when the language file lacks a text, so the message never shows up blank.
QString fallback(int index)
{
    switch (index) {
    case titleText:
        return QStringLiteral("The keyboard cannot be opened");
    case noPermissionText:
        return QStringLiteral("%1 is connected, but this user is not allowed to open it (%2).");
    case inUseText:
        return QStringLiteral("%1 is connected, but another program is using it (%2).");
    case installRuleText:
        return QStringLiteral("The program's keyboard rule is %1. udev reads rules only from "
                              "/usr/lib/udev/rules.d and /etc/udev/rules.d: from anywhere else, "
                              "copy it to /etc/udev/rules.d first. Then apply it as root with "
                              "these two commands:\nudevadm control --reload-rules\nudevadm "
                              "trigger --subsystem-match=hidraw --action=change");
    case closeOtherProgramText:
        return QStringLiteral("Close the other program, then close this message to try again.");
    default:
        return QStringLiteral("Close");
    }
}
// The rule installed with the program (lib/udev/rules.d beside its bin/), or, for a program
// that was not installed, where the package puts it.
QString installedRule()
{
    const QString rule = QStringLiteral("lib/udev/rules.d/70-r7configurator.rules");
    const QString beside =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../") + rule);
    return QFileInfo::exists(beside) ? beside : QStringLiteral("/usr/") + rule;
}
} // namespace

void myQQuickView::showDeviceAccessProblem(const QString &device, const QString &path, bool inUse)
{
    qCInfo(lcView) << "The keyboard" << device << "at" << path << "cannot be opened:"
                   << (inUse ? "in use by another program" : "no permission");
    accessProblem = AccessProblem{device, path, inUse};
    sendDeviceAccessMessage();
}

void myQQuickView::hideDeviceAccessProblem()
{
    if (!accessProblem)
        return;
    accessProblem.reset();
    invokeRootFunction(this, "deviceAccessMessage", Qt::QueuedConnection,
                       {false, QString(), QString(), QString()});
}

void myQQuickView::sendDeviceAccessMessage()
{
    const auto text = [this](int index) {
        const QString stored = messages.value(index);
        return stored.isEmpty() ? fallback(index) : stored;
    };
    const bool inUse = accessProblem->inUse;
    const QString device =
        accessProblem->device.isEmpty() ? QStringLiteral("R7") : accessProblem->device;
    const QString what =
        text(inUse ? inUseText : noPermissionText).arg(device, accessProblem->path);
    const QString remedy =
        inUse ? text(closeOtherProgramText) : text(installRuleText).arg(installedRule());
    invokeRootFunction(
        this, "deviceAccessMessage", Qt::QueuedConnection,
        {true, text(titleText), what + QStringLiteral("\n\n") + remedy, text(closeButtonText)});
}
