#include "workbench/main_form.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "common/encoding.h"
#include "gui/font_dialog.h"
#include "gui/help_window.h"
#include "platform/file_io.h"
#include "platform/profile.h"
#include "qt_test_support.h"
#include "workbench/password_dialog.h"
#include "workbench/source_template.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QString Text(const char8_t* utf8) {
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

struct LoggedLine {
  Bytes text;
  LogColor color;
  bool operator==(const LoggedLine&) const = default;
};

class RecordingSink : public LogSink {
 public:
  void Line(BytesView text, LogColor color) override { lines.push_back({Bytes(text), color}); }
  std::vector<LoggedLine> lines;
};

// The window's log as the compiler's sink would have received it.
std::vector<LoggedLine> LogOf(const MainForm& form) {
  std::vector<LoggedLine> lines;
  for (int i = 0; i < form.Memo1->LineCount(); ++i) {
    QColor color = form.Memo1->LineColor(i);
    LogColor shade = color == kRed    ? LogColor::kRed
                     : color == kBlue ? LogColor::kBlue
                                      : LogColor::kDefault;
    lines.push_back({Utf8ToCp932(form.Memo1->LineText(i).toStdString()), shade});
  }
  return lines;
}

Bytes FileBytes(const fs::path& path) {
  Bytes content;
  EXPECT_TRUE(ReadWholeFile(path, content).ok) << path;
  return content;
}

ino_t InodeOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_ino;
}

const char* const kOutputs[] = {".qvn", ".qvj", ".Q01", ".Q02", ".Q03", ".Q04"};

class MainFormTest : public testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    root_ = fs::path(testing::TempDir()) / "main_form_test";
    fs::remove_all(root_);
    fs::create_directories(root_ / "program");
    fs::create_directories(root_ / "stories");
    folders_.program_folder = (root_ / "program").string() + "/";
    folders_.config_folder = (root_ / "config").string() + "/";
  }
  std::unique_ptr<MainForm> NewForm(const QString& argument = QString()) {
    auto form = std::make_unique<MainForm>(folders_, argument);
    form->show();
    return form;
  }
  fs::path Story(const char* name) const { return root_ / "stories" / name; }
  QString StoryArg(const char* name) const { return QString::fromStdString(Story(name).string()); }

  fs::path root_;
  SettingsFolders folders_;
};

const Bytes kStory = Sjis(
    u8"TITLE=テスト\r\n"
    u8"#START\r\n"
    u8"こんにちは\r\n"
    u8"?001\r\n"
    u8"次へ\r\n"
    u8"NEXT\r\n"
    u8"?END\r\n"
    u8"#NEXT\r\n"
    u8"おわり\r\n"
    u8"/\r\n");

