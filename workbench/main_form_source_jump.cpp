// The workbench's ways to a place in the source: the encoding sources are read
// in, and the jump from a log line to its source line.
#include <QActionGroup>

#include "platform/process_start.h"
#include "workbench/editor_command.h"
#include "workbench/main_form.h"

namespace qvn {

void MainForm::CreateSourceEncodingMenu() {
  Code1 = Option1->addMenu(tr("ソースの文字コード(&K)"));
  Code1->setObjectName("Code1");
  auto* group = new QActionGroup(this);
  auto add = [&](const char* name, const QString& caption) {
    QAction* item = Code1->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(true);
    group->addAction(item);
    return item;
  };
  CodeAuto1 = add("CodeAuto1", tr("自動判別(&A)"));
  CodeSjis1 = add("CodeSjis1", QStringLiteral("Shift-JIS(&S)"));
  CodeUtf81 = add("CodeUtf81", QStringLiteral("UTF-8(&U)"));
  CodeAuto1->setChecked(true);
}

SourceEncoding MainForm::CurrentSourceEncoding() const {
  if (CodeSjis1->isChecked()) return SourceEncoding::kCp932;
  if (CodeUtf81->isChecked()) return SourceEncoding::kUtf8;
  return SourceEncoding::kAuto;
}

void MainForm::SetSourceEncoding(SourceEncoding encoding) {
  QAction* item = encoding == SourceEncoding::kCp932  ? CodeSjis1
                  : encoding == SourceEncoding::kUtf8 ? CodeUtf81
                                                      : CodeAuto1;
  item->setChecked(true);
}

void MainForm::OpenSourceAtLine(int line) {
  if (compiling_ || !Edit1->isEnabled() || line < 1) return;
  if (!Self1->isChecked()) {
    StartProgramArguments(EditorCommandAtLine(editor_path_, source_path_, line));
    return;
  }
  Edit1Click();
  if (built_in_editing_) Memo1->SelectLine(line);
}

}  // namespace qvn
