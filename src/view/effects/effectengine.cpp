#include "view/effects/effectengine.h"

#include "view/effects/effectintervals.h"

#include <algorithm>
#include <cmath>

namespace
{
// Half-way values round up, as the interface's arithmetic does.
int roundHalfUp(double value)
{
    return int(std::floor(value + 0.5));
}

int clampColour(int value)
{
    return std::clamp(value, 0, 255);
}

constexpr int ringWidth = 15;
constexpr int rippleEnd = 700;
constexpr std::array<int, 4> vortexCentre{57, 41, 42, 58};
constexpr std::array<int, 17> vortexScriptA{0, 1,  2,  3,  4,  5,  6,  7, 8,
                                            9, 27, 43, 59, 74, 73, 57, 41};
constexpr std::array<int, 17> vortexScriptB{115, 109, 100, 79, 95, 94, 91, 90, 89,
                                            88,  72,  56,  40, 25, 26, 42, 58};
const std::vector<int> noPicture;
} // namespace

void EffectEngine::setLayout(KeyLayout layout)
{
    keyLayout = std::move(layout);
    const std::size_t keys = keyLayout.keys().size();
    keyRgb.assign(keys, Rgb{});
    keyAlpha.assign(keys, 0);
    play(effect);
}

void EffectEngine::setPicture(int n, std::vector<int> picture)
{
    if (n >= 1 && n <= 5)
        pictures[n - 1] = std::move(picture);
}

const std::vector<int> &EffectEngine::picture(int n) const
{
    return n >= 1 && n <= 5 ? pictures[n - 1] : noPicture;
}

int EffectEngine::litAlpha() const
{
    return brightnessLV <= 0 ? 0 : 45 + roundHalfUp(210.0 * brightnessLV / 7);
}

Rgb EffectEngine::colour() const
{
    return palette[isLoop() ? loop : colourIndex % 7];
}

void EffectEngine::advance()
{
    if (isLoop())
        loop = (loop + 1) % 7;
}

void EffectEngine::light(int key, int alpha)
{
    keyRgb[key] = colour();
    keyAlpha[key] = alpha;
}

void EffectEngine::lightMatrix(int matrix)
{
    const int key = keyLayout.keyAt(matrix);
    if (key >= 0)
        light(key, litAlpha());
}

void EffectEngine::fadeAll(int divisor)
{
    const int step = roundHalfUp(double(litAlpha()) / divisor);
    for (int &alpha : keyAlpha)
        alpha = std::max(alpha - step, 0);
}

void EffectEngine::darkenAll()
{
    std::fill(keyAlpha.begin(), keyAlpha.end(), 0);
}

void EffectEngine::play(int type)
{
    effect = type;
    counter = 0;
    loop = 0;
    lasers.clear();
    ripples = {};
    nextRipple = 0;
    vortex = {};
    darkenAll();

    const std::vector<PreviewKey> &keys = keyLayout.keys();
    switch (type) {
    case EffectType::starry:
        captured = palette;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            keyRgb[k] = captured[k % 7];
            keyAlpha[k] = 0;
        }
        break;
    case EffectType::wave:
    case EffectType::wave2: {
        const std::vector<Rgb> picture = keyLayout.wavePicture(type == EffectType::wave ? 3 : 4);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const int m = keys[k].matrix;
            keyRgb[k] = m >= 0 && m < int(picture.size()) ? picture[m] : Rgb{};
        }
        break;
    }
    case EffectType::vortex: {
        double sumX = 0;
        double sumY = 0;
        int found = 0;
        for (int m : vortexCentre) {
            const int key = keyLayout.keyAt(m);
            if (key < 0)
                continue;
            sumX += keys[key].centreX();
            sumY += keys[key].centreY();
            ++found;
        }
        if (found > 0)
            vortex = {true, roundHalfUp(sumX / found), roundHalfUp(sumY / found), 0};
        else
            vortex = {true, 0, 0, 0};
        break;
    }
    default:
        break;
    }
}