TEST_F(MainFormTest, AFreshStartShowsTheUsageAndTheInitialMenus) {
  auto form = NewForm();
  EXPECT_EQ(form->windowTitle(), "QVN-Maker3");
  ASSERT_EQ(form->Memo1->LineCount(), 11);
  EXPECT_EQ(form->Memo1->LineText(0), Text(u8"使用方法："));
  EXPECT_EQ(form->Memo1->LineText(1), "");
  EXPECT_EQ(form->Memo1->LineText(6), Text(u8"　　　ルの前にそれらを閉じてください）"));
  EXPECT_EQ(form->Memo1->LineText(10),
            Text(u8"　するには、QVNブラウザ(QVN3.EXE)をご利用ください。"));
  EXPECT_TRUE(form->Memo1->isReadOnly());
  EXPECT_TRUE(form->Panel1->text().isEmpty());
  EXPECT_FALSE(form->Compile1->isEnabled());
  EXPECT_FALSE(form->Edit1->isEnabled());
  EXPECT_FALSE(form->Password1->isEnabled());
  EXPECT_TRUE(form->Open1->isEnabled());
  EXPECT_EQ(form->Open1->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(form->Compile1->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_EQ(form->JPEG1->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(form->Index1->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_TRUE(form->Self1->isChecked());
  EXPECT_FALSE(form->Outer1->isChecked());
  EXPECT_TRUE(form->Jump1->isChecked());
  EXPECT_FALSE(form->Block1->isChecked());
  EXPECT_TRUE(form->Warn1->isChecked());
  EXPECT_FALSE(form->Password1->isChecked());
  EXPECT_EQ(form->EditorPath(), "xdg-open");
  EXPECT_EQ(form->findChild<QAction*>("Compile1"), form->Compile1);
  EXPECT_EQ(form->Compile1->text(), Text(u8"コンパイル(&C)"));
}

TEST_F(MainFormTest, OpeningANewNameWritesTheTemplateAndStartsEditing) {
  auto form = NewForm();
  form->OpenSource(StoryArg("new.src"));
  EXPECT_EQ(FileBytes(Story("new.src")), NewSourceTemplate());
  EXPECT_EQ(form->Panel1->text(), Text(u8"対象ファイル : ") + StoryArg("new.src"));
  EXPECT_TRUE(form->Compile1->isEnabled());
  EXPECT_TRUE(form->Edit1->isEnabled());
  EXPECT_TRUE(form->Password1->isEnabled());
  EXPECT_EQ(form->BasePath(), Story("new").string());
  ASSERT_TRUE(form->BuiltInEditing());
  EXPECT_FALSE(form->Memo1->isReadOnly());
  EXPECT_EQ(form->Memo1->LineCount(), 5);
  EXPECT_EQ(form->Memo1->LineText(3), Text(u8"%1=主人公,勝"));
}

// Answers the open dialog with `file` and the create question with `answer`.
std::function<void(QWidget*)> OpenDialogAnswer(const fs::path& file,
                                               QMessageBox::StandardButton answer,
                                               QStringList& questions) {
  return [file, answer, &questions](QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      // Typed into the name box, as an author would.
      files->setDirectory(QString::fromStdString(file.parent_path().string()));
      files->findChild<QLineEdit*>("fileNameEdit")
          ->setText(QString::fromStdString(file.filename().string()));
      static_cast<QDialog*>(files)->accept();  // the dialog's own check runs
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      questions << box->text();
      box->button(answer)->click();
    }
  };
}

TEST_F(MainFormTest, OpenAsksBeforeCreatingAMissingFile) {
  auto form = NewForm();
  QStringList questions;
  {
    ModalWatcher watcher(OpenDialogAnswer(Story("asked.src"), QMessageBox::No, questions));
    form->Open1->trigger();
  }
  ASSERT_EQ(questions.size(), 1);
  EXPECT_TRUE(questions[0].startsWith(StoryArg("asked.src")));
  EXPECT_FALSE(fs::exists(Story("asked.src")));
  EXPECT_EQ(form->Memo1->LineCount(), 11);  // the usage text stays
  {
    ModalWatcher watcher(OpenDialogAnswer(Story("asked.src"), QMessageBox::Yes, questions));
    form->Open1->trigger();
  }
  EXPECT_EQ(FileBytes(Story("asked.src")), NewSourceTemplate());
  EXPECT_TRUE(form->BuiltInEditing());
  // A name typed without extension gets ".txt".
  {
    ModalWatcher watcher(OpenDialogAnswer(Story("plain"), QMessageBox::Yes, questions));
    form->Open1->trigger();
  }
  EXPECT_TRUE(fs::exists(Story("plain.txt")));
  EXPECT_EQ(form->SourcePath(), Story("plain.txt").string());
}

TEST_F(MainFormTest, TheFontCommandSetsTheLogAndThePanel) {
  auto form = NewForm();
  QStringList families;
  QString opened_on, opened_size;
  {
    ModalWatcher watcher([&](QWidget* modal) {
      auto* dialog = qobject_cast<FontDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      for (int i = 0; i < dialog->Families()->count(); ++i)
        families << dialog->Families()->item(i)->text();
      opened_on =
          dialog->Families()->currentItem() ? dialog->Families()->currentItem()->text() : QString();
      opened_size = dialog->SizeField()->text();
      auto rows = dialog->Families()->findItems("DejaVu Sans", Qt::MatchExactly);
      ASSERT_FALSE(rows.isEmpty());
      dialog->Families()->setCurrentItem(rows.first());
      dialog->SizeField()->setText("15");
      dialog->accept();
    });
    form->Font1->trigger();
  }
  // Any face, fixed pitch or not; it opened on the status panel's font.
  for (const char* family : {"IPAGothic", "DejaVu Sans", "Liberation Sans", "DejaVu Sans Mono"})
    EXPECT_TRUE(families.contains(family)) << family;
  EXPECT_EQ(opened_on, "IPAGothic");  // standing in for "ＭＳ ゴシック"
  EXPECT_EQ(opened_size, "10");
  EXPECT_EQ(form->Panel1->font().family(), "DejaVu Sans");
  EXPECT_EQ(form->Panel1->font().pointSize(), 15);
  EXPECT_EQ(form->Memo1->font().pointSize(), 15);
  EXPECT_EQ(form->Memo1->document()->defaultFont().pointSize(), 15);
  // Cancel changes nothing.
  {
    ModalWatcher watcher;
    form->Font1->trigger();
  }
  EXPECT_EQ(form->Panel1->font().pointSize(), 15);
  // OK without a change keeps the font, its name included.
  form->Panel1->setFont(QFont(Text(u8"ＭＳ ゴシック"), 10));
  {
    ModalWatcher watcher([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    form->Font1->trigger();
  }
  EXPECT_EQ(form->Panel1->font().family(), Text(u8"ＭＳ ゴシック"));
  EXPECT_EQ(form->Panel1->font().pointSize(), 10);
}

TEST_F(MainFormTest, F1ShowsTheManualInTheProgramsOwnHelpWindow) {
  auto form = NewForm();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  HelpWindow* help = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    help = form->findChild<HelpWindow*>();
    return help && help->isVisible();
  }));
  EXPECT_TRUE(help->Browser()->source().path().endsWith("/workbench.html"));
  EXPECT_EQ(help->Browser()->source().fragment(), "HID00000005");
  EXPECT_TRUE(help->Browser()->toPlainText().contains("QvnMakeW"));
}

TEST_F(MainFormTest, NamesOfOutputsAreRefusedAndNothingIsCreated) {
  auto form = NewForm();
  form->OpenSource(StoryArg("good.src"));
  for (const char* name : {"story.QVN", "story.qvj", "story.Q01", "story.q04", "story.Qv$"}) {
    form->OpenSource(StoryArg(name));
    ASSERT_EQ(form->Memo1->LineCount(), 1) << name;
    EXPECT_EQ(form->Memo1->LineText(0),
              Text(u8"このファイル名は使用できません : ") + StoryArg(name));
    EXPECT_EQ(form->Memo1->LineColor(0), kRed);
    EXPECT_TRUE(form->Panel1->text().isEmpty());
    EXPECT_FALSE(form->Compile1->isEnabled());
    EXPECT_FALSE(form->Edit1->isEnabled());
    EXPECT_FALSE(form->Password1->isEnabled());
    EXPECT_FALSE(form->BuiltInEditing());
    EXPECT_FALSE(fs::exists(Story(name))) << name;
  }
}

TEST_F(MainFormTest, AnEditIsSavedByCompileAndTheCompileLogMatchesTheLibrary) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  ASSERT_TRUE(form->BuiltInEditing());
  // Type a line into the text: a comment at the very top.
  QTextCursor cursor(form->Memo1->document());
  cursor.insertText(Text(u8";追加\n"));
  form->Compile1Click();
  EXPECT_EQ(FileBytes(Story("tale.src")), Sjis(u8";追加\r\n") + kStory);
  EXPECT_FALSE(form->BuiltInEditing());
  EXPECT_TRUE(form->Memo1->isReadOnly());

  std::vector<LoggedLine> window_log = LogOf(*form);
  ASSERT_GE(window_log.size(), 3u);
  EXPECT_EQ(window_log.front().text,
            Utf8ToCp932(Story("tale").string() + ".qvn, " + Story("tale").string()) +
                Sjis(u8".qvj の作成中..."));
  EXPECT_EQ(window_log.back().text, Sjis(u8"正常に終了しました。"));
  std::vector<Bytes> window_outputs;
  for (const char* ext : kOutputs) window_outputs.push_back(FileBytes(Story("tale") += ext));

  // The compiler library with the same inputs logs and writes the same.
  RecordingSink sink;
  CompileResult direct = Compile(Story("tale.src").string(), form->CurrentCompileOptions(), sink);
  EXPECT_EQ(direct.outcome, CompileOutcome::kSuccess);
  EXPECT_EQ(sink.lines, window_log);
  for (std::size_t i = 0; i < std::size(kOutputs); ++i)
    EXPECT_EQ(FileBytes(Story("tale") += kOutputs[i]), window_outputs[i]) << kOutputs[i];

  // And so does the command line, when it has been built.
  fs::path cli = fs::path(QVN_BINARY_DIR) / "cli" / "qvn";
  if (fs::exists(cli)) {
    std::string command = cli.string() + " compile --color=never --encoding=cp932 '" +
                          Story("tale.src").string() + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    Bytes printed;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      printed.append(buffer, n);
    ::pclose(pipe);
    Bytes expected;
    for (const LoggedLine& line : window_log) expected += line.text + "\n";
    EXPECT_EQ(printed, expected);
  }
}

TEST_F(MainFormTest, AnUntouchedTextIsNotRewritten) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), Bytes("odd \x85\x40 bytes\n", 13) + kStory).ok);
  ino_t before = InodeOf(Story("tale.src"));
  auto form = NewForm(StoryArg("tale.src"));
  ASSERT_TRUE(form->BuiltInEditing());
  form->Compile1Click();
  EXPECT_EQ(InodeOf(Story("tale.src")), before);
  EXPECT_EQ(FileBytes(Story("tale.src")), Bytes("odd \x85\x40 bytes\n", 13) + kStory);
}

