#pragma once
// Pictures of what a program shows on the (X) screen, saved for a person to
// look at: QVN_SHOT_DIR (the build folder by default), named
// <program>-<QVN_SHOT_LANGUAGE>-<what>.png.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <string>

namespace qvn {

inline std::string Environment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

// Lets the windows reach the screen.
inline void Settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The visible windows (menus and dialogs included), from the screen; true
// when the picture is not blank.
inline bool Shoot(const std::string& program, const std::string& what) {
  Settle(400);
  QRect area;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) area |= window->frameGeometry();
  QImage shot = QGuiApplication::primaryScreen()
                    ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                    .toImage();
  std::string file = Environment("QVN_SHOT_DIR", QVN_BINARY_DIR);
  file.append("/").append(program).append("-");
  file.append(Environment("QVN_SHOT_LANGUAGE", "ja")).append("-").append(what).append(".png");
  EXPECT_TRUE(shot.save(QString::fromStdString(file))) << file;
  int differing = 0;
  for (int y = 0; y < shot.height(); y += 4)
    for (int x = 0; x < shot.width(); x += 4)
      if (shot.pixel(x, y) != shot.pixel(0, 0)) ++differing;
  return differing > 50;
}

}  // namespace qvn
