#include "cli/gcc_diagnostics.h"

#include "cli/terminal_log_sink.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "compiler/messages.h"

namespace qvn {

std::string FormatGccDiagnostic(const std::string& file, const Diagnostic& where) {
  std::string out = EscapeControlBytes(file) + ":" +
                    std::to_string(where.line > 0 ? where.line : 1) + ":" +
                    std::to_string(where.column > 0 ? where.column : 1) + ": " +
                    (where.error ? "error: " : "warning: ");
  out += Cp932ToUtf8(WithoutControlBytes(where.message));
  if (where.has_block)
    out.append(" [")
        .append(Cp932ToUtf8(WithoutControlBytes(Messages().warning_block + where.block)))
        .append("]");
  return out;
}

void GccDiagnosticsSink::BeginReport(const Diagnostic& where) {
  // The log on stdout and the diagnostics on stderr may share a terminal;
  // the log so far comes first.
  std::fflush(stdout);
  std::string line = FormatGccDiagnostic(file_, where) + "\n";
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
  log_.BeginReport(where);
}

}  // namespace qvn
