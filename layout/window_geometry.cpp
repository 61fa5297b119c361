#include "layout/window_geometry.h"

namespace qvn {

Size BalanceFourThree(Size client, int scroll_bar_width) {
  int w = client.width - scroll_bar_width;
  int h = client.height;
  bool taller_than_four_three = 4 * h > 3 * w;
  bool shorter_than_four_three = 4 * h < 3 * w;
  bool fit_height = w < 400 ? shorter_than_four_three : taller_than_four_three;
  if (fit_height) return {client.width, 3 * w / 4};
  return {4 * h / 3 + scroll_bar_width, client.height};
}

}  // namespace qvn
