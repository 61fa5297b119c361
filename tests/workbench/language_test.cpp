// The workbench in the language the locale asks for (the test is registered
// under LANG=en_US.UTF-8, ja_JP.UTF-8 and C.UTF-8, each with the language it
// must find): its menus, the usage text, its dialogs; and the Language menu's
// choice, kept for the next start.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gui/application_setup.h"
#include "gui/language_menu.h"
#include "platform/profile.h"
#include "qt_test_support.h"
#include "tests/support/language_rows.h"
#include "tests/support/menu_access_keys.h"
#include "workbench/jpeg_dialog.h"
#include "workbench/main_form.h"
#include "workbench/password_dialog.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

const Words kMenus[] = {
    {"File1", "ファイル(&F)", "&File"},
    {"Open1", "開く(&O)", "&Open..."},
    {"Compile1", "コンパイル(&C)", "&Compile"},
    {"Edit1", "エディタで編集(&E)", "&Edit Source"},
    {"Browser1", "ブラウザの起動(&B)", "Start &Browser"},
    {"Debugger1", "デバッガの起動(&D)", "Start &Debugger"},
    {"JPEG1", "&JPEGチェンジャー", "&JPEG Converter..."},
    {"StoryCheck1", "ストーリー検査(&S)", "Check &Story"},
    {"StoryGraph1", "ストーリー図(&G)", "Story &Graph"},
    {"Exit1", "終了(&X)", "E&xit"},
    {"Option1", "オプション(&O)", "&Options"},
    {"Font1", "フォント(&F)", "&Font..."},
    {"Editor1", "エディタの指定(&E)", "&Editor"},
    {"Self1", "QVN-Maker(&S)", "&Built-in (QVN-Maker)"},
    {"Outer1", "外部プログラム(&O)", "&Other Program..."},
    {"Jump1", "ジャンプ先チェック(&J)", "Check &Jump Targets"},
    {"Block1", "ブロック名表示(&B)", "Show &Block Names"},
    {"Warn1", "警告簡略化(&W)", "Brief &Warnings"},
    {"Password1", "パスワード有効(&P)", "&Password Protection..."},
    {"Code1", "ソースの文字コード(&K)", "Source En&coding"},
    {"Language1", "言語 / Language(&L)", "&Language"},
    {"LanguageSystem1", "システムに合わせる(&S)", "Use &System Language"},
    {"Help1", "説明(&H)", "&Help"},
    {"Index1", "目次(&I)", "&Contents"},
    {"About1", "バージョン(&A)", "&About QVN-Maker3"},
};

class WorkbenchLanguage : public testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    root_ = fs::path(testing::TempDir()) / "workbench_language_test";
    fs::remove_all(root_);
    fs::create_directories(root_ / "program");
    folders_.program_folder = (root_ / "program").string() + "/";
    folders_.config_folder = (root_ / "config").string() + "/";
  }
  fs::path root_;
  SettingsFolders folders_;
};

TEST_F(WorkbenchLanguage, MenusUsageAndDialogsSpeakTheLocalesLanguage) {
  const bool english = EnglishExpected();
  MainForm form(folders_, QString());
  for (const Words& row : kMenus)
    EXPECT_EQ(CaptionOf(form, row.name), InLanguage(row, english)) << row.name;
  EXPECT_EQ(form.windowTitle(), "QVN-Maker3");
  // No two items of a menu share an access key.
  EXPECT_EQ(AccessKeyClashes(form).join("\n").toStdString(), "");
  const Words usage[] = {
      {"line 1", "使用方法：", "How to use:"},
      {"line 2", "", ""},
      {"line 3", "１．[ファイル]→[開く]でソースファイルを開く。",
       "1. Open a source file with [File] > [Open]."},
      {"line 11", "　するには、QVNブラウザ(QVN3.EXE)をご利用ください。",
       "  them, use the QVN Browser (QVN3)."},
  };
  ASSERT_EQ(form.Memo1->LineCount(), 11);
  for (int i : {0, 1, 2, 10})
    EXPECT_EQ(form.Memo1->LineText(i), InLanguage(usage[i == 10 ? 3 : i], english)) << i;

  JpegDialog jpeg(&form);
  const std::pair<QString, Words> jpeg_rows[] = {
      {jpeg.windowTitle(), {"title", "Bitmap -> JPEGチェンジャー", "Bitmap to JPEG Converter"}},
      {jpeg.Label1->text(), {"file", "ファイル名", "File name"}},
      {jpeg.Label3->text(), {"rate", "圧縮率", "Compression"}},
      {jpeg.CheckBox1->text(), {"progressive", "プログレッシブJPEG", "Progressive JPEG"}},
      {jpeg.CheckBox2->text(), {"grey", "グレースケール", "Grayscale"}},
      {jpeg.Button1->text(), {"open", "開く(&O)", "&Open..."}},
      {jpeg.Button2->text(), {"convert", "変換(&Z)", "Con&vert"}},
      {jpeg.Button3->text(), {"close", "閉じる(&C)", "&Close"}},
  };
  for (const auto& [text, words] : jpeg_rows)
    EXPECT_EQ(text, InLanguage(words, english)) << words.name;
  PasswordDialog password(PasswordDialog::Mode::kPassword, &form);
  EXPECT_EQ(password.Button1->text(), english ? "OK" : "Ok");
}