TEST_F(MainFormTest, AFailedSaveKeepsTheOldFileAndTheText) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  QTextCursor cursor(form->Memo1->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString(200, 'x'));
  QString edited = form->Memo1->toPlainText();
  // A file size limit makes the save fail even for a privileged user.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  {
    ModalWatcher watcher;
    form->Compile1Click();
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_EQ(watcher.Texts().size(), 1);
    EXPECT_TRUE(watcher.Texts()[0].startsWith(StoryArg("tale.src")));
  }
  EXPECT_EQ(FileBytes(Story("tale.src")), kStory);
  EXPECT_TRUE(form->BuiltInEditing());
  EXPECT_EQ(form->Memo1->toPlainText(), edited);
  EXPECT_FALSE(fs::exists(Story("tale.qvn")));
  // Once the file can be written again, the next compile saves the text.
  form->Compile1Click();
  EXPECT_EQ(FileBytes(Story("tale.src")),
            kStory.substr(0, kStory.size() - 2) + Bytes(200, 'x') + "\r\n");
}

TEST_F(MainFormTest, ATemplateThatCannotBeWrittenLeavesThePreviousFileInCharge) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  form->Compile1Click();
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  {
    ModalWatcher watcher;
    form->OpenSource(StoryArg("new.src"));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(watcher.Texts().size(), 1);
  }
  EXPECT_FALSE(fs::exists(Story("new.src")));
  // The template's lines stay in the log; the panel, the items and the
  // paths still belong to the previous file.
  ASSERT_EQ(form->Memo1->LineCount(), 5);
  EXPECT_EQ(form->Memo1->LineText(1), "TITLE=sample");
  EXPECT_EQ(form->Panel1->text(), Text(u8"対象ファイル : ") + StoryArg("tale.src"));
  EXPECT_TRUE(form->Compile1->isEnabled());
  EXPECT_EQ(form->SourcePath(), Story("tale.src").string());
  EXPECT_EQ(form->BasePath(), Story("tale").string());
  // Nothing in the folder besides the old source and its outputs.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root_ / "stories")) ++entries;
  EXPECT_EQ(entries, 7);
}

