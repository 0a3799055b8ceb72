#include "view/effects/keylayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

KeyLayout::KeyLayout(std::vector<PreviewKey> keys, int matrixCount)
    : keyList(std::move(keys)), positions(std::max(matrixCount, 0)), keyOfMatrix(positions, -1)
{
    for (int i = 0; i < int(keyList.size()); ++i) {
        const int m = keyList[i].matrix;
        if (m >= 0 && m < positions && keyOfMatrix[m] < 0)
            keyOfMatrix[m] = i;
    }
    buildRows();
}

int KeyLayout::keyAt(int matrix) const
{
    return matrix >= 0 && matrix < positions ? keyOfMatrix[matrix] : -1;
}

void KeyLayout::buildRows()
{
    const int count = int(keyList.size());
    std::vector<int> byY(count);
    std::iota(byY.begin(), byY.end(), 0);
    std::stable_sort(byY.begin(), byY.end(),
                     [this](int a, int b) { return keyList[a].centreY() < keyList[b].centreY(); });

    // A row ends where the next key's centre lies lower than half the previous key's height:
    // a tall key joins the row its centre is closest to from above.
    std::vector<std::vector<int>> rows;
    for (int n = 0; n < count; ++n) {
        const int key = byY[n];
        if (n == 0) {
            rows.emplace_back();
        } else {
            const PreviewKey &previous = keyList[byY[n - 1]];
            if (keyList[key].centreY() - previous.centreY() > previous.height / 2)
                rows.emplace_back();
        }
        rows.back().push_back(key);
    }

    keyRows.assign(count, -1);
    script.clear();
    laserRowKeys.clear();
    for (int row = 0; row < int(rows.size()); ++row) {
        std::vector<int> &keys = rows[row];
        std::stable_sort(keys.begin(), keys.end(), [this](int a, int b) {
            return keyList[a].centreX() > keyList[b].centreX();
        });
        laserRowKeys.push_back(keys);
        if (row % 2 == 0)
            std::reverse(keys.begin(), keys.end());
        for (int key : keys) {
            keyRows[key] = row;
            script.push_back(keyList[key].matrix);
        }
        script.push_back(separator);
    }
}

std::vector<Rgb> KeyLayout::wavePicture(int blocks) const
{
    std::vector<Rgb> picture(positions);
    if (keyList.empty())
        return picture;
    const auto [least, most] = std::minmax_element(
        keyList.begin(), keyList.end(),
        [](const PreviewKey &a, const PreviewKey &b) { return a.centreX() < b.centreX(); });
    const double x0 = least->centreX();
    const double span = most->centreX() - x0;

    const auto level = [](double f) { return int(std::floor(255 * f)); };
    for (const PreviewKey &key : keyList) {
        if (key.matrix < 0 || key.matrix >= positions)
            continue;
        // A keyboard one key wide is all at the start of the rainbow.
        const double t = span > 0 ? (key.centreX() - x0) * blocks / span : 0;
        Rgb colour;
        if (t <= 1)
            colour = {level(1 - t), level(t), 0};
        else if (t <= 2)
            colour = {0, level(2 - t), level(t - 1)};
        else if (blocks == 3)
            colour = {level(t - 2), 0, level(3 - t)};
        else if (t <= 3)
            colour = {0, level(t - 2), level(3 - t)};
        else
            colour = {level(t - 3), level(4 - t), 0};
        picture[key.matrix] = colour;
    }
    return picture;
}
