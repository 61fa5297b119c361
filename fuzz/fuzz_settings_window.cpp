// Any bytes as qvn.ini, applied to the window on a few screens: the window
// stays on the screen and no smaller than its minimum, the text measures
// stay positive and bounded, and what is written back reads back the same.
#include <cstdint>
#include <cstdlib>

#include "browser/browser_settings.h"
#include "layout/page_breaking.h"
#include "layout/page_metrics.h"
#include "layout/window_geometry.h"

namespace {

constexpr qvn::ScreenArea kScreens[] = {
    {0, 0, 1280, 1024}, {0, 0, 300, 200}, {-1920, -200, 3200, 1224}, {0, 0, 0, 0}};

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckOnScreen(const qvn::BrowserWindowState& state, const qvn::ScreenArea& screen) {
  const qvn::WindowPlacement& place = state.placement;
  Check(place.size.width >= qvn::kMinWindowWidth && place.size.height >= qvn::kMinWindowHeight);
  bool fits_x = screen.width >= qvn::kMinWindowWidth;
  bool fits_y = screen.height >= qvn::kMinWindowHeight;
  if (fits_x)
    Check(place.position.x >= screen.x &&
          place.position.x + place.size.width <= screen.x + screen.width);
  else
    Check(place.position.x == screen.x && place.size.width == qvn::kMinWindowWidth);
  if (fits_y)
    Check(place.position.y >= screen.y &&
          place.position.y + place.size.height <= screen.y + screen.height);
  else
    Check(place.position.y == screen.y && place.size.height == qvn::kMinWindowHeight);

  // The page image is at most the window: no gigabytes from a settings file.
  Check(place.size.width <= 3200 && place.size.height <= 1224);
  Check(state.font_size >= qvn::kMinFontSize && state.font_size <= qvn::kMaxFontSize);
  Check(state.gap_tenths >= qvn::kMinGapTenths && state.gap_tenths <= qvn::kMaxGapTenths);
  // A font of that size is about 4/3 of it in pixels, a cell half of that.
  int sample_height = state.font_size * 4 / 3;
  int pitch = qvn::LinePitch(sample_height, state.gap_tenths);
  Check(pitch >= 1 && pitch <= sample_height * qvn::kMaxGapTenths / 10);
  int visible = qvn::VisibleHeight(place.size.height, pitch);
  Check(visible >= 0 && visible <= place.size.height);
  int cell = qvn::CellWidth(10 * sample_height / 2);
  if (cell > 0) qvn::BytesPerRow(place.size.width, qvn::kScrollBarWidth, cell);
  qvn::Size balanced = qvn::BalanceFourThree(place.size);
  Check(balanced.width > 0 && balanced.height > 0);
  qvn::LineGapMenuState(state.gap_tenths);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qvn::Bytes content(reinterpret_cast<const char*>(data), size);
  qvn::BrowserSettings settings = qvn::ReadBrowserSettings(qvn::Profile::Parse(content));
  for (const qvn::ScreenArea& screen : kScreens)
    CheckOnScreen(qvn::WindowStateFor(settings, screen), screen);

  qvn::Profile profile = qvn::Profile::Parse(content);
  qvn::WriteBrowserSettings(settings, profile);
  qvn::BrowserSettings again = qvn::ReadBrowserSettings(qvn::Profile::Parse(profile.Serialize()));
  Check(again.top == settings.top && again.left == settings.left);
  Check(again.width == settings.width && again.height == settings.height);
  Check(again.font_size == settings.font_size && again.gap_tenths == settings.gap_tenths);
  Check(again.Bold() == settings.Bold() && again.Italic() == settings.Italic());
  Check(again.old_exe == settings.old_exe && again.contrast == settings.contrast);
  return 0;
}
