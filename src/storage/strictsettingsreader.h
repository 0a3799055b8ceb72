#pragma once

#include <QByteArray>
#include <QString>

// The program's own reader of its settings files, run on every file that comes from outside
// (imports, and the stored files at start) before QSettings reads it. QSettings decodes
// "@Variant(...)" values with QDataStream, recursively and without limits, and reads a file of
// any size into memory; a crafted file could crash the program at every start. This reader
// accepts only what the program itself writes into the kind of file at hand: the known sections
// and keys, integers and integer lists of the known lengths, plain text, no encoded values, and
// at most maxSettingsFileSize bytes. It never recurses, and its time is linear in the file size.

enum class SettingsKind {
    Profile,      // p1.bin ... p10.bin, pD.bin and exported .pf files
    Macro,        // one macro, "./modules/macro/" + name + ".bin", and exported .mc files
    ApConfig,     // apConfig.bin: its "common" list and the free keys of the global data store
    ProfileRules, // rules.bin: which profile the window in front calls for
};

// Why a file was refused, from the outside in; None for an accepted file.
enum class FileRefusal {
    None,
    Unreadable, // missing, not a regular file, or a read error
    TooLarge,   // over maxSettingsFileSize
    NotText,    // binary bytes, bad UTF-8, a line that is not a section or key=value, cut off
    Encoded,    // an "@Variant(", "@ByteArray(" or other "@" encoding
    UnknownKey, // a section or key the program does not write into this kind of file
    BadValue,   // not an integer where one belongs, out of range, a list of the wrong length
    NoKnownKey, // none of the keys of this kind of file
};

// A short English name of a refusal, for the log.
const char *refusalName(FileRefusal refusal);

// A profile is a few kilobytes, a macro less; a megabyte leaves room for any the program writes.
constexpr qint64 maxSettingsFileSize = 1024 * 1024;

struct SettingsCheck {
    FileRefusal refusal = FileRefusal::None;
    // 1-based line of the first fault; 0 when the fault is the file as a whole.
    int line = 0;

    bool accepted() const { return refusal == FileRefusal::None; }
};

SettingsCheck checkSettingsText(const QByteArray &content, SettingsKind kind);

struct CheckedFile {
    // The bytes that were checked: copy these, not the file again, which may have changed since.
    QByteArray content;
    SettingsCheck check;
};

// Reads at most maxSettingsFileSize + 1 bytes of a regular file and checks them.
CheckedFile readCheckedFile(const QString &path, SettingsKind kind);
