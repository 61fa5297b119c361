// The browser in the language the locale asks for (the test is registered
// under LANG=en_US.UTF-8, ja_JP.UTF-8 and C.UTF-8, each with the language it
// must find): its menus, the slot dialog and the new-game prompt; and the
// Language menu's choice, kept for the next start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "browser/main_form.h"
#include "common/encoding.h"
#include "compiler/compile.h"
#include "gui/application_setup.h"
#include "gui/language_menu.h"
#include "platform/profile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/language_rows.h"
#include "tests/support/menu_access_keys.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

const Words kMenus[] = {
    {"File1", "ファイル(&F)", "&File"},
    {"Project1", "開く(&O)", "&Open..."},
    {"Fixed1", "開き直す(&R)", "&Reopen"},
    {"Temp1", "一時保存(&T)", "Quick &Save"},
    {"OpenTmp1", "一時保存を開く(&Y)", "Quick &Load"},
    {"Exit1", "終了(&X)", "E&xit"},
    {"Option1", "設定(&O)", "&Settings"},
    {"Font1", "フォント(&F)", "&Font..."},
    {"Gap1", "行間隔(&G)", "Line Spac&ing"},
    {"Wide1", "広く(&W)", "&Wider"},
    {"Standard1", "標準(&S)", "&Standard"},
    {"Sound1", "音声(&S)", "S&ound"},
    {"Mid1", "Midファイル", "&MIDI Files"},
    {"Other1", "その他のファイル", "&Other Sound Files"},
    {"Compatibility1", "互換性(&C)", "&Compatibility"},
    {"OldExe1", "旧形式外部EXE", "&Old-Style Program Lines"},
    {"LowRes1", "ローレゾ", "&Low Resolution"},
    {"Contrast1", "高輝度ふち取り", "&Bright Outline"},
    {"Smooth1", "文字を滑らかに(&M)", "S&mooth Text"},
    {"Programs1", "外部プログラム(&P)", "Story &Programs"},
    {"NoPrograms1", "起動しない(&N)", "&Never Start"},
    {"balance1", "4:3バランス", "Fit to &4:3"},
    {"Language1", "言語 / Language(&L)", "&Language"},
    {"LanguageJapanese1", "日本語(&J)", "日本語(&J)"},
    {"LanguageEnglish1", "&English", "&English"},
    {"LanguageSystem1", "システムに合わせる(&S)", "Use &System Language"},
    {"Help1", "説明(&H)", "&Help"},
    {"Index1", "目次(&I)", "&Contents"},
    {"About1", "バージョン情報(&A)", "&About"},
};

TEST(BrowserLanguage, MenusSpeakTheLocalesLanguage) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  MainForm form((folder / "program").string() + "/");
  const bool english = EnglishExpected();
  for (const Words& row : kMenus)
    EXPECT_EQ(CaptionOf(form, row.name), InLanguage(row, english)) << row.name;
  // No two items of a menu share an access key.
  EXPECT_EQ(AccessKeyClashes(form).join("\n").toStdString(), "");
  // The one button before a story is open.
  EXPECT_EQ(form.ChoiceButton(1)->text(), InLanguage({"open", "開く", "Open"}, english));
  // The story's own words stay as they are.
  EXPECT_EQ(form.windowTitle(), "Tessaline Novel Browser");
}

