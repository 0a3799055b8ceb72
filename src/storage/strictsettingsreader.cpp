#include "storage/strictsettingsreader.h"

#include "storage/filelimits.h"

#include <QByteArrayList>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <optional>

namespace
{
// The shape a value must have. Integers are decimal, optionally negative; an integer list has
// exactly `count` elements; text is any plain string, or for Any a list of plain strings.
enum class Shape { Int, IntList, Text, Any };

struct Rule {
    Shape shape = Shape::Any;
    int count = 1;
    qint64 min = 0;
    qint64 max = 0;
};

constexpr qint64 intMin = std::numeric_limits<int>::min();
constexpr qint64 intMax = std::numeric_limits<int>::max();

constexpr Rule oneByte{Shape::Int, 1, 0, 255};
constexpr Rule anyInt{Shape::Int, 1, intMin, intMax};
constexpr Rule text{Shape::Text, 1, 0, 0};
constexpr Rule anyValue{Shape::Any, 0, 0, 0};

constexpr Rule byteList(int count)
{
    return {Shape::IntList, count, 0, 255};
}

// A decimal number as QSettings writes it: no sign, no leading zero, at most `maxValue`.
std::optional<int> canonicalNumber(QByteArrayView name, int maxValue)
{
    if (name.isEmpty() || name.size() > 5 || (name.size() > 1 && name.front() == '0'))
        return std::nullopt;
    int value = 0;
    for (const char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > maxValue)
        return std::nullopt;
    return value;
}

std::optional<Rule> profileRule(QByteArrayView section, QByteArrayView key)
{
    if (section == "color") {
        if (key == "ledType")
            return byteList(7);
        if (key == "color")
            return byteList(21);
        return std::nullopt;
    }
    if (section == "userPicture")
        return canonicalNumber(key, 4) ? std::optional<Rule>(byteList(512)) : std::nullopt;
    if (section == "sensor")
        return key == "reportRate_R8" ? std::optional<Rule>(oneByte) : std::nullopt;
    constexpr QByteArrayView keydefine("keydefine");
    if (section.startsWith(keydefine) && canonicalNumber(section.sliced(keydefine.size()), 255) &&
        canonicalNumber(key, 127))
        return byteList(2);
    return std::nullopt;
}

// Recorded macros stay far below this many steps; the store reads no more.
constexpr int maxMacroSteps = 65536;

std::optional<Rule> macroRule(QByteArrayView section, QByteArrayView key)
{
    if (section == "config") {
        if (key == "total")
            return Rule{Shape::Int, 1, 0, maxMacroSteps};
        if (key == "index" || key == "repeat" || key == "did")
            return anyInt;
        return std::nullopt;
    }
    if (section == "macro" && canonicalNumber(key, maxMacroSteps - 1))
        return text;
    return std::nullopt;
}

// The settings list and the window title are in "common"; every other key is the global data
// store's, which keeps whatever the interface gives it, as plain values (lists, like every list
// the program reads, of at most maxCountedEntries elements).
std::optional<Rule> apConfigRule(QByteArrayView section, QByteArrayView key)
{
    if (section == "common" && key == "total")
        return Rule{Shape::Int, 1, 0, intMax};
    return anyValue;
}

// The rules the watch follows: "default" names the profile for windows no rule matches (0 leaves
// the keyboard as it is), each "ruleN" a window class or title pattern and its profile. Profile
// numbers are checked against the model's count where the rules are used, which can say so.
std::optional<Rule> profileRulesRule(QByteArrayView section, QByteArrayView key)
{
    if (section == "default")
        return key == "profile" ? std::optional<Rule>(oneByte) : std::nullopt;
    constexpr QByteArrayView rule("rule");
    if (!section.startsWith(rule) || !canonicalNumber(section.sliced(rule.size()), 9999))
        return std::nullopt;
    if (key == "profile")
        return oneByte;
    if (key == "class" || key == "title")
        return text;
    return std::nullopt;
}

std::optional<Rule> ruleFor(SettingsKind kind, QByteArrayView section, QByteArrayView key)
{
    switch (kind) {
    case SettingsKind::Profile:
        return profileRule(section, key);
    case SettingsKind::Macro:
        return macroRule(section, key);
    case SettingsKind::ApConfig:
        return apConfigRule(section, key);
    case SettingsKind::ProfileRules:
        return profileRulesRule(section, key);
    }
    return std::nullopt;
}

// Section and key names as QSettings writes the program's keys. "%" escapes appear only in the
// free keys of apConfig.bin; QSettings would unescape them into names the rules do not know.
bool isPlainName(QByteArrayView name, bool allowEscapes)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        if (!plain && !(allowEscapes && c == '%'))
            return false;
    }
    return true;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A value split and unescaped the way QSettings' INI reader does it, restricted to the forms
