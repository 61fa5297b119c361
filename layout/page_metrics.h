#pragma once
// Font metrics of the page and the line gap, kept in tenths so that the menu's
// steps add up exactly (1.2 + 0.1 + 0.1 ... reaches 2.0, and back to 1.2).
namespace qvn {

inline constexpr int kStandardGapTenths = 12;

// Width of one byte from the width of the ten-byte sample "字幅Metric".
constexpr int CellWidth(int sample_width) { return (sample_width + 2) / 10; }

// Height of one row: the sample's height times the gap, fraction cut off.
constexpr int LinePitch(int sample_height, int gap_tenths) {
  return sample_height * gap_tenths / 10;
}

// The part of the client area that shows whole rows.
constexpr int VisibleHeight(int client_height, int line_pitch) {
  return line_pitch > 0 ? line_pitch * (client_height / line_pitch) : 0;
}

// A released scroll thumb snaps back to the start of its row.
constexpr int SnapToRow(int position, int line_pitch) {
  return line_pitch > 0 ? line_pitch * (position / line_pitch) : position;
}

struct LineGapMenu {
  bool wider_enabled;
  bool narrower_enabled;
  bool standard_enabled;
};

constexpr LineGapMenu LineGapMenuState(int gap_tenths) {
  return {gap_tenths < 20, gap_tenths > 10, gap_tenths != kStandardGapTenths};
}

// `tag` 1 widens, -1 narrows, 0 restores the standard gap.
constexpr int ApplyLineGap(int gap_tenths, int tag) {
  return tag == 0 ? kStandardGapTenths : gap_tenths + tag;
}

struct ScrollRange {
  int maximum = 0;
  int page_step = 0;
  int line_step = 0;
  bool enabled = false;
};

// The scroll bar for a page image of `image_height` pixels.
constexpr ScrollRange PageScrollRange(int image_height, int line_pitch, int visible_height) {
  ScrollRange range;
  if (visible_height > 0 && (image_height + line_pitch) / visible_height >= 1) {
    range.maximum = image_height + line_pitch - visible_height;
    range.page_step = visible_height;
    range.line_step = line_pitch;
  }
  range.enabled = range.maximum >= 1;
  return range;
}

}  // namespace qvn
