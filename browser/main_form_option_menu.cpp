// The settings menu: the font, the line gap, the kinds of sound, the
// compatibility switches, the 4:3 balance and the language.
#include <QMenuBar>

#include "browser/main_form.h"
#include "browser/menu_item.h"
#include "browser/window_font.h"
#include "gui/font_dialog.h"
#include "gui/language_menu.h"
#include "layout/page_metrics.h"

namespace qvn {

void MainForm::CreateOptionMenu() {
  Option1 = menuBar()->addMenu(tr("設定(&O)"));
  Option1->setObjectName("Option1");
  Font1 = AddMenuItem(Option1, "Font1", tr("フォント(&F)"), QKeySequence("Ctrl+F"));
  connect(Font1, &QAction::triggered, this, [this] { Font1Click(); });
  Gap1 = Option1->addMenu(tr("行間隔(&G)"));
  Gap1->setObjectName("Gap1");
  Wide1 = AddMenuItem(Gap1, "Wide1", tr("広く(&W)"), QKeySequence("Ctrl+W"));
  Narrow1 = AddMenuItem(Gap1, "Narrow1", tr("狭く(&N)"), QKeySequence("Ctrl+N"));
  Standard1 = AddMenuItem(Gap1, "Standard1", tr("標準(&S)"));
  connect(Wide1, &QAction::triggered, this, [this] { GapOptClick(1); });
  connect(Narrow1, &QAction::triggered, this, [this] { GapOptClick(-1); });
  connect(Standard1, &QAction::triggered, this, [this] { GapOptClick(0); });
  connect(Gap1, &QMenu::aboutToShow, this, [this] {
    LineGapMenu state = LineGapMenuState(gap_tenths_);
    Wide1->setEnabled(state.wider_enabled);
    Narrow1->setEnabled(state.narrower_enabled);
    Standard1->setEnabled(state.standard_enabled);
  });
  QMenu* sound = Option1->addMenu(tr("音声(&S)"));
  sound->setObjectName("Sound1");
  Mid1 = MakeCheckable(AddMenuItem(sound, "Mid1", tr("Midファイル")), true);
  Wav1 = MakeCheckable(AddMenuItem(sound, "Wav1", tr("Wavファイル")), true);
  Other1 = MakeCheckable(AddMenuItem(sound, "Other1", tr("その他のファイル")), true);
  for (QAction* kind : {Mid1, Wav1, Other1})
    connect(kind, &QAction::triggered, this, [this](bool checked) { SoundClick(checked); });
  QMenu* compatibility = Option1->addMenu(tr("互換性(&C)"));
  compatibility->setObjectName("Compatibility1");
  OldExe1 = MakeCheckable(AddMenuItem(compatibility, "OldExe1", tr("旧形式外部EXE")), false);
  LowRes1 = MakeCheckable(
      AddMenuItem(compatibility, "LowRes1", tr("ローレゾ"), QKeySequence("Ctrl+C")), false);
  Contrast1 = MakeCheckable(
      AddMenuItem(compatibility, "Contrast1", tr("高輝度ふち取り"), QKeySequence("Ctrl+E")), false);
  connect(OldExe1, &QAction::toggled, this,
          [this](bool checked) { session_.Options().old_program_form = checked; });
  connect(LowRes1, &QAction::triggered, this, [this] { GrOptClick(); });
  connect(Contrast1, &QAction::triggered, this, [this] { GrOptClick(); });
  Smooth1 = MakeCheckable(AddMenuItem(Option1, "Smooth1", tr("文字を滑らかに(&M)")), true);
  connect(Smooth1, &QAction::triggered, this, [this] { GrOptClick(); });
  CreateProgramMenu();
  balance1 = AddMenuItem(Option1, "balance1", tr("4:3バランス"), QKeySequence("Ctrl+B"));
  connect(balance1, &QAction::triggered, this, [this] { Balance(); });
  Option1->addSeparator();
  Language1 = new LanguageMenu(Option1, std::nullopt, this);
  connect(Option1, &QMenu::aboutToShow, this,
          [this] { balance1->setEnabled(!isMinimized() && !isMaximized()); });
}

void MainForm::SoundClick(bool checked) {
  // Switching a kind off silences whatever plays, music included.
  if (checked) return;
  session_.MutableState().music_mark = false;
  StopSound();
}

void MainForm::Font1Click() {
  // The faces whose every byte is one cell, 8 to 48 points.
  std::optional<FontChoice> chosen =
      FontDialog::GetFont(window_font_, WindowFontPoints(window_font_), {true, 8, 48}, this);
  if (!chosen) return;
  window_font_ = WindowFont(chosen->family, chosen->points, chosen->bold, chosen->italic);
  window_font_.setUnderline(chosen->underline);
  window_font_.setStrikeOut(chosen->strike_out);
  MeasureFont();
  PageReset();
}

void MainForm::GapOptClick(int tag) {
  LineGapMenu state = LineGapMenuState(gap_tenths_);
  // A shortcut reaches here even when the menu would show the item disabled.
  if ((tag > 0 && !state.wider_enabled) || (tag < 0 && !state.narrower_enabled)) return;
  gap_tenths_ = ApplyLineGap(gap_tenths_, tag);
  MeasureFont();
  PageReset();
}

void MainForm::GrOptClick() {
  page_new_ = true;
  PageReset();
}

}  // namespace qvn
