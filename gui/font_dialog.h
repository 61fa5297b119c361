#pragma once
// The font dialog of both programs: face, style, size in points and effects,
// in Qt's Japanese texts. The browser offers the faces whose every byte of
// text is one cell wide: fixed-pitch faces, and the Japanese faces whose
// half-width characters are half as wide as their full-width ones.
#include <QDialog>
#include <QFont>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace qvn {

struct FontChoice {
  QString family;
  int points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
};

struct FontDialogOptions {
  bool cell_fonts_only = false;
  int min_points = 1;
  int max_points = 72;
};

// True when every byte of text in `family` is one cell: a fixed-pitch face,
// or one whose single-byte characters are all half a full-width character.
bool IsCellFont(const QString& family);

class FontDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens on `initial` at `points` (its size in points).
  FontDialog(const QFont& initial, int points, const FontDialogOptions& options, QWidget* parent);

  // nullopt when cancelled.
  static std::optional<FontChoice> GetFont(const QFont& initial, int points,
                                           const FontDialogOptions& options, QWidget* parent);

  // What is chosen now. The face keeps the name it was given (such as a
  // substituted one) while the reader has not chosen another.
  FontChoice Choice() const;

  QListWidget* Families() const { return families_; }
  QListWidget* Styles() const { return styles_; }
  QListWidget* Sizes() const { return sizes_; }
  QLineEdit* SizeField() const { return size_field_; }
  QCheckBox* Underline() const { return underline_; }
  QCheckBox* StrikeOut() const { return strike_out_; }

 private:
  void UpdateSample();

  FontDialogOptions options_;
  QString given_family_;
  QString shown_family_;
  QListWidget* families_;
  QListWidget* styles_;
  QListWidget* sizes_;
  QLineEdit* size_field_;
  QCheckBox* underline_;
  QCheckBox* strike_out_;
  QLabel* sample_;
  QLabel* size_note_;  // the limits, and the size a typed one out of them gives
};

}  // namespace qvn