// QSettings writes: each element either unquoted (no quote, no ";") or entirely in quotes, and
// only the single-character escapes.
struct Value {
    QByteArrayList items; // UTF-8
    bool isList = false;
};

char unescaped(char code)
{
    switch (code) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
        return code;
    default:
        return 0;
    }
}

// QSettings turns an element that starts with "@" into a QVariant by its own encodings
// (QDataStream among them) unless it starts with "@@", the escaped "@".
bool startsEncoded(QByteArrayView raw, qsizetype at)
{
    return at < raw.size() && raw[at] == '@' && !(at + 1 < raw.size() && raw[at + 1] == '@');
}

// Stops with BadValue once there are more than `maxItems` elements: a megabyte-long list where
// seven numbers belong is refused without decoding it all.
FileRefusal decodeValue(QByteArrayView raw, qsizetype maxItems, Value &value)
{
    qsizetype i = 0;
    const qsizetype end = raw.size();
    for (;;) {
        while (i < end && isBlank(raw[i]))
            ++i;
        QByteArray item;
        if (i < end && raw[i] == '"') {
            ++i;
            if (startsEncoded(raw, i))
                return FileRefusal::Encoded;
            for (;;) {
                if (i >= end)
                    return FileRefusal::NotText; // the closing quote is missing: the line was cut
                const char c = raw[i++];
                if (c == '"')
                    break;
                if (c == '\\') {
                    const char code = i < end ? unescaped(raw[i++]) : 0;
                    if (!code)
                        return FileRefusal::NotText;
                    item += code;
                } else {
                    item += c;
                }
            }
            while (i < end && isBlank(raw[i]))
                ++i;
            if (i < end && raw[i] != ',')
                return FileRefusal::NotText;
        } else {
            if (startsEncoded(raw, i))
                return FileRefusal::Encoded;
            qsizetype trimmedSize = 0;
            while (i < end && raw[i] != ',') {
                const char c = raw[i++];
                if (c == '"' || c == ';')
                    return FileRefusal::NotText;
                if (c == '\\') {
                    const char code = i < end ? unescaped(raw[i++]) : 0;
                    if (!code)
                        return FileRefusal::NotText;
                    item += code;
                    trimmedSize = item.size();
                } else {
                    item += c;
                    if (!isBlank(c))
                        trimmedSize = item.size();
                }
            }
            item.truncate(trimmedSize);
        }
        value.items.append(item);
        if (value.items.size() > maxItems)
            return FileRefusal::BadValue;
        if (i >= end)
            return FileRefusal::None;
        ++i; // the comma
        value.isList = true;
    }
}

// The same rule on the decoded elements.
bool checkEncodings(const Value &value)
{
    for (const QByteArray &item : value.items)
        if (item.startsWith('@') && !item.startsWith("@@"))
            return false;
    return true;
}

bool isInteger(const QByteArray &item, qint64 min, qint64 max)
{
    if (item.isEmpty() || item.size() > 11)
        return false;
    bool ok = false;
    const qint64 number = item.toLongLong(&ok);
    // toLongLong accepts surrounding blanks and a "+"; the program writes neither.
    return ok && item.front() != '+' && !isBlank(item.front()) && !isBlank(item.back()) &&
           number >= min && number <= max;
}

bool hasShape(const Value &value, const Rule &rule)
{
    switch (rule.shape) {
    case Shape::Int:
        return !value.isList && isInteger(value.items.constFirst(), rule.min, rule.max);
    case Shape::IntList:
        if (value.items.size() != rule.count)
            return false;
        for (const QByteArray &item : value.items)
            if (!isInteger(item, rule.min, rule.max))
                return false;
        return true;
    case Shape::Text:
        return !value.isList;
    case Shape::Any:
        return true;
    }
    return false;
}

// Bytes a settings text never holds: NUL and the other control characters but tab and line
// ends, and anything that is not UTF-8.
bool isText(QByteArrayView content)
{
    for (const char c : content) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F)
            return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(content);
    return !utf8.hasError();
}

struct Checker {
    SettingsKind kind;
    QByteArrayView section;
    bool inSection = false;
    int knownKeys = 0;

