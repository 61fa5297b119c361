#include "gui/font_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace qvn {

namespace {

// The sizes a font dialog lists; any other size in range may be typed.
constexpr int kListedSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Style names as the Japanese desktop shows them; index = bold + 2 × italic.
const char* const kStyleNames[] = {QT_TRANSLATE_NOOP("qvn::FontDialog", "標準"),
                                   QT_TRANSLATE_NOOP("qvn::FontDialog", "太字"),
                                   QT_TRANSLATE_NOOP("qvn::FontDialog", "斜体"),
                                   QT_TRANSLATE_NOOP("qvn::FontDialog", "太字 斜体")};

QString Tr(const char* text) {
  return QCoreApplication::translate("QFontDialog", text);
}

}  // namespace

bool IsCellFont(const QString& family) {
  if (QFontDatabase::isFixedPitch(family)) return true;
  QFont font(family);
  font.setPixelSize(20);
  if (QFontInfo(font).family() != family) return false;  // not the face itself
  QFontMetricsF metrics(font);
  if (!metrics.inFontUcs4(0x5B57)) return false;  // no full-width "字" of its own
  const qreal full = metrics.horizontalAdvance(QChar(0x5B57));
  for (char16_t ch = 0x21; ch < 0x7F; ++ch)
    if (std::abs(2 * metrics.horizontalAdvance(QChar(ch)) - full) > 0.5) return false;
  return true;
}

FontDialog::FontDialog(const QFont& initial, int points, const FontDialogOptions& options,
                       QWidget* parent)
    : QDialog(parent),
      options_(options),
      given_family_(initial.family()),
      shown_family_(QFontInfo(initial).family()),
      families_(new QListWidget(this)),
      styles_(new QListWidget(this)),
      sizes_(new QListWidget(this)),
      size_field_(new QLineEdit(this)),
      underline_(new QCheckBox(Tr("&Underline"), this)),
      strike_out_(new QCheckBox(Tr("Stri&keout"), this)),
      sample_(new QLabel(this)),
      size_note_(new QLabel(this)) {
  setObjectName("FontDialog");
  setWindowTitle(Tr("Select Font"));
  families_->setObjectName("Families");
  styles_->setObjectName("Styles");
  sizes_->setObjectName("Sizes");
  size_field_->setObjectName("SizeField");
  size_note_->setObjectName("SizeNote");

  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family)) continue;
    if (options.cell_fonts_only && !IsCellFont(family)) continue;
    families_->addItem(family);
  }
  for (const char* name : kStyleNames) styles_->addItem(tr(name));
  for (int size : kListedSizes)
    if (size >= options.min_points && size <= options.max_points)
      sizes_->addItem(QString::number(size));
  size_field_->setValidator(new QIntValidator(options.min_points, options.max_points, this));

  // The face the window uses now: by its own name, or by the face that
  // stands in for it.
  QList<QListWidgetItem*> found = families_->findItems(given_family_, Qt::MatchFixedString);
  if (found.isEmpty()) found = families_->findItems(shown_family_, Qt::MatchFixedString);
  if (!found.isEmpty()) {
    families_->setCurrentItem(found.first());
    shown_family_ = found.first()->text();
  } else if (families_->count() > 0) {
    shown_family_.clear();
  }
  styles_->setCurrentRow((initial.bold() ? 1 : 0) + (initial.italic() ? 2 : 0));
  const int size = std::clamp(points, options.min_points, options.max_points);
  size_field_->setText(QString::number(size));
  QList<QListWidgetItem*> listed = sizes_->findItems(QString::number(size), Qt::MatchExactly);
  if (!listed.isEmpty()) sizes_->setCurrentItem(listed.first());
  underline_->setChecked(initial.underline());
  strike_out_->setChecked(initial.strikeOut());

  connect(sizes_, &QListWidget::currentTextChanged, this, [this](const QString& text) {
    if (!text.isEmpty()) size_field_->setText(text);
  });
  for (QListWidget* list : {families_, styles_})
    connect(list, &QListWidget::currentRowChanged, this, [this] { UpdateSample(); });
  connect(size_field_, &QLineEdit::textChanged, this, [this] { UpdateSample(); });
  connect(underline_, &QCheckBox::toggled, this, [this] { UpdateSample(); });
  connect(strike_out_, &QCheckBox::toggled, this, [this] { UpdateSample(); });

  auto* grid = new QGridLayout;
  auto label = [this](const char* text, QWidget* buddy) {
    auto* l = new QLabel(Tr(text), this);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("&Font", families_), 0, 0);
  grid->addWidget(label("Font st&yle", styles_), 0, 1);
  grid->addWidget(label("&Size", size_field_), 0, 2);
  grid->addWidget(families_, 1, 0, 2, 1);
  grid->addWidget(styles_, 1, 1, 2, 1);
  grid->addWidget(size_field_, 1, 2);
  grid->addWidget(sizes_, 2, 2);
  grid->addWidget(size_note_, 3, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(2, 1);
  auto* effects = new QGroupBox(Tr("Effects"), this);
  auto* effects_layout = new QVBoxLayout(effects);
  effects_layout->addWidget(strike_out_);
  effects_layout->addWidget(underline_);
  auto* sample_box = new QGroupBox(Tr("Sample"), this);
  auto* sample_layout = new QVBoxLayout(sample_box);
  sample_->setObjectName("Sample");
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumHeight(64);
  sample_layout->addWidget(sample_);
  auto* lower = new QHBoxLayout;
  lower->addWidget(effects);
  lower->addWidget(sample_box, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(lower);
  layout->addWidget(buttons);
  resize(520, 400);
  UpdateSample();
  families_->setFocus();
}

FontChoice FontDialog::Choice() const {
  FontChoice choice;
  QListWidgetItem* family = families_->currentItem();
  choice.family = !family || family->text() == shown_family_ ? given_family_ : family->text();
  bool ok = false;
  int points = size_field_->text().toInt(&ok);
  choice.points =
      std::clamp(ok ? points : options_.min_points, options_.min_points, options_.max_points);
  const int style = std::max(0, styles_->currentRow());
  choice.bold = (style & 1) != 0;
  choice.italic = (style & 2) != 0;
  choice.underline = underline_->isChecked();
  choice.strike_out = strike_out_->isChecked();
  return choice;
}

void FontDialog::UpdateSample() {
  FontChoice choice = Choice();
  // The field takes two digits past the limits; what is used instead is said.
  QString limits = tr("%1～%2").arg(options_.min_points).arg(options_.max_points);
  bool ok = false;
  int typed = size_field_->text().toInt(&ok);
  if (ok && typed == choice.points)
    size_note_->setText(limits);
  else
    size_note_->setText(tr("%1: %2 になります").arg(limits).arg(choice.points));
  QFont font(choice.family);
  font.setPointSize(choice.points);
  font.setBold(choice.bold);
  font.setItalic(choice.italic);
  font.setUnderline(choice.underline);
  font.setStrikeOut(choice.strike_out);
  sample_->setFont(font);
  sample_->setText(QString::fromUtf8(u8"AaBbYyZz あア亜"));
}

std::optional<FontChoice> FontDialog::GetFont(const QFont& initial, int points,
                                              const FontDialogOptions& options, QWidget* parent) {
  FontDialog dialog(initial, points, options, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace qvn
