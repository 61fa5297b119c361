#pragma once
// The block graph of a story, drawn from its SVG: zoomed with the buttons,
// Ctrl and the wheel, or Ctrl + / Ctrl -, and saved as an SVG file.
#include <QByteArray>
#include <QDialog>
#include <QGraphicsView>

class QGraphicsSvgItem;
class QSvgRenderer;

namespace qvn {

class GraphView : public QGraphicsView {
  Q_OBJECT

 public:
  using QGraphicsView::QGraphicsView;
  void Zoom(double factor);
  double Scale() const { return transform().m11(); }

 protected:
  void wheelEvent(QWheelEvent* event) override;
};

class StoryGraphWindow : public QDialog {
  Q_OBJECT

 public:
  // `svg` is the drawing; `suggested_path` the file name offered on save.
  StoryGraphWindow(const QByteArray& svg, const QString& suggested_path, QWidget* parent = nullptr);

  GraphView* View() const { return view_; }
  // Writes the drawing to `path`; false (after the error box) when it failed.
  bool SaveTo(const QString& path);

 private:
  void Save();

  QByteArray svg_;
  QString suggested_path_;
  GraphView* view_;
  QSvgRenderer* renderer_;
  QGraphicsSvgItem* item_;
};

}  // namespace qvn
