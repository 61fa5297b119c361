#include "workbench/story_graph_window.h"

#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsSvgItem>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "platform/file_io.h"

namespace qvn {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kSmallest = 0.05;
constexpr double kLargest = 20.0;

}  // namespace

void GraphView::Zoom(double factor) {
  double scale = Scale() * factor;
  if (scale < kSmallest || scale > kLargest) return;
  this->scale(factor, factor);
}

void GraphView::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    Zoom(event->angleDelta().y() > 0 ? kZoomStep : 1 / kZoomStep);
    event->accept();
    return;
  }
  QGraphicsView::wheelEvent(event);
}

StoryGraphWindow::StoryGraphWindow(const QByteArray& svg, const QString& suggested_path,
                                   QWidget* parent)
    : QDialog(parent), svg_(svg), suggested_path_(suggested_path) {
  setWindowTitle(tr("ストーリー図"));
  setObjectName("StoryGraphWindow");
  auto* scene = new QGraphicsScene(this);
  renderer_ = new QSvgRenderer(svg_, this);
  item_ = new QGraphicsSvgItem();
  item_->setSharedRenderer(renderer_);
  scene->addItem(item_);
  view_ = new GraphView(scene, this);
  view_->setObjectName("GraphView");
  view_->setDragMode(QGraphicsView::ScrollHandDrag);
  view_->setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  view_->setRenderHint(QPainter::Antialiasing);

  auto* zoom_in = new QPushButton(tr("拡大(&+)"), this);
  zoom_in->setObjectName("ZoomIn");
  auto* zoom_out = new QPushButton(tr("縮小(&-)"), this);
  zoom_out->setObjectName("ZoomOut");
  auto* fit = new QPushButton(tr("全体(&W)"), this);
  fit->setObjectName("Fit");
  auto* save = new QPushButton(tr("保存(&S)"), this);
  save->setObjectName("Save");
  auto* close = new QPushButton(tr("閉じる"), this);
  close->setObjectName("Close");
  connect(zoom_in, &QPushButton::clicked, this, [this] { view_->Zoom(kZoomStep); });
  connect(zoom_out, &QPushButton::clicked, this, [this] { view_->Zoom(1 / kZoomStep); });
  connect(fit, &QPushButton::clicked, this,
          [this] { view_->fitInView(item_, Qt::KeepAspectRatio); });
  connect(save, &QPushButton::clicked, this, &StoryGraphWindow::Save);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* zoom_in_key = new QShortcut(QKeySequence::ZoomIn, this);
  connect(zoom_in_key, &QShortcut::activated, this, [this] { view_->Zoom(kZoomStep); });
  auto* zoom_out_key = new QShortcut(QKeySequence::ZoomOut, this);
  connect(zoom_out_key, &QShortcut::activated, this, [this] { view_->Zoom(1 / kZoomStep); });

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {zoom_in, zoom_out, fit, save}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addLayout(buttons);
  resize(800, 600);
}

void StoryGraphWindow::Save() {
  QString path =
      QFileDialog::getSaveFileName(this, tr("ストーリー図の保存"), suggested_path_, "SVG (*.svg)");
  if (!path.isEmpty()) SaveTo(path);
}

bool StoryGraphWindow::SaveTo(const QString& path) {
  FileResult written =
      WriteFileAtomic(path.toStdString(), BytesView(svg_.constData(), svg_.size()));
  if (written.ok) return true;
  QMessageBox::critical(this, tr("ストーリー図"),
                        path + "\n" + QString::fromStdString(written.reason));
  return false;
}

}  // namespace qvn