TEST_F(MainFormTest, ExitSavesAnEditedTextAndAsksWhenItCannot) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  QTextCursor(form->Memo1->document()).insertText(";exit\n");
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  {
    // The error box, then the question: stay.
    ModalWatcher watcher([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      if (box->button(QMessageBox::No))
        box->button(QMessageBox::No)->click();
      else
        box->accept();
    });
    form->close();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(watcher.Count(), 2);
  }
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->BuiltInEditing());
  EXPECT_EQ(FileBytes(Story("tale.src")), kStory);
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(FileBytes(Story("tale.src")), ";exit\r\n" + kStory);
}

TEST_F(MainFormTest, TheOptionTogglesReachTheCompile) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  form->Jump1->trigger();
  form->Block1->trigger();
  form->Warn1->trigger();
  CompileOptions options = form->CurrentCompileOptions();
  EXPECT_FALSE(options.jump_check);
  EXPECT_TRUE(options.block_names);
  EXPECT_FALSE(options.simple_warnings);
  EXPECT_FALSE(options.password_enabled);
  form->Compile1Click();
  std::vector<LoggedLine> log = LogOf(*form);
  auto skipped =
      std::find(log.begin(), log.end(),
                LoggedLine{Sjis(u8"警告 : ジャンプ先チェックは省略しました."), LogColor::kBlue});
  EXPECT_NE(skipped, log.end());
  EXPECT_EQ(log.back().text, Sjis(u8"正常に終了しました。"));
}

