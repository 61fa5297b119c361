// Links into a second build of the compiler cases: before any case runs, the
// process takes the message catalogue of its locale's language, as the
// programs do at start, so the cases show what a user of that locale reads.
#include <gtest/gtest.h>

#include "platform/language.h"
#include "translations/program_translation.h"

namespace qvn::testing {
namespace {

class LocaleCatalogue : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(catalogue_.Load(LanguageOfEnvironment()));
    InstallMessageCatalogue(&catalogue_);
  }
  void TearDown() override { InstallMessageCatalogue(nullptr); }

 private:
  QtMessageCatalogue catalogue_;
};

const ::testing::Environment* const kInstalled =
    ::testing::AddGlobalTestEnvironment(new LocaleCatalogue);

}  // namespace
}  // namespace qvn::testing
