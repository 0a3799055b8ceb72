#pragma once

// The lighting types the preview knows besides the twelve effects 0x00 .. 0x0B.
namespace EffectType
{
constexpr int none = -1;
constexpr int staticLight = 0x00;
constexpr int breathing = 0x01;
constexpr int fadingMarquee = 0x02;
constexpr int lightOnPress = 0x03;
constexpr int starry = 0x04;
constexpr int laser = 0x05;
constexpr int wave = 0x06;
constexpr int neon = 0x07;
constexpr int raindrop = 0x08;
constexpr int ripple = 0x09;
constexpr int wave2 = 0x0A;
constexpr int vortex = 0x0B;
constexpr int firstPicture = 0x33;
constexpr int lastPicture = 0x37;
} // namespace EffectType

// The preview's tick in milliseconds for a type at a speed value (`speedLV`, 1 fastest .. 7).
// Types outside 0x01 .. 0x0B tick as the static light does. 0 means the preview does not tick:
// the keyboard never gets a speed value outside 1 .. 7, and a timer of 0 ms would only spin.
int effectInterval(int type, int speedLV);
