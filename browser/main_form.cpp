#include "browser/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "browser/choice_button_row.h"
#include "browser/focus_ring_button.h"
#include "browser/graphics_window.h"
#include "browser/page_speaker.h"
#include "browser/page_text_rows.h"
#include "browser/page_widget.h"
#include "browser/qt_text.h"
#include "browser/sound/sdl_audio_backend.h"
#include "browser/window_font.h"
#include "gui/application_setup.h"
#include "gui/close_on_signals.h"
#include "gui/language_menu.h"
#include "layout/page_breaking.h"
#include "layout/page_metrics.h"
#include "layout/window_geometry.h"
#include "platform/file_names.h"
#include "platform/program_folder.h"
#include "runtime/slot_dialog.h"

namespace qvn {

namespace {

constexpr int kChoiceButtons = 6;

// "1" to "6", "A" to "F" and "a" to "f": the keys that name a choice.
bool IsChoiceKey(const QString& text) {
  if (text.size() != 1) return false;
  char16_t ch = text[0].unicode();
  return (ch >= '1' && ch <= '6') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

// What a window may cover: the desktop without its panels.
ScreenArea AvailableScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0, kMaxWindowSide, kMaxWindowSide};
  QRect area = screen->availableVirtualGeometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

}  // namespace

MainForm::MainForm(std::string program_folder)
    : program_folder_(std::move(program_folder)),
      session_(*this, ProgramFolderForWriting(program_folder_), DefaultFallbackFolder()) {
  InstallFontSubstitutes();
  setObjectName("Form1");
  setWindowTitle("Tessaline Novel Browser");
  CreateClientArea();
  CreateMenus();
  graphics_ = new GraphicsWindow(this);
  CreateSoundPlayer();
  settings_ = LoadBrowserSettings(program_folder_);
  ApplySettings();
  MeasureFont();
  ShowOpenButton();
  new CloseOnSignals(this);
}

MainForm::~MainForm() = default;

void MainForm::CreateClientArea() {
  page_ = new PageWidget(this);
  page_->setObjectName("ClientArea");
  setCentralWidget(page_);
  page_->before_paint = [this] { RebuildPageIfStale(); };
  // The wheel over the page (or a button on it) turns the scroll bar's wheel:
  // called directly, so that an unused turn is not passed back to the page.
  page_->on_wheel = [this](QWheelEvent* event) {
    static_cast<QObject*>(scroll_bar_)->event(event);
  };
  // The caret's row is kept in view, a whole row at a time.
  page_->on_caret_row = [this](int top, int height) {
    const int shown = scroll_bar_->value();
    if (top < shown) scroll_bar_->setValue(top);
    if (top + height > shown + visible_height_)
      scroll_bar_->setValue(top + height - visible_height_);
  };
  page_->on_resize = [this] {
    LayoutClientArea();
    page_new_ = true;
    PageReset();
  };

  scroll_bar_ = new QScrollBar(Qt::Vertical, page_);
  scroll_bar_->setObjectName("ScrollBar1");
  scroll_bar_->setEnabled(false);
  scroll_bar_->setRange(0, 0);
  scroll_bar_->setFocusPolicy(Qt::NoFocus);
  connect(scroll_bar_, &QScrollBar::valueChanged, this, [this](int value) { ShowScroll(value); });
  connect(scroll_bar_, &QScrollBar::sliderReleased, this,
          [this] { scroll_bar_->setValue(SnapToRow(scroll_bar_->value(), metrics_.line_pitch)); });

  for (int tag = 1; tag <= kChoiceButtons; ++tag) {
    auto* button = new FocusRingButton(page_);
    button->setObjectName(QString("Button%1").arg(tag));
    button->setFont(ChoiceButtonFont(0));
    button->setFixedSize(kChoiceButtonSize.width, kChoiceButtonSize.height);
    button->setCursor(Qt::PointingHandCursor);
    button->installEventFilter(this);
    button->hide();
    connect(button, &QPushButton::clicked, this, [this, tag] { ButtonClick(tag); });
    buttons_[static_cast<std::size_t>(tag - 1)] = button;
  }
  // Tab order: Button6 first, Button1 last.
  for (int tag = kChoiceButtons; tag > 1; --tag)
    setTabOrder(ChoiceButton(tag), ChoiceButton(tag - 1));
  setMinimumSize(kMinimumWindowSize.width, kMinimumWindowSize.height);
}

void MainForm::CreateMenus() {
  CreateFileMenu();
  CreateOptionMenu();
  CreateSpeech();
  CreateHelpMenu();
}

void MainForm::CreateSoundPlayer() {
  sound::SoundPlayerHooks hooks;
  // The device's notice comes from its own thread: it is handled in the
  // window's event loop, after everything already queued there.
  hooks.post = [this](sound::SoundNotice notice) {
    QMetaObject::invokeMethod(
        this, [this, notice] { sound_player_->OnNotice(notice); }, Qt::QueuedConnection);
  };
  // Precise: it times a tune's end, which a coarse timer lets slip by 5%.
  hooks.schedule = [this](int ms, std::function<void()> task) {
    QTimer::singleShot(ms, Qt::PreciseTimer, this, std::move(task));
  };
  hooks.before_wave_pause = [this] { page_->repaint(); };
  sound_player_ = std::make_unique<sound::SoundPlayer>(std::make_unique<sound::SdlAudioBackend>(),
                                                       std::move(hooks));
}

void MainForm::ApplySettings() {
  // Kept on the screen: a size from the file alone could ask for gigabytes.
  BrowserWindowState state = WindowStateFor(settings_, AvailableScreen());
  move(state.placement.position.x, state.placement.position.y);
  resize(state.placement.size.width, state.placement.size.height);
  window_font_ =
      WindowFont(FromCp932(settings_.font_name), state.font_size, state.bold, state.italic);
  Mid1->setChecked(settings_.mid);
  Wav1->setChecked(settings_.wav);
  Other1->setChecked(settings_.other);
  OldExe1->setChecked(settings_.old_exe);
  session_.Options().old_program_form = settings_.old_exe;
  LowRes1->setChecked(settings_.low_res);
  Contrast1->setChecked(settings_.contrast);
  Smooth1->setChecked(settings_.smooth);
  NoPrograms1->setChecked(settings_.programs_off);
  Language1->SetSetting(settings_.language);
  session_.Options().programs = {settings_.programs_off, settings_.allowed_stories};
  gap_tenths_ = state.gap_tenths;
  ApplySpeechSettings();
}

void MainForm::CollectSettings() {
  settings_.top = pos().y();
  settings_.left = pos().x();
  settings_.height = height();
  settings_.width = width();
  settings_.font_name = ToCp932(window_font_.family());
  settings_.font_size = WindowFontPoints(window_font_) > 0 ? WindowFontPoints(window_font_) : 16;
  settings_.font_style = (window_font_.bold() ? 1 : 0) + (window_font_.italic() ? 2 : 0);
  settings_.mid = Mid1->isChecked();
  settings_.wav = Wav1->isChecked();
  settings_.other = Other1->isChecked();
  settings_.old_exe = OldExe1->isChecked();
  settings_.low_res = LowRes1->isChecked();
  settings_.contrast = Contrast1->isChecked();
  settings_.smooth = Smooth1->isChecked();
  settings_.programs_off = NoPrograms1->isChecked();
  settings_.language = Language1->Setting();
  settings_.allowed_stories = session_.Options().programs.allowed_stories;
  settings_.gap_tenths = gap_tenths_;
  CollectSpeechSettings();
}

void MainForm::SetCommandLineStory(const std::string& argument) {
  if (argument.empty()) return;
  // A relative name needs the working folder, which may have been deleted.
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(argument, error);
  if (error) {
    ShowErrorBox(argument, error.message());
    return;
  }
  std::string full = absolute.lexically_normal().string();
  if (ResolveExisting(BasePath(full) + ".qvn")) session_.SetStory(full);
}

void MainForm::MeasureFont() {
  metrics_ = qvn::MeasureFont(window_font_, gap_tenths_);
  page_new_ = true;
  // Large text makes the choice buttons' captions large too.
  QFont button_font = ChoiceButtonFont(WindowFontPoints(window_font_));
  for (QPushButton* button : buttons_) button->setFont(button_font);
  LayoutClientArea();
}

int MainForm::BytesPerRowNow() const {
  return BytesPerRow(page_->width(), kScrollBarWidth, metrics_.cell_width);
}

void MainForm::LayoutClientArea() {
  Size client{page_->width(), page_->height()};
  scroll_bar_->setGeometry(client.width - kScrollBarWidth, 0, kScrollBarWidth, client.height);
  // Each button as large as its caption needs: 41 × 25 but for large text.
  std::vector<QSize> sizes;
  for (QPushButton* button : buttons_) sizes.push_back(button->sizeHint());
  std::vector<QRect> row = ChoiceButtonRow(page_->size(), sizes);
  for (int tag = 1; tag <= kChoiceButtons; ++tag) {
    const QRect& at = row[static_cast<std::size_t>(tag - 1)];
    ChoiceButton(tag)->setFixedSize(at.size());
    ChoiceButton(tag)->move(at.topLeft());
  }
}

void MainForm::RebuildPageIfStale() {
  if (!page_new_) return;
  page_new_ = false;
  PageWidget::BackgroundMode mode = background_mode_ == 's'   ? PageWidget::BackgroundMode::kStretch
                                    : background_mode_ == 't' ? PageWidget::BackgroundMode::kTile
                                                              : PageWidget::BackgroundMode::kPlain;
  page_->SetBackground(mode, &background_picture_, background_colour_, LowRes1->isChecked());
  page_->SetTextRows(TextRows(page_lines_, BytesPerRowNow()), PageFont(window_font_),
                     metrics_.line_pitch);
  if (page_lines_.empty()) {
    page_->SetPage(QImage());
    return;
  }
  PageStyle style{TextColour(text_colour_), OutlineColour(text_colour_, Contrast1->isChecked()),
                  Smooth1->isChecked()};
  page_->SetPage(renderer_.Render(page_lines_, window_font_, metrics_, BytesPerRowNow(), style,
                                  page_->devicePixelRatioF()));
}

void MainForm::PageReset() {
  RebuildPageIfStale();
  visible_height_ = VisibleHeight(page_->height(), metrics_.line_pitch);
  // In logical pixels, whatever the screen's pixel ratio.
  int image_height =
      page_->Page().isNull() ? 0 : qRound(page_->Page().deviceIndependentSize().height());
  ScrollRange range = PageScrollRange(image_height, metrics_.line_pitch, visible_height_);
  {
    QSignalBlocker block(scroll_bar_);
    scroll_bar_->setRange(0, range.maximum);
    scroll_bar_->setPageStep(std::max(range.page_step, 1));
    scroll_bar_->setSingleStep(std::max(range.line_step, 1));
    scroll_bar_->setValue(0);
  }
  scroll_bar_->setEnabled(range.enabled);
  ShowScroll(0);
}

void MainForm::ShowScroll(int position) {
  page_->SetScroll(position, visible_height_);
}

void MainForm::Balance() {
  Size client{page_->width(), page_->height()};
  Size balanced = BalanceFourThree(client);
  resize(width() + balanced.width - client.width, height() + balanced.height - client.height);
  page_new_ = true;
}

void MainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  LayoutClientArea();
  // Open once the window is on the screen, so that the slot dialog has it
  // behind it.
  if (session_.Location().HasStory())
    QTimer::singleShot(0, this, [this] {
      if (!session_.IsOpen() && !session_.IsRunning()) session_.OpenStory();
    });
}

