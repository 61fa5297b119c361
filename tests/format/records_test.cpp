#include <gtest/gtest.h>

#include "format/index_record.h"
#include "format/password_scramble.h"
#include "format/text_record.h"

namespace qvn {
namespace {

TEST(IndexRecords, NameCutToEightBytesAndValueLittleEndian) {
  Bytes out;
  AppendIndexRecord(out, "ABCDEFGHIJ", -2);
  ASSERT_EQ(out.size(), kIndexRecordSize);
  EXPECT_EQ(out.substr(0, 9), "\x08" "ABCDEFGH");
  EXPECT_EQ(out.substr(9), "\xFE\xFF\xFF\xFF");
  IndexRecord record = DecodeIndexRecord(out.data());
  EXPECT_EQ(record.Name(), "ABCDEFGH");
  EXPECT_EQ(record.value, -2);

  // A damaged length byte never reads past the name field.
  Bytes damaged = out;
  damaged[0] = '\xFF';
  EXPECT_EQ(DecodeIndexRecord(damaged.data()).Name(), "ABCDEFGH");
}

TEST(TextRecords, CutAt255AndReadWithinBounds) {
  Bytes body;
  AppendTextRecord(body, Bytes(300, 'x'));
  AppendTextRecord(body, "");
  EXPECT_EQ(body.size(), 257u);
  std::size_t offset = 0;
  EXPECT_EQ(ReadTextRecord(body, offset)->size(), 255u);
  EXPECT_EQ(ReadTextRecord(body, offset), BytesView());
  EXPECT_FALSE(ReadTextRecord(body, offset).has_value());
  std::size_t short_offset = 0;
  EXPECT_FALSE(ReadTextRecord("\x05" "abc", short_offset).has_value());
  EXPECT_EQ(short_offset, 0u);
}

TEST(PasswordScramble, EachByteFallsBetweenOneAndItself) {
  Bytes password = "\x01\x02zZ\xFF";
  for (int key : {256, 1000, 32000}) {
    Bytes scrambled = ScramblePassword(password, static_cast<std::int16_t>(key));
    ASSERT_EQ(scrambled.size(), password.size());
    for (std::size_t i = 0; i < password.size(); ++i) {
      auto p = static_cast<unsigned char>(password[i]);
      auto s = static_cast<unsigned char>(scrambled[i]);
      EXPECT_EQ(s, (key + static_cast<int>(i) + 1) % p + 1);
      EXPECT_GE(s, 1);
      EXPECT_LE(s, p);
    }
  }
}

}  // namespace
}  // namespace qvn
