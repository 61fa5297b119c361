#pragma once
// The bitmap-to-JPEG converter: a bitmap becomes a JPEG file beside it.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace qvn {

class JpegDialog : public QDialog {
  Q_OBJECT

 public:
  explicit JpegDialog(QWidget* parent);

  // What the open button does once a bitmap has been chosen.
  void TakeBitmap(const QString& path);
  // Converts the chosen bitmap; false (after the error box) on failure.
  bool Convert();

  QLabel* Label1;
  QLabel* Label2;  // the chosen bitmap's path
  QLabel* Label3;
  QSlider* TrackBar1;
  QLabel* Label4;        // the bar's position and "%"
  QCheckBox* CheckBox1;  // progressive
  QCheckBox* CheckBox2;  // grey scale
  QPushButton* Button1;  // open
  QPushButton* Button2;  // convert
  QPushButton* Button3;  // close

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Button1Click();
  void TrackBar1Change(int position);

  QString bitmap_path_;
};

}  // namespace qvn
