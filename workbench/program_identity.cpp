#include "workbench/program_identity.h"

#include "common/message_catalogue.h"
#include "gui/application_setup.h"
#include "platform/manual.h"
#include "workbench/workbench_settings.h"

namespace qvn {

namespace {

// In Japanese, the default; the catalogue has it in English.
constexpr const char* kHelp = QT_TRANSLATE_NOOP(
    "ProgramHelp",
    "使い方: QvnMakeW [SOURCE]\n"
    "        QvnMakeW --help | --version | --manual-path\n"
    "\n"
    "作者のためのワークベンチです。作品のソース SOURCE を開き (新しい名前なら\n"
    "ひな形から作ります)、編集して、QVN3 で読む作品にコンパイルします。\n"
    "同じコンパイルをウィンドウなしで行うには qvn compile を使います。\n"
    "\n"
    "  --help         この説明を表示します\n"
    "  --version      バージョンを表示します\n"
    "  --manual-path  F1 で開く説明書のパスを表示します\n"
    "\n"
    "設定: プログラムのフォルダーに書き込めるときはその中の QvnMakeW.ini、\n"
    "書き込めないときは $XDG_CONFIG_HOME/qvn/QvnMakeW.ini (既定は ~/.config/qvn/)。\n");

constexpr const char* kDesktopId = "org.qvnlinux.QvnMakeW";

}  // namespace

const ProgramInfo& WorkbenchProgramInfo() {
  static const ProgramInfo info{"QvnMakeW", kHelp, kWorkbenchManual, kWorkbenchSettingsFile};
  return info;
}

void SetWorkbenchIdentity() {
  SetProgramIdentity(kDesktopId);
}

}  // namespace qvn