TEST_F(MainFormTest, ACompileErrorIsLoggedInRed) {
  ASSERT_TRUE(WriteFileDirect(Story("bad.src"), "#A\r\ntext\r\n").ok);
  auto form = NewForm(StoryArg("bad.src"));
  form->Compile1Click();
  std::vector<LoggedLine> log = LogOf(*form);
  ASSERT_GE(log.size(), 4u);
  for (std::size_t i = log.size() - 4; i < log.size(); ++i) EXPECT_EQ(log[i].color, LogColor::kRed);
  EXPECT_EQ(log[log.size() - 4].text, Sjis(u8"*** 第2行でエラーが発生しました。"));
  EXPECT_EQ(log[log.size() - 5].color, LogColor::kDefault);
  EXPECT_FALSE(fs::exists(Story("bad.qvn")));
}

TEST_F(MainFormTest, FilesTheCompileCannotUseAreReportedInABox) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  form->Compile1Click();  // leaves the built-in editor
  fs::remove(Story("tale.Q02"));
  fs::create_directories(Story("tale.Q02") / "in the way");
  {
    ModalWatcher watcher;
    form->Compile1Click();
    ASSERT_EQ(watcher.Texts().size(), 1);
    EXPECT_TRUE(watcher.Texts()[0].contains("tale.Q02"));
  }
  fs::remove(Story("tale.src"));
  {
    ModalWatcher watcher;
    form->Compile1Click();
    ASSERT_EQ(watcher.Texts().size(), 1);
    EXPECT_TRUE(watcher.Texts()[0].startsWith(StoryArg("tale.src")));
  }
  EXPECT_TRUE(form->Compile1->isEnabled());
}

