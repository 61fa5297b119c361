#include "browser/choice_button_row.h"

#include "browser/qt_text.h"
#include "layout/window_geometry.h"

namespace qvn {

namespace {
constexpr int kButtonPixels = 13;
constexpr int kLargeFromPoints = 24;
constexpr int kStandardPoints = 16;
constexpr int kGap = 3;
constexpr int kBottomMargin = 2;
}  // namespace

QFont ChoiceButtonFont(int window_font_points) {
  QFont font(FromUtf8(u8"ＭＳ ゴシック"));
  font.setPixelSize(window_font_points > kLargeFromPoints
                        ? kButtonPixels * window_font_points / kStandardPoints
                        : kButtonPixels);
  font.setBold(true);
  return font;
}

std::vector<QRect> ChoiceButtonRow(QSize client, const std::vector<QSize>& sizes) {
  std::vector<QRect> rects;
  int right = client.width() - kScrollBarWidth - kGap;
  for (const QSize& size : sizes) {
    rects.emplace_back(right - size.width(), client.height() - kBottomMargin - size.height(),
                       size.width(), size.height());
    right -= size.width() + kGap;
  }
  return rects;
}

}  // namespace qvn
