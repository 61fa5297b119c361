// The browser window as the story runtime's host.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "browser/about_box.h"
#include "browser/graphics_window.h"
#include "browser/main_form.h"
#include "browser/page_speaker.h"
#include "browser/page_widget.h"
#include "browser/picture_loader.h"
#include "browser/qt_text.h"
#include "browser/runtime_text.h"
#include "platform/program_file.h"
#include "runtime/messages.h"

namespace qvn {

namespace {

// The page in reading order for assistive technology: its lines as the story
// has them, one to a line of text.
QString ReadingText(const std::vector<Bytes>& lines) {
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const Bytes& line : lines) text.append(FromCp932(line));
  return text.join('\n');
}

}  // namespace

void MainForm::HideChoiceButtons() {
  for (QPushButton* button : buttons_) button->hide();
}

void MainForm::ShowChoiceButtons(int count) {
  count = std::clamp(count, 1, 6);
  for (int tag = 1; tag <= count; ++tag) {
    QPushButton* button = ChoiceButton(tag);
    // The buttons read "A", "B", ... from the left; Button1 is the rightmost.
    int choice = count + 1 - tag;
    QString letter = count == 1 ? QString("Next") : QString(QChar('A' + choice - 1));
    button->setText(letter);
    // A screen reader says what the choice says, not just its letter.
    QString caption = FromCp932(session_.Choice(choice).caption);
    QString name = count == 1 ? tr("次へ") : letter;
    button->setAccessibleName(caption.isEmpty() ? name : name + ": " + caption);
    button->show();
  }
  LayoutClientArea();  // the captions' sizes
  ChoiceButton(count)->setFocus();
}

void MainForm::ShowOpenButton() {
  HideChoiceButtons();
  ChoiceButton(1)->setText(RuntimeText(messages::OpenButton()));
  ChoiceButton(1)->setAccessibleName(QString());
  ChoiceButton(1)->show();
  LayoutClientArea();
}

void MainForm::ResetPage(const std::vector<Bytes>& lines, const StoryState& state) {
  page_lines_ = lines;
  text_colour_ = state.text_colour;
  background_colour_ = state.background_colour;
  background_mode_ = state.background_spec.empty() ? 0 : state.background_spec[0];
  page_new_ = true;
  PageReset();
  page_->SetReadingText(ReadingText(page_lines_), FromCp932(state.title));
  SpeakNewPage();
}

void MainForm::PageLineAdded(BytesView line) {
  page_lines_.emplace_back(line);
  page_new_ = true;
  page_->SetReadingText(ReadingText(page_lines_), page_->AccessibleTitle());
  speaker_->LineAdded(FromCp932(line));
  page_->update();
}

void MainForm::SetBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void MainForm::HideGraphicsWindow() {
  graphics_->hide();
}

void MainForm::ShowPicture(const std::filesystem::path& picture) {
  if (auto image = LoadPicture(picture, LowRes1->isChecked())) graphics_->ShowPicture(*image);
}

bool MainForm::LoadBackground(const std::filesystem::path& picture) {
  auto image = LoadPicture(picture, LowRes1->isChecked());
  if (!image) return false;
  background_picture_ = std::move(*image);
  return true;
}

bool MainForm::SoundKindEnabled(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& ch : extension) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (extension == ".MID") return Mid1->isChecked();
  if (extension == ".WAV") return Wav1->isChecked();
  return Other1->isChecked();
}

bool MainForm::PlaySound(SoundDirective directive, const std::filesystem::path& file) {
  auto kind =
      directive == SoundDirective::kMusic ? sound::SoundKind::kMusic : sound::SoundKind::kEffect;
  return sound_player_->Play(kind, file);
}

void MainForm::StopSound() {
  sound_player_->Stop();
}

void MainForm::StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) {
  StartProgramFile(program, argv);
}

std::optional<int> MainForm::ChooseSlot(SlotDialog& dialog) {
  speaker_->Stop();
  return AboutBox::ChooseSlot(this, dialog, last_slot_caption_);
}

std::optional<Bytes> MainForm::AskVariable(int number, BytesView comment, BytesView preset) {
  BytesView label;
  if (number >= 1 && number <= static_cast<int>(session_.State().variables.size()))
    label = session_.State().variables[static_cast<std::size_t>(number - 1)].label;
  return AboutBox::AskValue(this, last_slot_caption_, VariablePrompt(comment, label), preset);
}

void MainForm::ShowWriteFailure(BytesView message) {
  AboutBox::ShowMessage(this, RuntimeText(message));
}

void MainForm::ShowErrorBox(const std::string& file, const std::string& reason) {
  QString text = QString::fromStdString(reason);
  if (!file.empty()) text = QString::fromStdString(file) + "\n" + text;
  speaker_->Announce(text);
  QMessageBox box(QMessageBox::Critical, "QVN3", text, QMessageBox::Ok, this);
  // A screen reader reads the whole box as it comes up, not only its title.
  box.setAccessibleDescription(text);
  box.exec();
}

void MainForm::SetCaption(BytesView caption) {
  setWindowTitle(FromCp932(caption));
}

void MainForm::EnableTempSaveCommands(bool temp_save, bool open_temp_save) {
  Temp1->setEnabled(temp_save);
  OpenTmp1->setEnabled(open_temp_save);
}

}  // namespace qvn
