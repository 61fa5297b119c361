#include "browser/allowed_stories_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "browser/qt_text.h"

namespace qvn {

AllowedStoriesDialog::AllowedStoriesDialog(QWidget* parent, std::vector<std::string> stories)
    : QDialog(parent), stories_(std::move(stories)) {
  setObjectName("AllowedStoriesDialog");
  setWindowTitle(tr("外部プログラムを常に許可した物語"));
  setModal(true);
  auto* label =
      new QLabel(tr("これらの物語はフォルダー内のプログラムを確認なしで起動します。"), this);
  label->setWordWrap(true);
  list_ = new QListWidget(this);
  list_->setObjectName("StoryList");
  withdraw_ = new QPushButton(tr("許可を取り消す(&W)"), this);
  withdraw_->setObjectName("WithdrawButton");
  close_ = new QPushButton(tr("閉じる(&C)"), this);
  close_->setObjectName("CloseButton");
  close_->setDefault(true);
  connect(withdraw_, &QPushButton::clicked, this, [this] { Withdraw(); });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QListWidget::currentRowChanged, this,
          [this](int row) { withdraw_->setEnabled(row >= 0); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(withdraw_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  resize(560, 300);
  Fill();
}

void AllowedStoriesDialog::Fill() {
  list_->clear();
  for (const std::string& story : stories_) list_->addItem(QString::fromStdString(story));
  if (!stories_.empty()) list_->setCurrentRow(0);
  withdraw_->setEnabled(!stories_.empty());
  list_->setFocus();
}

void AllowedStoriesDialog::Withdraw() {
  int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(stories_.size())) return;
  stories_.erase(stories_.begin() + row);
  Fill();
  if (row < list_->count()) list_->setCurrentRow(row);
}

std::vector<std::string> AllowedStoriesDialog::Edit(QWidget* parent,
                                                    std::vector<std::string> stories) {
  AllowedStoriesDialog dialog(parent, std::move(stories));
  dialog.exec();
  return dialog.Stories();
}

}  // namespace qvn
