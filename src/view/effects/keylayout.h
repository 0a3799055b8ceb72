#pragma once

#include <vector>

// One key of the preview as the hardware definition places it: its matrix position and its
// rectangle on the keyboard drawing. Keys are kept in definition order.
struct PreviewKey {
    int matrix = -1;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double centreX() const { return x + width / 2; }
    double centreY() const { return y + height / 2; }
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;

    friend bool operator==(const Rgb &lhs, const Rgb &rhs)
    {
        return lhs.r == rhs.r && lhs.g == rhs.g && lhs.b == rhs.b;
    }
};

// What the effects need to know of the key arrangement, worked out once when the keys are set:
// the rows from the top, the serpentine row script that the fading marquee walks, the rows as
// the laser runs them and the two rainbow pictures the waves start from.
class KeyLayout
{
public:
    static constexpr int separator = -1;

    KeyLayout() = default;
    // `matrixCount` positions; keys on a position outside 0 .. matrixCount - 1 still light but
    // have no place in the per-position tables.
    KeyLayout(std::vector<PreviewKey> keys, int matrixCount);

    const std::vector<PreviewKey> &keys() const { return keyList; }
    int matrixCount() const { return positions; }
    // The key on a matrix position, -1 for none.
    int keyAt(int matrix) const;

    // Matrix positions row by row, even rows left to right and odd rows right to left, each row
    // followed by `separator`.
    const std::vector<int> &rowScript() const { return script; }
    // The row of each key, 0 for the top row, in definition order.
    const std::vector<int> &rowOfKey() const { return keyRows; }
    // Key indexes of each row, rightmost first: the laser runs along these.
    const std::vector<std::vector<int>> &laserRows() const { return laserRowKeys; }

    // The rainbow spread across the keys' centres in `blocks` (3 or 4) blocks, one colour per
    // matrix position; positions without a key are black.
    std::vector<Rgb> wavePicture(int blocks) const;

private:
    void buildRows();

    std::vector<PreviewKey> keyList;
    int positions = 0;
    std::vector<int> keyOfMatrix;
    std::vector<int> script;
    std::vector<int> keyRows;
    std::vector<std::vector<int>> laserRowKeys;
};