    // One line without its line end; None when it is acceptable.
    FileRefusal checkLine(QByteArrayView line)
    {
        if (line.isEmpty() || line.front() == ';')
            return FileRefusal::None;
        // QSettings takes a line that starts with a blank for a key, wherever a "[" follows.
        if (isBlank(line.front()) || line.contains('\r'))
            return FileRefusal::NotText;
        if (line.front() == '[') {
            if (line.back() != ']')
                return FileRefusal::NotText;
            section = line.sliced(1, line.size() - 2);
            inSection = true;
            return isPlainName(section, false) ? FileRefusal::None : FileRefusal::UnknownKey;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            return FileRefusal::NotText;
        QByteArrayView key = line.first(equals);
        while (!key.isEmpty() && isBlank(key.back()))
            key.chop(1);
        if (!inSection || !isPlainName(key, kind == SettingsKind::ApConfig))
            return FileRefusal::UnknownKey;
        const std::optional<Rule> rule = ruleFor(kind, section, key);
        if (!rule)
            return FileRefusal::UnknownKey;
        const QByteArrayView raw = line.sliced(equals + 1);
        // An empty list is written "@Invalid()", which the global data store may hold.
        if (kind == SettingsKind::ApConfig && raw == "@Invalid()")
            return countKnownKey();
        Value value;
        const qsizetype maxItems =
            rule->shape == Shape::Any ? maxCountedEntries : std::max(rule->count, 1);
        const FileRefusal undecodable = decodeValue(raw, maxItems, value);
        if (undecodable != FileRefusal::None)
            return undecodable;
        if (!checkEncodings(value))
            return FileRefusal::Encoded;
        if (!hasShape(value, *rule))
            return FileRefusal::BadValue;
        return countKnownKey();
    }

    FileRefusal countKnownKey()
    {
        ++knownKeys;
        return FileRefusal::None;
    }
};
} // namespace

const char *refusalName(FileRefusal refusal)
{
    switch (refusal) {
    case FileRefusal::None:
        return "accepted";
    case FileRefusal::Unreadable:
        return "unreadable";
    case FileRefusal::TooLarge:
        return "too large";
    case FileRefusal::NotText:
        return "not a settings text";
    case FileRefusal::Encoded:
        return "encoded value";
    case FileRefusal::UnknownKey:
        return "unknown section or key";
    case FileRefusal::BadValue:
        return "value of the wrong shape";
    case FileRefusal::NoKnownKey:
        return "none of the expected keys";
    }
    return "unknown";
}

SettingsCheck checkSettingsText(const QByteArray &content, SettingsKind kind)
{
    if (content.size() > maxSettingsFileSize)
        return {FileRefusal::TooLarge, 0};
    QByteArrayView rest(content);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    if (!isText(rest))
        return {FileRefusal::NotText, 0};

    Checker checker{kind, {}, false, 0};
    int lineNumber = 0;
    while (!rest.isEmpty()) {
        ++lineNumber;
        const qsizetype newline = rest.indexOf('\n');
        QByteArrayView line = newline < 0 ? rest : rest.first(newline);
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        const FileRefusal refusal = checker.checkLine(line);
        if (refusal != FileRefusal::None)
            return {refusal, lineNumber};
    }
    // The global data store may well be empty; a profile or a macro without one of its keys
    // is not a profile or a macro.
    if (kind != SettingsKind::ApConfig && checker.knownKeys == 0)
        return {FileRefusal::NoKnownKey, 0};
    return {};
}

CheckedFile readCheckedFile(const QString &path, SettingsKind kind)
{
    CheckedFile result;
    // Only regular files: opening a pipe or a device could block or never end.
    const QFileInfo info(path);
    if (!info.isFile()) {
        result.check.refusal = FileRefusal::Unreadable;
        return result;
    }
    if (info.size() > maxSettingsFileSize) {
        result.check.refusal = FileRefusal::TooLarge;
        return result;
    }
    QFile file(path);
    // Read in one go: QFile's own buffer would only be one more copy.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.check.refusal = FileRefusal::Unreadable;
        return result;
    }
    // Read what the file holds plus one byte, so that growth since its size was taken shows;
    // never more than one byte over the cap. QIODevice::read allocates the whole request up
    // front, so asking for the cap itself would cost a megabyte per small file.
    result.content = file.read(info.size() + 1);
    if (result.content.size() > info.size())
        result.content += file.read(maxSettingsFileSize + 1 - result.content.size());
    if (file.error() != QFileDevice::NoError) {
        result.content.clear();
        result.check.refusal = FileRefusal::Unreadable;
        return result;
    }
    result.check = checkSettingsText(result.content, kind);
    return result;
}
