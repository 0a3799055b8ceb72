#include "backend/macrolibrary.h"

#include "backend/devicebridge.h"
#include "backend/macroencoding.h"
#include "device/hidthread.h"
#include "storage/atomicfilecopy.h"
#include "storage/folderlisting.h"
#include "storage/macrofiles.h"
#include "storage/macrolog.h"
#include "storage/strictsettingsreader.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <algorithm>
#include <optional>
#include <vector>

namespace
{
// The keyboard has 17 macro slots whatever the hardware definition says.
constexpr int keyboardMacroSlots = 17;

// A corrupt step count must not make a reader build millions of steps; recorded macros stay
// far below this.
constexpr int maxStoredSteps = 65536;

const QString indexKey = QStringLiteral("config/index");
const QString totalKey = QStringLiteral("config/total");
const QString repeatKey = QStringLiteral("config/repeat");
const QString didKey = QStringLiteral("config/did");

// The file of a macro named by the UI, or nothing for a name that may not become a file name.
std::optional<QString> macroFile(const QVariant &name)
{
    const QString text = name.toString();
    if (!MacroFiles::isSafeName(text)) {
        qCWarning(lcMacro) << "Refusing the macro name" << text;
        return std::nullopt;
    }
    return MacroFiles::path(text);
}

// The file of an existing macro, or nothing.
std::optional<QString> existingMacroFile(const QVariant &name)
{
    std::optional<QString> file = macroFile(name);
    if (file && !QFile::exists(*file))
        return std::nullopt;
    return file;
}

} // namespace

MacroLibrary::MacroLibrary(DeviceBridge &deviceBridge) : bridge(deviceBridge) {}

QStringList MacroLibrary::getMacroIniNames() const
{
    return entriesNamed(QDir(MacroFiles::folder()), u"", u".bin", QDir::Files,
                        QDir::Name | QDir::IgnoreCase);
}

QVariant MacroLibrary::createMacroIni()
{
    QDir().mkpath(MacroFiles::folder());
    for (int number = 1;; ++number) {
        const QString name = MacroFiles::standardName(number);
        const QString file = MacroFiles::path(name);
        if (QFile::exists(file))
            continue;
        if (MacroFiles::writeNew(file, -1))
            return name;
        // The page adds a row only for a name it gets back.
        qCWarning(lcMacro) << "Cannot create the macro file" << file;
        return QString();
    }
}

QVariant MacroLibrary::deleteMacroIni(const QVariant &name)
{
    const std::optional<QString> file = existingMacroFile(name);
    return file ? QFile::remove(*file) : false;
}

void MacroLibrary::renameMacroIniFile(const QVariant &oldName, const QVariant &newName)
{
    const std::optional<QString> from = existingMacroFile(oldName);
    const std::optional<QString> to = macroFile(newName);
    // QFile::rename leaves an existing target alone.
    if (from && to)
        QFile::rename(*from, *to);
}

QStringList MacroLibrary::loadMacroIni(const QVariant &name) const
{
    const std::optional<QString> file = existingMacroFile(name);
    if (!file)
        return {};
    QSettings macro(*file, QSettings::IniFormat);
    const int total = std::clamp(MacroFiles::readInt(macro, totalKey, 0), 0, maxStoredSteps);
    // Only the steps the file holds are looked up: a total that claims far more steps than are
    // there costs no more than the steps themselves.
    QStringList steps(total, QStringLiteral("0"));
    macro.beginGroup(QStringLiteral("macro"));
    const QStringList stored = macro.childKeys();
    for (const QString &key : stored) {
        bool number = false;
        const int i = key.toInt(&number);
        if (number && i >= 0 && i < total && key == QString::number(i))
            steps[i] = macro.value(key).toString();
    }
    return steps;
}

QVariant MacroLibrary::saveMacroIni(const QVariant &name, const QStringList &macros)
{
    const std::optional<QString> file = existingMacroFile(name);
    if (!file)
        return false;
    int index = -1;
    {
        QSettings macro(*file, QSettings::IniFormat);
        macro.remove(QStringLiteral("macro"));
        macro.setValue(totalKey, macros.size());
        macro.beginGroup(QStringLiteral("macro"));
        for (qsizetype i = 0; i < macros.size(); ++i)
            macro.setValue(QString::number(i), macros.at(i));
        macro.endGroup();
        index = MacroFiles::readInt(macro, indexKey, -1);
        // The keyboard write below reads the file again.
        macro.sync();
        if (macro.status() != QSettings::NoError) {
            qCWarning(lcMacro) << "Cannot write the macro file" << *file;
            Q_EMIT macroNotSaved();
            return false;
        }
    }
    if (index >= 0 && index < keyboardMacroSlots)
        ui_10H_SetMacroKey(index, name);
    return true;
}

