#include "format/user_data_file.h"

namespace qvn {

Bytes FreshUserData(BytesView title, const StringVariables& variables) {
  Bytes out;
  auto line = [&out](BytesView text) {
    out.append(text);
    out.append(kLineBreak);
  };
  line(title);
  line(kFreshSlotMarker);
  for (const StringVariable& variable : variables) {
    line(variable.label);
    line(variable.value);
  }
  const Bytes clear_flags(kFlagsPerLine, '0');
  for (int i = 0; i < kFlagLines; ++i) line(clear_flags);
  line(Bytes(kCounterCount, 'A'));
  line("0");
  line("16");
  line("16");
  line("");
  return out;
}

}  // namespace qvn
