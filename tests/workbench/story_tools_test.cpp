// The workbench's story check and story graph, driven through the menu.
#include <gtest/gtest.h>

#include <QGraphicsSvgItem>
#include <QMenuBar>
#include <QProgressDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "platform/file_io.h"
#include "qt_test_support.h"
#include "tests/support/temp_folder.h"
#include "workbench/main_form.h"
#include "workbench/story_graph_window.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

QString Q(const char8_t* utf8) {
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

// START (line 1) offers a way the compile cannot see is shut; LOCKED (line 8)
// is behind it and ORPHAN (line 10) has no way in.
constexpr const char* kSource =
    "#START\r\nx\r\n?900\r\nshut\r\nLOCKED\r\n?000\r\nopen\r\nEND\r\n?END\r\n"
    "#END\r\nbye\r\n/\r\n"
    "#LOCKED\r\nl\r\n/\r\n"
    "#ORPHAN\r\no\r\n/\r\n";

class StoryToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    fs::create_directories(temp_.path() / "program");
    folders_.program_folder = (temp_.path() / "program").string() + "/";
    folders_.config_folder = (temp_.path() / "config").string() + "/";
    source_ = temp_.path() / "story.src";
    ASSERT_TRUE(WriteFileDirect(source_, kSource).ok);
    form_ = std::make_unique<MainForm>(folders_, QString::fromStdString(source_.string()));
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  int FindLine(const QString& text) {
    for (int i = 0; i < form_->Memo1->LineCount(); ++i)
      if (form_->Memo1->LineText(i) == text) return i;
    return -1;
  }

  qvn::testing::TempFolder temp_;
  SettingsFolders folders_;
  fs::path source_;
  std::unique_ptr<MainForm> form_;
};

TEST_F(StoryToolsTest, TheItemsStandAboveExitWithAccessKeysOfTheirOwn) {
  QList<QAction*> items = form_->File1->actions();
  ASSERT_EQ(items.size(), 12);
  EXPECT_EQ(items[5], form_->JPEG1);  // the existing items keep their order
  EXPECT_TRUE(items[6]->isSeparator());
  EXPECT_EQ(items[7], form_->StoryCheck1);
  EXPECT_EQ(items[8], form_->StoryGraph1);
  EXPECT_EQ(items[9], form_->WebExport1);
  EXPECT_TRUE(items[10]->isSeparator());
  EXPECT_EQ(items.back(), form_->Exit1);
  EXPECT_EQ(form_->StoryCheck1->text(), Q(u8"ストーリー検査(&S)"));
  EXPECT_EQ(form_->StoryGraph1->text(), Q(u8"ストーリー図(&G)"));
  EXPECT_EQ(form_->WebExport1->text(), Q(u8"&Web用に書き出す..."));
  // Every item of the menu has its own access key.
  QSet<QKeySequence> keys;
  for (QAction* item : items) {
    if (item->isSeparator()) continue;
    QKeySequence key = QKeySequence::mnemonic(item->text());
    EXPECT_FALSE(key.isEmpty()) << item->objectName().toStdString();
    EXPECT_FALSE(keys.contains(key)) << item->objectName().toStdString();
    keys.insert(key);
  }
  // The key chooses the item in the open menu.
  form_->Compile1Click();
  QTimer::singleShot(0, [] {
    QWidget* menu = QApplication::activePopupWidget();
    QTest::keyClick(menu, Qt::Key_S);
    if (menu->isVisible()) menu->close();  // the key chose nothing
  });
  form_->File1->exec(QPoint(0, 0));
  EXPECT_GE(FindLine(Q(u8"問題が 3 件見つかりました。")), 0);
}

TEST_F(StoryToolsTest, TheCheckWritesProblemsInBlueThatLeadToTheirBlock) {
  form_->Compile1Click();
  form_->StoryCheck1->trigger();
  LogView& log = *form_->Memo1;
  int orphan = FindLine(Q(u8"未到達のブロック : ORPHAN（どこからもジャンプしていません）"));
  int locked =
      FindLine(Q(u8"未到達のブロック : LOCKED（ここへのジャンプの条件が一度も成り立ちません）"));
  int shut = FindLine(Q(u8"表示されない選択肢 : START の 1 番目「shut」"));
  ASSERT_GE(orphan, 0);
  ASSERT_GE(locked, 0);
  ASSERT_GE(shut, 0);
  EXPECT_EQ(log.LineColor(orphan), QColor(0, 0, 255));
  EXPECT_EQ(log.LineSourceLine(orphan), 16);
  EXPECT_EQ(log.LineSourceLine(locked), 13);
  EXPECT_EQ(log.LineSourceLine(shut), 1);
  int summary = FindLine(Q(u8"問題が 3 件見つかりました。"));
  ASSERT_GE(summary, 0);
  EXPECT_EQ(log.LineSourceLine(summary), 0);

  // Enter on the orphan's line opens the built-in editor at its head.
  QTextCursor cursor(log.document()->findBlockByNumber(orphan));
  log.setTextCursor(cursor);
  log.setFocus();
  ASSERT_EQ(QApplication::focusWidget(), &log);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_TRUE(form_->BuiltInEditing());
  EXPECT_EQ(log.textCursor().blockNumber(), 15);
  EXPECT_EQ(log.textCursor().selectedText(), "#ORPHAN");
}

