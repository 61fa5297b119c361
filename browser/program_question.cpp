#include "browser/program_question.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "browser/qt_text.h"

namespace qvn {

namespace {

// exec() results besides Rejected (0, "do not start").
constexpr int kStartOnce = 1;
constexpr int kAlways = 2;

QString Arguments(const std::vector<std::string>& argv) {
  QStringList words;
  for (std::size_t i = 1; i < argv.size(); ++i) words << QString::fromStdString(argv[i]);
  return words.isEmpty() ? FromUtf8(u8"(なし)") : words.join(' ');
}

}  // namespace

ProgramQuestion::ProgramQuestion(QWidget* parent, const ProgramRequest& request) : QDialog(parent) {
  setObjectName("ProgramQuestion");
  setWindowTitle(FromUtf8(u8"外部プログラムの起動"));
  setModal(true);

  QString text = FromUtf8(u8"物語「") + FromCp932(request.story_title) +
                 FromUtf8(u8"」がプログラムを起動しようとしています。\n\n") +
                 FromUtf8(u8"プログラム: ") + QString::fromStdString(request.argv.at(0)) + "\n" +
                 FromUtf8(u8"引数: ") + Arguments(request.argv) + "\n\n";
  if (request.outside_story_folder)
    text += FromUtf8(
        u8"このプログラムは物語のフォルダーの外にあります。\n"
        u8"フォルダーの外のプログラムは毎回確認します（常に許可はできません）。\n\n");
  text += FromUtf8(
      u8"起動したプログラムはこのコンピューターで何でもできます。"
      u8"信頼できる物語のときだけ起動してください。");
  text_ = new QLabel(this);
  text_->setObjectName("Text");
  // Story text is shown as it is, never as markup.
  text_->setTextFormat(Qt::PlainText);
  text_->setWordWrap(true);
  text_->setText(text);

  start_ = new QPushButton(FromUtf8(u8"今回は起動する(&S)"), this);
  start_->setObjectName("StartButton");
  do_not_start_ = new QPushButton(FromUtf8(u8"起動しない(&N)"), this);
  do_not_start_->setObjectName("DoNotStartButton");
  always_ = new QPushButton(FromUtf8(u8"この物語では常に許可する(&A)"), this);
  always_->setObjectName("AlwaysButton");
  always_->setEnabled(request.MayAlways());
  do_not_start_->setDefault(true);
  connect(start_, &QPushButton::clicked, this, [this] { done(kStartOnce); });
  connect(do_not_start_, &QPushButton::clicked, this, &QDialog::reject);
  connect(always_, &QPushButton::clicked, this, [this] { done(kAlways); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(start_);
  buttons->addWidget(do_not_start_);
  buttons->addWidget(always_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
  setMinimumWidth(480);
}

void ProgramQuestion::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  do_not_start_->setFocus();
}

ProgramAnswer ProgramQuestion::Ask(QWidget* parent, const ProgramRequest& request) {
  ProgramQuestion question(parent, request);
  switch (question.exec()) {
    case kStartOnce:
      return ProgramAnswer::kStartOnce;
    case kAlways:
      return request.MayAlways() ? ProgramAnswer::kAlwaysForStory : ProgramAnswer::kStartOnce;
    default:
      return ProgramAnswer::kDoNotStart;
  }
}

}  // namespace qvn