void EffectEngine::tick()
{
    switch (effect) {
    case EffectType::breathing:
        counter = (counter + 1) % 102;
        if (counter == 0)
            advance();
        break;
    case EffectType::fadingMarquee:
        stepMarquee();
        break;
    case EffectType::lightOnPress:
        fadeAll(30);
        break;
    case EffectType::starry:
        for (std::size_t k = 0; k < keyRgb.size(); ++k) {
            const int c = (int(k % 7) + counter / 5) % 7;
            const Rgb &from = captured[c];
            const Rgb &to = captured[(c + 1) % 7];
            // Weight (counter mod 5) / 5 on the second colour, in whole numbers so that the
            // floor is exact.
            const int w = counter % 5;
            const auto blend = [w](int a, int b) { return (a * (5 - w) + b * w) / 5; };
            keyRgb[k] = {blend(from.r, to.r), blend(from.g, to.g), blend(from.b, to.b)};
        }
        counter = (counter + 1) % 35;
        break;
    case EffectType::laser:
        stepLasers();
        break;
    case EffectType::wave:
    case EffectType::wave2:
        shiftHues();
        break;
    case EffectType::neon:
        counter = (counter + 1) % 255;
        break;
    case EffectType::raindrop:
        fadeAll(60);
        if (!keyRgb.empty()) {
            std::uniform_int_distribution<int> anyKey(0, int(keyRgb.size()) - 1);
            light(anyKey(random), litAlpha());
            advance();
        }
        break;
    case EffectType::ripple:
        fadeAll(10);
        for (Circle &circle : ripples) {
            if (!circle.isEnable)
                continue;
            lightRing(circle, true);
            circle.r += ringWidth;
            if (circle.r > rippleEnd)
                circle = {};
        }
        break;
    case EffectType::vortex:
        fadeAll(7);
        if (counter < 17) {
            lightMatrix(vortexScriptA[counter]);
            lightMatrix(vortexScriptB[counter]);
        } else {
            lightRing(vortex, false);
        }
        if (counter >= 17 && counter <= 43)
            vortex.r += ringWidth;
        else if (counter == 44)
            vortex.r = 0;
        counter = (counter + 1) % 45;
        loop = (loop + 1) % 7;
        break;
    default:
        // The static light, the pictures and no effect only cycle the colour.
        advance();
        break;
    }
}

// The vortex cycles its colour once per tick by itself, so its ring does not advance per key.
void EffectEngine::lightRing(const Circle &circle, bool advancePerKey)
{
    const std::vector<PreviewKey> &keys = keyLayout.keys();
    const double inner = std::max(circle.r - ringWidth, 0);
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const double d = std::hypot(keys[k].centreX() - circle.x0, keys[k].centreY() - circle.y0);
        if (d < inner || d > circle.r)
            continue;
        light(int(k), litAlpha());
        if (advancePerKey)
            advance();
    }
}

void EffectEngine::stepMarquee()
{
    fadeAll(20);
    const std::vector<int> &script = keyLayout.rowScript();
    if (script.empty())
        return;
    lightMatrix(script[counter]);
    // Every separator passed ends a row: the colour moves on with the row.
    const int size = int(script.size());
    for (int passed = 0; passed < size; ++passed) {
        counter = (counter + 1) % size;
        if (script[counter] != KeyLayout::separator)
            break;
        advance();
    }
}

void EffectEngine::stepLasers()
{
    const int alpha = roundHalfUp(255.0 * brightnessLV / 7);
    const std::vector<std::vector<int>> &rows = keyLayout.laserRows();
    bool lit = false;
    for (Laser &laser : lasers) {
        const std::vector<int> &row = rows[laser.row];
        const int left = laser.start - laser.step;
        const int right = laser.start + laser.step;
        if (left < 0 && right >= int(row.size())) {
            for (int key : row)
                keyAlpha[key] = 0;
            lasers.clear();
            break;
        }
        if (left >= 0) {
            light(row[left], alpha);
            lit = true;
        }
        if (right < int(row.size()) && right != left) {
            light(row[right], alpha);
            lit = true;
        }
        ++laser.step;
    }
    if (lit)
        advance();
}