TEST_F(StoryToolsTest, WithoutACompiledStoryTheCheckSaysSoInRed) {
  form_->StoryCheck1->trigger();
  ASSERT_GE(form_->Memo1->LineCount(), 1);
  EXPECT_TRUE(form_->Memo1->LineText(0).startsWith(Q(u8"コンパイル済みのストーリーを読めません")));
  EXPECT_EQ(form_->Memo1->LineColor(0), QColor(255, 0, 0));
}

// Runs `act` on the window of type T once it is the modal one (the graph is
// drawn behind a progress dialog first).
template <typename T>
void WhenModal(std::function<void(T*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!window) return;
    timer->stop();
    timer->deleteLater();
    act(window);
  });
  timer->start();
}

TEST_F(StoryToolsTest, TheGraphWindowZoomsAndSaves) {
  form_->Compile1Click();
  bool shown = false;
  WhenModal<StoryGraphWindow>([&](StoryGraphWindow* window) {
    shown = true;
    GraphView* view = window->View();
    double before = view->Scale();
    QTest::mouseClick(window->findChild<QPushButton*>("ZoomIn"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(view->Scale(), before * 1.25);
    QTest::mouseClick(window->findChild<QPushButton*>("ZoomOut"), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QPushButton*>("ZoomOut"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(view->Scale(), before / 1.25);
    fs::path saved = fs::path(source_).replace_filename("graph.svg");
    EXPECT_TRUE(window->SaveTo(QString::fromStdString(saved.string())));
    Bytes svg;
    EXPECT_TRUE(ReadWholeFile(saved, svg).ok);
    EXPECT_NE(svg.find("<svg"), Bytes::npos);
    EXPECT_NE(svg.find(">ORPHAN</text>"), Bytes::npos);
    QTest::mouseClick(window->findChild<QPushButton*>("Close"), Qt::LeftButton);
  });
  form_->StoryGraph1->trigger();
  EXPECT_TRUE(shown);
}

TEST_F(StoryToolsTest, TheGraphIsLaidOutBehindAProgressDialogThatCancels) {
  // Sixty blocks of six ways each to blocks far apart: a tangle whose layout
  // takes Graphviz a long while.
  std::string source;
  for (int b = 1; b <= 60; ++b) {
    source += "#B" + std::to_string(b) + "\r\nx\r\n";
    for (int c = 1; c <= 6; ++c)
      source += "?000\r\nway " + std::to_string(c) + "\r\nB" +
                std::to_string(1 + (b * 7 + c * 13) % 60) + "\r\n";
    source += "?END\r\n";
  }
  ASSERT_TRUE(WriteFileDirect(source_, source).ok);
  form_->Compile1Click();
  bool cancelled = false;
  bool drawn = false;
  WhenModal<QProgressDialog>([&](QProgressDialog* progress) {
    EXPECT_EQ(progress->objectName(), "GraphProgress");
    // The window is not frozen meanwhile: the dialog takes the key.
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : progress, Qt::Key_Escape);
    cancelled = true;
  });
  WhenModal<StoryGraphWindow>([&](StoryGraphWindow* window) {
    drawn = true;
    window->reject();
  });
  form_->StoryGraph1->trigger();
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(drawn) << "a cancelled graph is not shown";
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The page is written beside the story, compiling first since the source is
// newer; the question to open it is answered "No".
TEST_F(StoryToolsTest, TheWebPageIsWrittenBesideTheStoryAfterACompile) {
  fs::path page = fs::path(source_).replace_extension(".html");
  // The compile lets the window process events first: the question is
  // looked for until it shows.
  bool asked = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    asked = true;
    answer.stop();
    box->button(QMessageBox::No)->click();
  });
  answer.start(10);
  form_->WebExport1->trigger();
  EXPECT_TRUE(fs::exists(fs::path(source_).replace_extension(".qvn")));
  if (QVN_WEB_READER_BUILT) {
    EXPECT_TRUE(asked);
    EXPECT_TRUE(fs::exists(page));
    EXPECT_GE(FindLine(Q(u8"Web用に書き出しました : ") + QString::fromStdString(page.string())), 0);
  } else {
    // Without the reader the log says what is missing, in red.
    ASSERT_GE(form_->Memo1->LineCount(), 1);
    int last = form_->Memo1->LineCount() - 1;
    EXPECT_TRUE(form_->Memo1->LineText(last).contains("emscripten"));
    EXPECT_EQ(form_->Memo1->LineColor(last), QColor(255, 0, 0));
  }
}

}  // namespace
}  // namespace qvn
