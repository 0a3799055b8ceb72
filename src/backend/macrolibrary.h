#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class DeviceBridge;
enum class FileRefusal;

// The user's macros: one file per macro in the macro folder, named by the UI, and the writing
// of a macro into its keyboard slot. Names that could address a file outside the folder are
// refused and change nothing. Everything here runs on the GUI thread.
class MacroLibrary : public QObject
{
    Q_OBJECT

public:
    explicit MacroLibrary(DeviceBridge &bridge);

    // File names ("<name>.bin"), in name order.
    QStringList getMacroIniNames() const;
    // A new empty macro under the first free standard name; the name, or empty when it could
    // not be written.
    QVariant createMacroIni();
    QVariant deleteMacroIni(const QVariant &name);
    // An existing target is left alone.
    void renameMacroIniFile(const QVariant &oldName, const QVariant &newName);
    QStringList loadMacroIni(const QVariant &name) const;
    // Stores the steps and writes the macro into its slot when it has one; false when the
    // macro does not exist or could not be written.
    QVariant saveMacroIni(const QVariant &name, const QStringList &macros);
    // [slot index, repeat count].
    QVariantList loadMacroIniConfig(const QVariant &name) const;
    // [slot index, unused, repeat count].
    void setMacroIniConfig(const QVariant &name, const QVariantList &config);
    QVariant getMacroRepeat(const QVariant &name) const;
    // Gives each of the first `macroCount` slots exactly one macro file: files without a slot
    // of their own are removed, slots without a file get a new empty macro.
    void initMacroIni(uchar macroCount);

    QList<uchar> macroIncode(const QStringList &macros, const QVariant &repeatTimes) const;
    // Writes the macro `name` into keyboard slot `macroId`; a macro too long for the slot is
    // cut to the whole steps that fit, after macroTooLong.
    void ui_10H_SetMacroKey(const QVariant &macroId, const QVariant &name);

    // Replaces the existing macro `name` by `source`, which the strict reader must accept: a
    // refused file changes nothing and says why.
    FileRefusal importMacro(const QVariant &name, const QString &source);
    bool exportMacro(const QVariant &name, const QString &target) const;
    // Whether `name` is a macro the user has.
    bool exists(const QVariant &name) const;

Q_SIGNALS:
    // A macro is about to be cut to fit its slot; receivers connected directly tell the user
    // before it is sent.
    void macroTooLong();
    // A macro's steps could not be written to its file, which keeps what it held.
    void macroNotSaved();

private:
    DeviceBridge &bridge;
};