void MainForm::closeEvent(QCloseEvent* event) {
  if (session_.IsRunning()) {
    // A block is still being played (a dialog of its own is up): not now.
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    speaker_->Stop();
    StopSound();
    session_.CloseStory();
    CollectSettings();
    SaveBrowserSettings(settings_, program_folder_);
  }
  event->accept();
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  // Keys that reach the window past no choice button (the page had the focus).
  if (ScrollByKey(event->key())) return;
  FormKeyPress(event->text(), event->key());
  QMainWindow::keyPressEvent(event);
}

bool MainForm::ScrollByKey(int key) {
  // The page keys move the page as the scroll bar's own steps do.
  switch (key) {
    case Qt::Key_PageUp:
      scroll_bar_->triggerAction(QAbstractSlider::SliderPageStepSub);
      return true;
    case Qt::Key_PageDown:
      scroll_bar_->triggerAction(QAbstractSlider::SliderPageStepAdd);
      return true;
    case Qt::Key_Home:
      scroll_bar_->triggerAction(QAbstractSlider::SliderToMinimum);
      return true;
    case Qt::Key_End:
      scroll_bar_->triggerAction(QAbstractSlider::SliderToMaximum);
      return true;
    default:
      return false;
  }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key_event = static_cast<QKeyEvent*>(event);
    auto* button = qobject_cast<QPushButton*>(watched);
    bool enter = key_event->key() == Qt::Key_Return || key_event->key() == Qt::Key_Enter;
    if (button && enter) {
      // The focused choice button takes Enter as its own click.
      button->click();
      return true;
    }
    if (button && MoveButtonFocus(button, key_event->key())) return true;
    if (ScrollByKey(key_event->key())) return true;
    // A choice key ends here: passed on, it would reach the window's own
    // handler once more, on the page it has just opened.
    FormKeyPress(key_event->text(), key_event->key());
    return IsChoiceKey(key_event->text());
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainForm::MoveButtonFocus(QPushButton* from, int key) {
  // The arrows go through the visible buttons in tab order (Button6 first),
  // wrapping around, as in a dialog's group of buttons.
  int step = 0;
  if (key == Qt::Key_Right || key == Qt::Key_Down) step = -1;
  if (key == Qt::Key_Left || key == Qt::Key_Up) step = 1;
  if (step == 0) return false;
  int tag = from->objectName().mid(6).toInt();
  for (int i = 0; i < kChoiceButtons; ++i) {
    tag = (tag - 1 + step + kChoiceButtons) % kChoiceButtons + 1;
    if (ChoiceButton(tag)->isVisible()) {
      ChoiceButton(tag)->setFocus();
      return true;
    }
  }
  return true;
}

void MainForm::FormKeyPress(const QString& text, int key) {
  if (!session_.IsOpen() || session_.IsRunning()) return;
  int k = 0;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (ChoiceButton(2)->isVisible()) return;
    k = 1;
  } else if (IsChoiceKey(text)) {
    k = text[0].unicode() & 7;
  } else {
    return;
  }
  if (k > session_.ChoiceCount()) return;
  // What was being read belongs to the page the choice leaves.
  speaker_->Stop();
  session_.SelectChoice(k);
}

void MainForm::ButtonClick(int tag) {
  if (session_.IsRunning()) return;
  if (session_.IsOpen()) {
    speaker_->Stop();
    session_.SelectChoice(session_.ChoiceCount() - tag + 1);
  } else if (!session_.Location().story_folder.empty()) {
    Fixed1Click();
  } else {
    Project1Click();
  }
}

}  // namespace qvn
