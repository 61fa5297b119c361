#include "browser/program_identity.h"

#include "common/message_catalogue.h"
#include "gui/application_setup.h"
#include "platform/manual.h"

namespace qvn {

namespace {

// In Japanese, the default; the catalogue has it in English.
constexpr const char* kHelp = QT_TRANSLATE_NOOP(
    "ProgramHelp",
    "使い方: QVN3 [STORY]\n"
    "        QVN3 --help | --version | --manual-path\n"
    "\n"
    "読者のためのブラウザです。コンパイルされた作品 STORY (その .qvn ファイル) を\n"
    "開き、4 つのセーブスロットのどれかでページごとに読み進めます。\n"
    "\n"
    "  --help         この説明を表示します\n"
    "  --version      バージョンを表示します\n"
    "  --manual-path  F1 で開く説明書のパスを表示します\n"
    "\n"
    "設定: プログラムのフォルダーに書き込めるときはその中の qvn.ini、\n"
    "書き込めないときは $XDG_CONFIG_HOME/qvn/qvn.ini (既定は ~/.config/qvn/)。\n");

constexpr const char* kDesktopId = "org.qvnlinux.QVN3";

}  // namespace

const ProgramInfo& BrowserProgramInfo() {
  static const ProgramInfo info{"QVN3", kHelp, kBrowserManual, "qvn.ini"};
  return info;
}

void SetBrowserIdentity() {
  SetProgramIdentity(kDesktopId);
}

}  // namespace qvn
