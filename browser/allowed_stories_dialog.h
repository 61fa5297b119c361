#pragma once
// The stories whose programs the reader always allows, and withdrawing them.
#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace qvn {

class AllowedStoriesDialog : public QDialog {
  Q_OBJECT
 public:
  AllowedStoriesDialog(QWidget* parent, std::vector<std::string> stories);

  // Shows the list; returns it as the reader left it.
  static std::vector<std::string> Edit(QWidget* parent, std::vector<std::string> stories);

  const std::vector<std::string>& Stories() const { return stories_; }
  QListWidget* List() const { return list_; }
  QPushButton* WithdrawButton() const { return withdraw_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  void Withdraw();
  void Fill();

  std::vector<std::string> stories_;
  QListWidget* list_ = nullptr;
  QPushButton* withdraw_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace qvn