TEST_F(WorkbenchLanguage, ARefusedNameIsLoggedInTheLocalesLanguage) {
  const bool english = EnglishExpected();
  MainForm form(folders_, QString());
  const std::string path = (root_ / "story.QVN").string();
  form.OpenSource(QString::fromStdString(path));
  ASSERT_EQ(form.Memo1->LineCount(), 1);
  EXPECT_EQ(form.Memo1->LineText(0),
            (english ? QString("This file name cannot be used: ")
                     : QString::fromUtf8("このファイル名は使用できません : ")) +
                QString::fromStdString(path));
}

// The point in the log's viewport where line `index` is drawn, scrolled into
// view first, as a person would.
QPoint PointOfLogLine(LogView& log, int index) {
  QTextCursor cursor(log.document()->findBlockByNumber(index));
  log.setTextCursor(cursor);
  log.ensureCursorVisible();
  return log.cursorRect(cursor).center() + QPoint(4, 0);
}

int FindLogLine(const LogView& log, const QString& text) {
  for (int i = 0; i < log.LineCount(); ++i)
    if (log.LineText(i) == text) return i;
  return -1;
}

// A failing compile's log in the locale's language, and its lines still take
// the author to the source line they speak of.
TEST_F(WorkbenchLanguage, TheCompileLogSpeaksTheLanguageAndLeadsToTheSource) {
  const bool english = EnglishExpected();
  const fs::path story = root_ / "story.src";
  {
    // Line 3 is over 230 bytes; block B (line 6) is never used.
    std::ofstream out(story, std::ios::binary);
    out << "#A\r\nx\r\n" << std::string(231, 'y') << "\r\n?END\r\nA\r\n#B\r\nz\r\n/\r\n";
  }
  MainForm form(folders_, QString::fromStdString(story.string()));
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.Compile1->trigger();
  LogView& log = *form.Memo1;
  const Words warning = {"warning", "警告 : 文字数が230を超えています。 -- 第3行",
                         "Warning in line 3: The line is longer than 230 bytes."};
  const Words unused = {"unused", "警告 : ブロック B は使われていません.",
                        "Warning: Block B is never used."};
  const Words finished = {"finished", "正常に終了しました。", "Finished successfully."};
  EXPECT_EQ(log.LineText(log.LineCount() - 1), InLanguage(finished, english));
  int warning_line = FindLogLine(log, InLanguage(warning, english));
  int unused_line = FindLogLine(log, InLanguage(unused, english));
  ASSERT_GE(warning_line, 0);
  ASSERT_GE(unused_line, 0);

  // Enter on the unused block's warning: the editor, at the block's head.
  QTest::mouseClick(log.viewport(), Qt::LeftButton, {}, PointOfLogLine(log, unused_line));
  log.setFocus();
  ASSERT_EQ(QApplication::focusWidget(), &log);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_TRUE(form.BuiltInEditing());
  EXPECT_EQ(log.textCursor().blockNumber(), 5);
  EXPECT_EQ(log.textCursor().selectedText(), "#B");
  ASSERT_TRUE(form.CloseBuiltInEditing());

  // Now an error: a flag line after text, on line 3.
  {
    std::ofstream out(story, std::ios::binary | std::ios::trunc);
    out << "#A\r\nx\r\n!001\r\n?END\r\nA\r\n";
  }
  form.Compile1->trigger();
  const Words error = {"error", "*** 第3行でエラーが発生しました。", "*** Error in line 3."};
  const Words message = {"message", "*** \"!\" の場所が異常です。 (Stage : 2)",
                         "*** A \"!\" line cannot stand here. (stage 2)"};
  int error_line = FindLogLine(log, InLanguage(error, english));
  ASSERT_GE(error_line, 0);
  EXPECT_EQ(log.LineText(error_line + 1),
            InLanguage({"block", "*** ブロック : A", "*** Block: A"}, english));
  EXPECT_EQ(log.LineText(error_line + 3), InLanguage(message, english));
  QTest::mouseDClick(log.viewport(), Qt::LeftButton, {}, PointOfLogLine(log, error_line + 3));
  ASSERT_TRUE(form.BuiltInEditing());
  EXPECT_EQ(log.textCursor().blockNumber(), 2);
  EXPECT_EQ(log.textCursor().selectedText(), "!001");
  form.CloseBuiltInEditing();
}

