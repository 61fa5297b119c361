// Sources and folders a compile may be handed: line ends, long lines, odd
// bytes, names that collide with the outputs, unreadable or unwritable places.
#include <gtest/gtest.h>

#include "tests/compiler/compile_case.h"

namespace qvn::testing {
namespace {

TEST(CompileInput, Placeholder) { SUCCEED(); }

}  // namespace
}  // namespace qvn::testing
