#pragma once
// Placement of the browser window's controls and the 4:3 balance.
namespace qvn {

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

inline constexpr int kScrollBarWidth = 16;
inline constexpr Size kChoiceButtonSize = {41, 25};
inline constexpr Size kMinimumWindowSize = {320, 240};

// The client size that gives the text area (client less the scroll bar) the
// proportion 4:3: a narrow area grows one side, a wide one shrinks one.
Size BalanceFourThree(Size client, int scroll_bar_width = kScrollBarWidth);

// Top-left corner of the choice button with Tag `tag` (1 at the right).
constexpr Point ChoiceButtonPosition(Size client, int tag, int scroll_bar_width = kScrollBarWidth) {
  return {client.width - 44 * tag - scroll_bar_width, client.height - 27};
}

}  // namespace qvn
