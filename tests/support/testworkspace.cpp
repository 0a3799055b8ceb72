#include "testworkspace.h"

#include "device/virtual/virtualkeyboard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

TestWorkspace::TestWorkspace() : previous(QDir::currentPath())
{
    QDir(folder.path()).mkpath(QStringLiteral("modules/setting"));
    QDir::setCurrent(folder.path());
}

TestWorkspace::~TestWorkspace()
{
    QDir::setCurrent(previous);
}

void TestWorkspace::writeSetting(const QString &fileName, const QVariantMap &values) const
{
    QSettings settings(path(QStringLiteral("modules/setting/") + fileName), QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

void TestWorkspace::writeFile(const QString &relative, const QByteArray &content) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

void resetVirtualKeyboard()
{
    VirtualKeyboard &keyboard = VirtualKeyboard::shared();
    keyboard.plug();
    keyboard.setInterfaces(VirtualKeyboard::Interfaces::Both);
    keyboard.setRefusesOpens(HidBackend::OpenFailure::Gone);
    keyboard.setOpensFail(false);
    keyboard.setAnswersFeatureReports(true);
    keyboard.setDataReportsPerQuery(-1);
    keyboard.setShortDataReports(false);
    keyboard.setLatency(0);
    keyboard.armFault(VirtualKeyboard::Fault::Fail, 0);
    keyboard.setFirmware(VirtualFirmware());
    keyboard.clearCalls();
}
