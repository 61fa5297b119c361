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
  return words.isEmpty() ? ProgramQuestion::tr("(なし)") : words.join(' ');
}

}  // namespace

ProgramQuestion::ProgramQuestion(QWidget* parent, const ProgramRequest& request) : QDialog(parent) {
  setObjectName("ProgramQuestion");
  setWindowTitle(tr("外部プログラムの起動"));
  setModal(true);

  QString text =
      tr("物語「%1」がプログラムを起動しようとしています。").arg(FromCp932(request.story_title)) +
      "\n\n" + tr("プログラム: %1").arg(QString::fromStdString(request.argv.at(0))) + "\n" +
      tr("引数: %1").arg(Arguments(request.argv)) + "\n\n";
  if (request.outside_story_folder)
    text += tr("このプログラムは物語のフォルダーの外にあります。\n"
               "フォルダーの外のプログラムは毎回確認します（常に許可はできません）。") +
            "\n\n";
  text +=
      tr("起動したプログラムはこのコンピューターで何でもできます。"
         "信頼できる物語のときだけ起動してください。");
  text_ = new QLabel(this);
  text_->setObjectName("Text");
  // Story text is shown as it is, never as markup.
  text_->setTextFormat(Qt::PlainText);
  text_->setWordWrap(true);
  text_->setText(text);
  // Read in full when the question comes up, not only the focused button.
  setAccessibleDescription(text);

  start_ = new QPushButton(tr("今回は起動する(&S)"), this);
  start_->setObjectName("StartButton");
  do_not_start_ = new QPushButton(tr("起動しない(&N)"), this);
  do_not_start_->setObjectName("DoNotStartButton");
  always_ = new QPushButton(tr("この物語では常に許可する(&A)"), this);
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
