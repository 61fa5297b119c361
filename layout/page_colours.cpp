#include "layout/page_colours.h"

#include <array>

namespace qvn {

namespace {

constexpr std::array<Rgb, 16> kColourTable = {{
    {0, 0, 0},        {0, 0, 255},   {255, 0, 0},   {255, 0, 255},   {0, 255, 0},   {0, 255, 255},
    {255, 255, 0},    {255, 255, 255}, {128, 128, 128}, {0, 0, 128}, {128, 0, 0},   {128, 0, 128},
    {0, 128, 0},      {0, 128, 128}, {128, 128, 0}, {192, 192, 192},
}};

bool InTable(int index) { return index >= 0 && index < static_cast<int>(kColourTable.size()); }

}  // namespace

Rgb BackgroundColour(int index) {
  return InTable(index) ? kColourTable[static_cast<std::size_t>(index)] : Rgb{0, 0, 0};
}

Rgb TextColour(int index) {
  return InTable(index) ? kColourTable[static_cast<std::size_t>(index)] : Rgb{255, 255, 255};
}

Rgb OutlineColour(int text_index, bool bright_outline) {
  switch (text_index) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 14:
    case 16:
      return {0, 0, 128};
    default:
      return bright_outline ? Rgb{255, 255, 0} : Rgb{128, 128, 0};
  }
}

}  // namespace qvn
