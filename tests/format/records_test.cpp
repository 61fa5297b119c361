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
  EXPECT_EQ(out.substr(0, 9),
            "\x08"
            "ABCDEFGH");
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
  EXPECT_FALSE(ReadTextRecord("\x05"
                              "abc",
                              short_offset)
                   .has_value());
  EXPECT_EQ(short_offset, 0u);
}

TEST(PasswordScramble, EachByteFallsBetweenOneAndItself) {
  // The password 01 02 "z" (0x7A = 122) "Z" (0x5A = 90) FF (255); byte i
  // becomes ((key + i) mod p_i) + 1, worked out by hand:
  //   key 256:   257%1+1=1  258%2+1=1  259%122+1=16  260%90+1=81  261%255+1=7
  //   key 1000:  1          1          1003%122+1=28 1004%90+1=15 1005%255+1=241
  //   key 32000: 1          1          32003%122+1=40 32004%90+1=55 32005%255+1=131
  Bytes password = "\x01\x02zZ\xFF";
  struct {
    int key;
    Bytes scrambled;
  } cases[] = {{256, "\x01\x01\x10\x51\x07"},
               {1000, "\x01\x01\x1C\x0F\xF1"},
               {32000, "\x01\x01\x28\x37\x83"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ScramblePassword(password, static_cast<std::int16_t>(c.key)), c.scrambled) << c.key;
  }
}

}  // namespace
}  // namespace qvn