QVariantList MacroLibrary::loadMacroIniConfig(const QVariant &name) const
{
    const std::optional<QString> file = existingMacroFile(name);
    if (!file)
        return {};
    const QSettings macro(*file, QSettings::IniFormat);
    return {MacroFiles::readInt(macro, indexKey, -1), MacroFiles::readInt(macro, repeatKey, 1)};
}

void MacroLibrary::setMacroIniConfig(const QVariant &name, const QVariantList &config)
{
    const std::optional<QString> file = existingMacroFile(name);
    // The key page always sends index, an unused value and the repeat count.
    if (!file || config.size() < 3)
        return;
    QSettings macro(*file, QSettings::IniFormat);
    macro.setValue(indexKey, config.at(0).toInt());
    macro.setValue(repeatKey, config.at(2).toInt());
    macro.setValue(didKey, bridge.device() ? bridge.device()->selectedDevice() : -1);
}

QVariant MacroLibrary::getMacroRepeat(const QVariant &name) const
{
    const std::optional<QString> file = existingMacroFile(name);
    if (!file)
        return 1;
    const QSettings macro(*file, QSettings::IniFormat);
    return MacroFiles::readInt(macro, repeatKey, 1);
}

void MacroLibrary::initMacroIni(uchar macroCount)
{
    std::vector<bool> slotTaken(256, false);
    QStringList removals;
    for (const QString &fileName : getMacroIniNames()) {
        const QSettings macro(MacroFiles::folder() + fileName, QSettings::IniFormat);
        const int index = MacroFiles::readInt(macro, indexKey, -1);
        if (index >= 0 && index < macroCount && !slotTaken[size_t(index)])
            slotTaken[size_t(index)] = true;
        else
            removals.append(MacroFiles::folder() + fileName);
    }
    for (const QString &file : removals) {
        qCDebug(lcMacro, "REMOVE: \"%s\"", qUtf8Printable(file));
        QFile::remove(file);
    }

    QDir().mkpath(MacroFiles::folder());
    int number = 1;
    for (int slot = 0; slot < macroCount; ++slot) {
        number = std::max(number, slot + 1);
        if (slotTaken[size_t(slot)])
            continue;
        // A file kept for another slot may hold this slot's standard name; it stays as it is
        // and this slot takes the next free name.
        while (QFile::exists(MacroFiles::path(MacroFiles::standardName(number))))
            ++number;
        const QString file = MacroFiles::path(MacroFiles::standardName(number));
        if (!MacroFiles::writeNew(file, slot))
            qCWarning(lcMacro) << "Cannot create the macro file" << file;
    }
}

FileRefusal MacroLibrary::importMacro(const QVariant &name, const QString &source)
{
    // Import replaces a macro the user already has; it never adds one.
    const std::optional<QString> file = existingMacroFile(name);
    if (!file)
        return FileRefusal::None;
    // Every slot reads macro files with QSettings: only a file the strict reader accepts may
    // become one, and what is written is exactly what was checked.
    const CheckedFile macro = readCheckedFile(source, SettingsKind::Macro);
    if (!macro.check.accepted()) {
        qCWarning(lcMacro) << "Refusing to import" << source << "-"
                           << refusalName(macro.check.refusal) << "at line" << macro.check.line;
        return macro.check.refusal;
    }
    if (!writeFileAtomically(macro.content, *file))
        qCWarning(lcMacro) << "Cannot import" << source << "into" << *file;
    return FileRefusal::None;
}

bool MacroLibrary::exportMacro(const QVariant &name, const QString &target) const
{
    const std::optional<QString> file = existingMacroFile(name);
    if (!file)
        return false;
    if (replaceFileAtomically(*file, target))
        return true;
    qCWarning(lcMacro) << "Cannot export" << *file << "to" << target;
    return false;
}

bool MacroLibrary::exists(const QVariant &name) const
{
    return existingMacroFile(name).has_value();
}

QList<uchar> MacroLibrary::macroIncode(const QStringList &macros, const QVariant &repeatTimes) const
{
    return encodeMacro(macros, repeatTimes.toInt(), bridge.keyNames());
}

void MacroLibrary::ui_10H_SetMacroKey(const QVariant &macroId, const QVariant &name)
{
    if (!MacroFiles::isSafeName(name.toString()))
        return;
    // A missing file gives repeat 1 and no steps: the slot is emptied.
    QList<uchar> encoded = macroIncode(loadMacroIni(name), getMacroRepeat(name));
    if (encoded.size() > macroSlotSize) {
        Q_EMIT macroTooLong();
        // Never a cut step and never a missing end mark: the keyboard would run on into
        // whatever follows.
        encoded = fitMacroToSlot(encoded);
        qCInfo(lcMacro) << "Macro" << name.toString() << "cut to" << encoded.size()
                        << "bytes to fit its slot";
    }
    std::array<uchar, macroSlotSize> image = macroSlotImage(encoded);
    if (Hid_Thread *hid = bridge.device())
        hid->hid_10H_SetMacroKey(uchar(macroId.toInt() & 0xFF), image.data());
}
