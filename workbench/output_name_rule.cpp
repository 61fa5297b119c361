#include "workbench/output_name_rule.h"

#include "platform/file_names.h"

namespace qvn {

bool CollidesWithOutputs(const std::string& source_path) {
  std::string probe = ExtensionProbe(source_path);
  return EqualsIgnoringAsciiCase(probe, "QV") || EqualsIgnoringAsciiCase(probe, "Q0");
}

}  // namespace qvn
