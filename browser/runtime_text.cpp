#include "browser/runtime_text.h"

#include "runtime/runtime_text.h"

namespace qvn {

QString RuntimeText(BytesView bytes) {
  return QString::fromStdString(LocalizedRuntimeText(bytes));
}

QString VariablePrompt(BytesView comment, BytesView label) {
  return QString::fromStdString(LocalizedVariablePrompt(comment, label));
}

}  // namespace qvn