TEST_F(MainFormTest, MenusAreLockedWhileTheCompileRepaints) {
  Bytes story;
  for (int i = 0; i < 50; ++i) story += "#B" + std::to_string(i) + "\r\ntext\r\n/\r\n";
  ASSERT_TRUE(WriteFileDirect(Story("long.src"), story).ok);
  auto form = NewForm(StoryArg("long.src"));
  int checks = 0;
  bool ever_unlocked = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (!form->Compiling()) return;
    ++checks;
    ever_unlocked |= form->Compile1->isEnabled() || form->Open1->isEnabled() ||
                     form->Jump1->isEnabled() || form->menuBar()->isEnabled();
    int lines = form->Memo1->LineCount();
    form->Compile1Click();  // must be ignored
    form->Compile1->trigger();
    form->close();  // must be refused
    EXPECT_EQ(form->Memo1->LineCount(), lines);
  });
  probe.start(0);
  form->Compile1Click();
  probe.stop();
  EXPECT_GT(checks, 0);
  EXPECT_FALSE(ever_unlocked);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->Compile1->isEnabled());
  EXPECT_TRUE(form->Open1->isEnabled());
  EXPECT_TRUE(form->menuBar()->isEnabled());
  EXPECT_EQ(LogOf(*form).back().text, Sjis(u8"正常に終了しました。"));
}

TEST_F(MainFormTest, ThePasswordDialogFeedsTheCompileAndTwoCompilesAgree) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  QString preset;
  {
    ModalWatcher watcher([&](QWidget* modal) {
      auto* dialog = qobject_cast<PasswordDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      preset = dialog->Edit1->text();
      EXPECT_EQ(dialog->Edit2->text(), "1000");
      dialog->Edit2->setText("$100");
      dialog->Button1->click();
    });
    form->Password1->trigger();
  }
  EXPECT_EQ(preset, "tale");
  CompileOptions options = form->CurrentCompileOptions();
  EXPECT_TRUE(options.password_enabled);
  EXPECT_EQ(options.password, "tale");
  EXPECT_EQ(options.key, 256);
  form->Compile1Click();
  EXPECT_NE(std::find(LogOf(*form).begin(), LogOf(*form).end(),
                      LoggedLine{Sjis(u8"パスワードの設定中..."), LogColor::kDefault}),
            LogOf(*form).end());
  Bytes first = FileBytes(Story("tale.qvn")) + FileBytes(Story("tale.qvj"));
  form->Compile1Click();
  EXPECT_EQ(FileBytes(Story("tale.qvn")) + FileBytes(Story("tale.qvj")), first);

  // Unchecking shows no dialog; opening another file unchecks the item.
  {
    ModalWatcher watcher;
    form->Password1->trigger();
    EXPECT_EQ(watcher.Count(), 0);
  }
  EXPECT_FALSE(form->CurrentCompileOptions().password_enabled);
  {
    ModalWatcher watcher;  // closing succeeds: the preset name and 1000 are valid
    form->Password1->trigger();
    EXPECT_EQ(watcher.Count(), 1);
  }
  EXPECT_TRUE(form->Password1->isChecked());
  form->OpenSource(StoryArg("other.src"));
  EXPECT_FALSE(form->Password1->isChecked());
}

TEST_F(MainFormTest, TheOutsideEditorGetsTheSourcePath) {
  ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
  auto form = NewForm(StoryArg("tale.src"));
  ASSERT_TRUE(form->BuiltInEditing());
  QTextCursor(form->Memo1->document()).insertText(";x\n");
  {
    ModalWatcher watcher;  // rejects the editor's file dialog
    form->Outer1->trigger();
  }
  // Choosing the outside editor closed built-in editing and saved the text.
  EXPECT_FALSE(form->BuiltInEditing());
  EXPECT_EQ(FileBytes(Story("tale.src")), ";x\r\n" + kStory);
  EXPECT_TRUE(form->Outer1->isChecked());
  EXPECT_FALSE(form->Self1->isChecked());
  EXPECT_EQ(form->EditorCommandWords(),
            (std::vector<std::string>{"xdg-open", Story("tale.src").string()}));
  form->Self1->trigger();
  EXPECT_TRUE(form->Self1->isChecked());
  EXPECT_FALSE(form->Outer1->isChecked());
  EXPECT_FALSE(form->BuiltInEditing());  // nothing loads before the next Edit
  form->Edit1->trigger();
  EXPECT_TRUE(form->BuiltInEditing());
}