TEST_F(WorkbenchLanguage, TheChosenLanguageIsKeptForTheNextStart) {
  const bool english = EnglishExpected();
  auto start = [&] {
    InstallProgramTranslation(TestApp(), folders_.program_folder, "QvnMakeW.ini");
    auto form = std::make_unique<MainForm>(folders_, QString());
    form->show();
    return form;
  };
  struct Step {
    const char* item;
    const char* notice;
    const char* setting;
    bool english_next;
  };
  const Step steps[] = {
      {"LanguageEnglish1", "English will be used the next time the program starts.", "en", true},
      {"LanguageJapanese1", "次回の起動から日本語で表示します。", "ja", false},
      {"LanguageSystem1",
       english ? "The system's language will be used the next time the program starts."
               : "次回の起動からシステムの言語設定に合わせて表示します。",
       nullptr, english},
  };
  QStringList notices;
  ModalWatcher watcher([&notices](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && box->objectName() == "LanguageNotice") notices << box->text();
    QTest::keyClick(modal, Qt::Key_Return);
  });
  bool english_now = english;
  auto form = start();
  EXPECT_TRUE(form->Language1->SystemItem()->isChecked());
  for (const Step& step : steps) {
    SCOPED_TRACE(step.item);
    form->findChild<QAction*>(step.item)->trigger();
    EXPECT_EQ(std::exchange(notices, {}), QStringList{QString::fromUtf8(step.notice)});
    EXPECT_EQ(form->File1->title(), english_now ? "&File" : QString::fromUtf8("ファイル(&F)"));
    form->close();
    Profile settings = ReadProfileFile(root_ / "program" / "QvnMakeW.ini");
    std::optional<Bytes> kept = settings.GetString("Option", "Language");
    if (step.setting)
      EXPECT_EQ(kept, std::optional<Bytes>(step.setting));
    else
      EXPECT_FALSE(kept.has_value());
    // The other keys are kept as they were.
    EXPECT_EQ(settings.GetString("Option", "JumpCheck"), std::optional<Bytes>("1"));
    form = start();
    EXPECT_EQ(form->File1->title(),
              step.english_next ? "&File" : QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(form->Memo1->LineText(0),
              step.english_next ? "How to use:" : QString::fromUtf8("使用方法："));
    EXPECT_TRUE(form->findChild<QAction*>(step.item)->isChecked());
    english_now = step.english_next;
  }
  form->close();
  InstallLanguage(TestApp(), english ? Language::kEnglish : Language::kJapanese);
}

}  // namespace
}  // namespace qvn

int main(int argc, char** argv) {
  // As the program starts: the locale's language, there being no settings.
  qvn::InstallLanguage(qvn::TestApp(), qvn::LanguageOfEnvironment());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
