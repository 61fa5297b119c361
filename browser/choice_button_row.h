#pragma once
// The choice buttons with large text: a font that grows with the window font
// past 24 points, and a row that gives each button the size its caption
// needs, right to left from the scroll bar, 3 pixels apart.
#include <QFont>
#include <QRect>
#include <vector>

namespace qvn {

// The buttons' font: bold gothic, 13 pixels up to a window font of 24
// points, then 13 × points / 16 (26 pixels at 32 points, 39 at 48).
QFont ChoiceButtonFont(int window_font_points);

// Where Button1, Button2, ... lie in a client area, given their sizes in tag
// order: Button1's right edge 3 pixels left of the scroll bar, each next one
// 3 pixels to the left of the one before, all 2 pixels above the bottom.
std::vector<QRect> ChoiceButtonRow(QSize client, const std::vector<QSize>& sizes);

}  // namespace qvn