TEST_F(MainFormTest, SettingsAreWrittenAtExitAndReadAtTheNextStart) {
  {
    auto form = NewForm();
    form->Block1->trigger();
    form->Jump1->trigger();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(14);
    form->Panel1->setFont(font);
    form->close();
  }
  fs::path ini = root_ / "program" / "QvnMakeW.ini";
  Profile profile = ReadProfileFile(ini);
  for (const char* key : {"SelfEdit", "Editor", "Block", "Warn", "JumpCheck"})
    EXPECT_TRUE(profile.GetString("Option", key).has_value()) << key;
  EXPECT_EQ(profile.GetString("Font", "Size"), "14");
  EXPECT_EQ(profile.GetString("Option", "Block"), "1");
  EXPECT_EQ(profile.GetString("Option", "JumpCheck"), "0");
  EXPECT_EQ(profile.GetString("Option", "Editor"), "xdg-open");

  ASSERT_TRUE(WriteFileDirect(ini, FileBytes(ini) + "[Option]\r\n").ok);
  Profile edited = ReadProfileFile(ini);
  edited.SetString("Option", "SelfEdit", "0");
  ASSERT_TRUE(WriteProfileFile(ini, edited).ok);
  auto form = NewForm();
  EXPECT_TRUE(form->Block1->isChecked());
  EXPECT_FALSE(form->Jump1->isChecked());
  EXPECT_FALSE(form->Self1->isChecked());
  EXPECT_TRUE(form->Outer1->isChecked());
  EXPECT_EQ(form->Memo1->font().pointSize(), 14);
}

// A logout or `kill` closes the workbench as its exit command does: the
// edited text is saved, the settings written, and the loop ends with 0.
TEST_F(MainFormTest, TermIntAndHupCloseTheWindowInOrder) {
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    fs::remove(root_ / "program" / "QvnMakeW.ini");
    ASSERT_TRUE(WriteFileDirect(Story("tale.src"), kStory).ok);
    auto form = NewForm(StoryArg("tale.src"));
    ASSERT_TRUE(form->BuiltInEditing());
    QTextCursor cursor(form->Memo1->document());
    cursor.insertText(Text(u8";追加\n"));
    QTimer::singleShot(0, form.get(), [signal_number] { ::kill(::getpid(), signal_number); });
    QTimer guard;  // only so that a loop that never ends cannot hang the suite
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0) << signal_number;
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(fs::exists(root_ / "program" / "QvnMakeW.ini")) << signal_number;
    EXPECT_EQ(FileBytes(Story("tale.src")), Sjis(u8";追加\r\n") + kStory) << signal_number;
  }
}

TEST_F(MainFormTest, ASettingsFileThatCannotBeWrittenIsReported) {
  folders_.program_folder = (root_ / "missing").string() + "/";
  ASSERT_TRUE(WriteFileDirect(root_ / "plain", "x").ok);
  folders_.config_folder = (root_ / "plain" / "qvn").string() + "/";
  auto form = NewForm();
  ModalWatcher watcher;
  form->close();
  ASSERT_EQ(watcher.Texts().size(), 1);
  EXPECT_TRUE(watcher.Texts()[0].endsWith(Text(u8" に書き込めません")));
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, ACommandLineNameThatDoesNotExistIsIgnored) {
  auto form = NewForm(StoryArg("nothing.src"));
  EXPECT_EQ(form->Memo1->LineCount(), 11);
  EXPECT_TRUE(form->SourcePath().empty());
  EXPECT_FALSE(fs::exists(Story("nothing.src")));
}

}  // namespace
}  // namespace qvn
