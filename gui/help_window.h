#pragma once
// The program's own help window: the HTML manual in a text browser, opened at
// the anchor of a topic id.
#include <QWidget>
#include <string>

class QTextBrowser;

namespace qvn {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* owner);

  // Shows `manual` (a path) at `topic`, in the one help window of `owner`
  // (created on first use); a message box names the manual when it is missing.
  static HelpWindow* ShowHelp(QWidget* owner, const std::string& manual_name,
                              const std::string& manual, const QString& topic);

  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace qvn
