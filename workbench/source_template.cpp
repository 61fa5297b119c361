#include "workbench/source_template.h"

#include "common/encoding.h"

namespace qvn {

Bytes NewSourceTemplate() {
  return Sjis(
      u8"; *** QVN Source file ***\r\n"
      u8"TITLE=sample\r\n"
      u8"VERSION=1.00\r\n"
      u8"%1=主人公,勝\r\n"
      u8"; ここからブロックを記述します\r\n");
}

}  // namespace qvn
