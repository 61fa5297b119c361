#include "workbench/jpeg_dialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QScreen>

#include "workbench/jpeg_name.h"
#include "workbench/jpeg_writer.h"
#include "workbench/picture_open_dialog.h"

namespace qvn {

namespace {

constexpr int kStartCompression = 40;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(x, 116, 75, 25);
  button->setAutoDefault(false);
  return button;
}

RgbPicture ToRgb(const QImage& image) {
  QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbPicture picture;
  picture.width = rgb.width();
  picture.height = rgb.height();
  const auto row_bytes = static_cast<std::size_t>(rgb.width()) * 3;
  picture.rgb.resize(row_bytes * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y)
    std::copy_n(rgb.constScanLine(y), row_bytes, picture.rgb.data() + row_bytes * y);
  return picture;
}

}  // namespace

JpegDialog::JpegDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("JpegDialog");
  setWindowTitle(tr("Bitmap -> JPEGチェンジャー"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  QFont dialog_font(QString::fromUtf8("ＭＳ ゴシック"));
  dialog_font.setPixelSize(13);
  setFont(dialog_font);
  setFixedSize(312, 149);

  Label1 = MakeLabel(this, "Label1", tr("ファイル名"), 4, 4);
  Label2 = MakeLabel(this, "Label2", QString(), 4, 24);
  Label2->setFixedSize(305, 13);
  Label3 = MakeLabel(this, "Label3", tr("圧縮率"), 4, 54);
  TrackBar1 = new QSlider(Qt::Horizontal, this);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(52, 52, 217, 16);
  TrackBar1->setRange(0, 99);
  TrackBar1->setSingleStep(1);
  TrackBar1->setPageStep(10);
  TrackBar1->setValue(kStartCompression);
  Label4 = MakeLabel(this, "Label4", QString(), 276, 54);
  Label4->setFixedWidth(31);
  Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  CheckBox1 = new QCheckBox(tr("プログレッシブJPEG"), this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->move(8, 80);
  CheckBox2 = new QCheckBox(tr("グレースケール"), this);
  CheckBox2->setObjectName("CheckBox2");
  CheckBox2->move(180, 80);
  Button1 = MakeButton(this, "Button1", tr("開く(&O)"), 8);
  Button2 = MakeButton(this, "Button2", tr("変換(&Z)"), 92);
  Button2->setEnabled(false);
  Button3 = MakeButton(this, "Button3", tr("閉じる(&C)"), 232);

  TrackBar1Change(TrackBar1->value());
  connect(TrackBar1, &QSlider::valueChanged, this, &JpegDialog::TrackBar1Change);
  connect(Button1, &QPushButton::clicked, this, &JpegDialog::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &JpegDialog::Convert);
  // Escape and the close box reject, which closes the dialog as well.
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
  Button1->setFocus();
}

void JpegDialog::TrackBar1Change(int position) {
  Label4->setText(QString("%1%").arg(position));
}

void JpegDialog::Button1Click() {
  PictureOpenDialog dialog(this, tr("ビットマップを開く"), tr("ビットマップ (*.bmp *.BMP)"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  TakeBitmap(dialog.selectedFiles().first());
}

void JpegDialog::TakeBitmap(const QString& path) {
  bitmap_path_ = path;
  Label2->setText(path);
  Button2->setEnabled(true);
}

bool JpegDialog::Convert() {
  if (bitmap_path_.isEmpty()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QImageReader reader(bitmap_path_);
  QImage image = reader.read();
  FileResult result{true, {}};
  QString failing_file = bitmap_path_;
  if (image.isNull()) {
    result = FileResult{false, reader.errorString().toStdString()};
  } else {
    JpegSettings settings;
    settings.quality = QualityForCompression(TrackBar1->value());
    settings.progressive = CheckBox1->isChecked();
    settings.grayscale = CheckBox2->isChecked();
    std::string jpeg_path = JpegNameFor(bitmap_path_.toStdString());
    failing_file = QString::fromStdString(jpeg_path);
    result = WriteJpegFile(jpeg_path, ToRgb(image), settings);
  }
  QApplication::restoreOverrideCursor();
  if (!result.ok)
    QMessageBox::critical(this, windowTitle(),
                          failing_file + "\n" + QString::fromStdString(result.reason));
  return result.ok;
}

void JpegDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  Button1->setFocus();
}

}  // namespace qvn