void EffectEngine::shiftHues()
{
    constexpr int step = 16;
    const bool leftwards = directLV == 2 || directLV == 4;
    for (Rgb &c : keyRgb) {
        int *from;
        int *to;
        if (leftwards) {
            if (c.r == 255 || (c.r != 0 && c.g != 0))
                from = &c.r, to = &c.g;
            else if (c.g == 255 || (c.g != 0 && c.b != 0))
                from = &c.g, to = &c.b;
            else
                from = &c.b, to = &c.r;
        } else {
            if (c.r == 255 || (c.r != 0 && c.b != 0))
                from = &c.r, to = &c.b;
            else if (c.g == 255 || (c.g != 0 && c.r != 0))
                from = &c.g, to = &c.r;
            else
                from = &c.b, to = &c.g;
        }
        *from = clampColour(*from - step);
        *to = clampColour(*to + step);
    }
}

void EffectEngine::press(int matrix)
{
    const int key = keyLayout.keyAt(matrix);
    if (key < 0)
        return;
    switch (effect) {
    case EffectType::lightOnPress:
        light(key, roundHalfUp(255.0 * brightnessLV / 7));
        advance();
        break;
    case EffectType::laser: {
        const int row = keyLayout.rowOfKey()[key];
        const std::vector<int> &keys = keyLayout.laserRows()[row];
        const int start = int(std::find(keys.begin(), keys.end(), key) - keys.begin());
        lasers.push_back({row, start, 0});
        break;
    }
    case EffectType::ripple: {
        const PreviewKey &pressed = keyLayout.keys()[key];
        ripples[nextRipple] = {true, roundHalfUp(pressed.centreX()), roundHalfUp(pressed.centreY()),
                               0};
        nextRipple = (nextRipple + 1) % int(ripples.size());
        break;
    }
    default:
        break;
    }
}

std::vector<KeyColour> EffectEngine::shownColours() const
{
    const std::size_t keys = keyRgb.size();
    std::vector<KeyColour> shown(keys);
    const int alpha = litAlpha();
    const auto uniform = [&shown](Rgb c, int a) {
        for (KeyColour &key : shown)
            key = {c.r, c.g, c.b, a};
    };
    switch (effect) {
    case EffectType::staticLight:
        uniform(colour(), alpha);
        break;
    case EffectType::breathing: {
        const int phase = counter < 51 ? counter : 102 - counter;
        uniform(colour(), phase * 5 * brightnessLV / 7);
        break;
    }
    case EffectType::neon: {
        Rgb c;
        if (counter < 85)
            c = {3 * (85 - counter), 0, 3 * counter};
        else if (counter < 170)
            c = {0, 3 * (counter - 85), 3 * (170 - counter)};
        else
            c = {3 * (counter - 170), 3 * (255 - counter), 0};
        uniform(c, alpha);
        break;
    }
    case EffectType::starry:
    case EffectType::wave:
    case EffectType::wave2:
        for (std::size_t k = 0; k < keys; ++k)
            shown[k] = {keyRgb[k].r, keyRgb[k].g, keyRgb[k].b, alpha};
        break;
    case EffectType::fadingMarquee:
    case EffectType::lightOnPress:
    case EffectType::laser:
    case EffectType::raindrop:
    case EffectType::ripple:
    case EffectType::vortex:
        for (std::size_t k = 0; k < keys; ++k)
            shown[k] = {keyRgb[k].r, keyRgb[k].g, keyRgb[k].b, keyAlpha[k]};
        break;
    default:
        if (effect >= EffectType::firstPicture && effect <= EffectType::lastPicture) {
            const std::vector<int> &pic = pictures[effect - EffectType::firstPicture];
            const std::vector<PreviewKey> &layoutKeys = keyLayout.keys();
            for (std::size_t k = 0; k < keys; ++k) {
                const std::size_t at = std::size_t(std::max(layoutKeys[k].matrix, 0)) * 4;
                if (layoutKeys[k].matrix >= 0 && at + 3 < pic.size())
                    shown[k] = {pic[at + 1], pic[at + 2], pic[at + 3], alpha};
                else
                    shown[k] = {0, 0, 0, alpha};
            }
        }
        // Anything else shows nothing: the keys stay transparent.
        break;
    }
    return shown;
}