TEST(BrowserLanguage, SlotDialogAndPromptSpeakTheLocalesLanguage) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  WriteBytes(folder / "story.src",
             Sjis(u8"TITLE=物語\r\n%1=主人公,勝\r\n#START\r\nはじめ\r\n?END\r\nSTART\r\n"));
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "story.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);

  const bool english = EnglishExpected();
  struct Seen {
    QString comment, erase, ok, group, confirm, erased, prompt, title;
  } seen;
  DialogDriver driver;
  driver.Then([&seen](AboutBox& box) {
    seen.title = box.windowTitle();
    seen.comment = box.Comment()->text();
    seen.erase = box.EraseButton()->text();
    seen.ok = box.OkButton()->text();
    seen.group = box.findChild<QGroupBox*>("SlotGroup")->title();
    box.EraseButton()->click();
    seen.confirm = box.Comment()->text();
    box.EraseButton()->click();
    seen.erased = box.Comment()->text();
    box.OkButton()->click();
  });
  driver.Then([&seen](AboutBox& box) {
    seen.prompt = box.Comment()->text();
    box.OkButton()->click();
  });
  MainForm form((folder / "program").string() + "/");
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));

  const std::pair<QString, Words> rows[] = {
      {seen.comment, {"fresh slot", "未使用ファイルです。", "This slot is unused."}},
      {seen.erase, {"erase button", "消去", "Erase"}},
      {seen.ok, {"ok button", "Ok", "OK"}},
      {seen.group, {"slot group", " Select File ", " Select File "}},
      {seen.confirm,
       {"first erase", "初期化(OKならもう一度消去を押す)", "Press Erase again to clear it."}},
      {seen.erased, {"second erase", "未使用ファイルです。", "This slot is unused."}},
      {seen.prompt, {"prompt", "主人公を入力して下さい", "Enter 主人公:"}},
      // The slot's caption is the story's title, in any language.
      {seen.title, {"caption", "物語", "物語"}},
  };
  for (const auto& [text, words] : rows) EXPECT_EQ(text, InLanguage(words, english)) << words.name;
  form.close();
}

// Answers the language notice with Enter, noting its text.
class NoticeWatcher : public QObject {
 public:
  NoticeWatcher() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box->objectName() != "LanguageNotice" || !box->isVisible()) return;
      texts_ << box->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    timer_.start(5);
  }
  QStringList TakeTexts() { return std::exchange(texts_, {}); }

 private:
  QTimer timer_;
  QStringList texts_;
};

TEST(BrowserLanguage, TheChosenLanguageIsKeptForTheNextStart) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  const std::string program = (folder / "program").string() + "/";
  const bool english = EnglishExpected();
  // A start reads the settings before its first window, as main() does.
  auto start = [&] {
    InstallProgramTranslation(*qApp, program, "qvn.ini");
    return std::make_unique<MainForm>(program);
  };
  struct Step {
    const char* item;
    const char* notice;   // in the language chosen
    const char* setting;  // [OPTION] LANGUAGE afterwards; nullptr: no key
    bool english_next;    // the next start's language
  };
  const char* system_notice =
      english ? "The system's language will be used the next time the program starts."
              : "次回の起動からシステムの言語設定に合わせて表示します。";
  const Step steps[] = {
      {"LanguageEnglish1", "English will be used the next time the program starts.", "en", true},
      {"LanguageJapanese1", "次回の起動から日本語で表示します。", "ja", false},
      {"LanguageSystem1", system_notice, nullptr, english},
  };
  NoticeWatcher notices;
  bool english_now = english;
  auto form = start();
  EXPECT_TRUE(form->Language1->SystemItem()->isChecked());
  for (const Step& step : steps) {
    SCOPED_TRACE(step.item);
    form->findChild<QAction*>(step.item)->trigger();
    EXPECT_EQ(notices.TakeTexts(), QStringList{QString::fromUtf8(step.notice)});
    // Nothing changes before the next start.
    EXPECT_EQ(form->File1->title(), english_now ? "&File" : QString::fromUtf8("ファイル(&F)"));
    form->close();
    Profile settings = ReadProfileFile(folder / "program" / "qvn.ini");
    std::optional<Bytes> kept = settings.GetString("Option", "Language");
    if (step.setting)
      EXPECT_EQ(kept, std::optional<Bytes>(step.setting));
    else
      EXPECT_FALSE(kept.has_value());
    form = start();
    EXPECT_EQ(form->File1->title(),
              step.english_next ? "&File" : QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(form->Exit1->text(), step.english_next ? "E&xit" : QString::fromUtf8("終了(&X)"));
    EXPECT_TRUE(form->findChild<QAction*>(step.item)->isChecked());
    english_now = step.english_next;
  }
  // The same item again says nothing and changes nothing.
  form->findChild<QAction*>("LanguageSystem1")->trigger();
  EXPECT_TRUE(notices.TakeTexts().isEmpty());
  form->close();
  InstallLanguage(*qApp, english ? Language::kEnglish : Language::kJapanese);
}

}  // namespace
}  // namespace qvn::testing

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // As the program starts: the locale's language, there being no settings.
  qvn::InstallLanguage(application, qvn::LanguageOfEnvironment());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
