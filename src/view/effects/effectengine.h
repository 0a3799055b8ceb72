#pragma once

#include "view/effects/keylayout.h"

#include <array>
#include <random>
#include <vector>

// A key's colour in the preview: red, green, blue and opacity, each 0 .. 255.
struct KeyColour {
    int r = 0;
    int g = 0;
    int b = 0;
    int alpha = 0;

    friend bool operator==(const KeyColour &lhs, const KeyColour &rhs)
    {
        return lhs.r == rhs.r && lhs.g == rhs.g && lhs.b == rhs.b && lhs.alpha == rhs.alpha;
    }
    friend bool operator!=(const KeyColour &lhs, const KeyColour &rhs) { return !(lhs == rhs); }
};

// The lighting effects as the keyboard plays them, one tick at a time, on the keys of a
// KeyLayout. Nothing here knows of timers or drawing: the owner calls tick() at the effect's
// interval and reads shownColours() when it draws. A tick costs time in proportion to the
// number of keys only.
class EffectEngine
{
public:
    struct Circle {
        bool isEnable = false;
        int x0 = 0;
        int y0 = 0;
        int r = 0;
    };

    void setLayout(KeyLayout layout);
    const KeyLayout &layout() const { return keyLayout; }

    // Seven colours; a colour index of 0 .. 6 picks one, anything else cycles through them.
    void setPalette(const std::array<Rgb, 7> &colours) { palette = colours; }
    void setColourIndex(int index) { colourIndex = index; }
    void setBrightnessLevel(int level) { brightnessLV = level; }
    void setDirection(int wheel) { directLV = wheel; }
    // Picture 1 .. 5: mode, red, green, blue per matrix position.
    void setPicture(int n, std::vector<int> picture);
    const std::vector<int> &picture(int n) const;

    // Starts `type` from its first state.
    void play(int type);
    int type() const { return effect; }
    // One step of the current effect.
    void tick();
    // A key pressed on the keyboard, by matrix position.
    void press(int matrix);

    int count() const { return counter; }
    int loopIndex() const { return loop; }
    const std::array<Circle, 3> &rippleCircles() const { return ripples; }
    const Circle &vortexCircle() const { return vortex; }
    int runningLasers() const { return int(lasers.size()); }

    // The opacity a lit key has at the current brightness: 0, else 75 .. 255.
    int litAlpha() const;
    // Each key's colour as shown, in definition order.
    std::vector<KeyColour> shownColours() const;

private:
    struct Laser {
        int row = 0;
        int start = 0;
        int step = 0;
    };

    bool isLoop() const { return colourIndex < 0 || colourIndex > 6; }
    Rgb colour() const;
    void advance();
    void light(int key, int alpha);
    void lightMatrix(int matrix);
    void fadeAll(int divisor);
    void darkenAll();
    void lightRing(const Circle &circle, bool advancePerKey);
    void stepMarquee();
    void stepLasers();
    void shiftHues();

    KeyLayout keyLayout;
    std::array<Rgb, 7> palette{};
    int colourIndex = 0;
    int brightnessLV = 7;
    int directLV = 1;
    std::array<std::vector<int>, 5> pictures;

    int effect = -1;
    int counter = 0;
    int loop = 0;
    std::vector<Rgb> keyRgb;
    std::vector<int> keyAlpha;
    std::array<Rgb, 7> captured{};
    std::array<Circle, 3> ripples{};
    int nextRipple = 0;
    Circle vortex;
    std::vector<Laser> lasers;
    std::minstd_rand random{std::random_device{}()};
};
