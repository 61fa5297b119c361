// Any bytes as a settings file: reading never fails, and a value written into
// it reads back while every other key keeps its value.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qvn::Bytes content(reinterpret_cast<const char*>(data), size);
  qvn::Profile profile = qvn::Profile::Parse(content);
  auto other = profile.GetString("Font", "Name");
  profile.GetInteger("Option", "Warn");
  profile.SetString("Option", "Editor", "/usr/bin/editor");
  qvn::Profile again = qvn::Profile::Parse(profile.Serialize());
  if (again.GetString("Option", "Editor") != "/usr/bin/editor") std::abort();
  if (again.GetString("Font", "Name") != other) std::abort();
  return 0;
}
