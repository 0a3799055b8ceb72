#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The words r7ctl takes and prints for the keyboard's values, in English and lower case, with
// "-" between the words of a name so that a shell keeps each name one argument.
namespace CliWords
{
// The twelve effects, by lighting type 0x00-0x0B.
QStringList effectNames();
// The user pictures are lighting types 0x33-0x37.
constexpr int firstPictureType = 0x33;
constexpr int pictureCount = 5;

// The lighting type as words: an effect name or "picture N"; empty for a type we do not know.
QString lightingName(int type);

// The eighteen media functions of the key page, in its order, and their key codes.
QStringList mediaNames();
std::optional<int> mediaCode(const QString &name);

// The palette: colours 1-7 are indexes 0-6, "loop" index 7.
constexpr int loopColour = 7;
std::optional<int> colourIndex(const QString &word);
QString colourWord(int index);

// The direction wheel: 0 rightwards, 1 leftwards.
std::optional<int> direction(const QString &word);
QString directionWord(int direction);
} // namespace CliWords
