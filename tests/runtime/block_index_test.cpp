#include "runtime/block_index.h"

#include <gtest/gtest.h>

#include "format/index_record.h"
#include "format/text_record.h"
#include "runtime/story_body.h"
#include "runtime/story_error.h"
#include "story_builder.h"

namespace qvn::testing {
namespace {

BlockIndex IndexOf(std::initializer_list<std::pair<Bytes, int>> records) {
  Bytes bytes;
  for (const auto& [name, value] : records) AppendIndexRecord(bytes, name, value);
  BlockIndex index;
  EXPECT_EQ(index.Assign(bytes), "");
  return index;
}

TEST(FindBlock, FollowsTheFirstMatchRules) {
  BlockIndex index = IndexOf({{"START", 0},
                              {"Next", 10},
                              {"START", 20},
                              {"LONGNAME", 30},
                              {"QVNVER", 105},
                              {"QVNALTER", 40}});
  EXPECT_EQ(index.FindBlock("START"), 0) << "the earlier of two equal names";
  EXPECT_EQ(index.FindBlock("Next"), 10);
  EXPECT_EQ(index.FindBlock("NEXT"), -1) << "letter case is distinguished";
  EXPECT_EQ(index.FindBlock("LONGNAMEXYZ"), 30) << "looked up by its first 8 bytes";
  EXPECT_EQ(index.FindBlock("LONGNAM"), -1);
  EXPECT_EQ(index.FindBlock("QVNALTER"), 40);
  EXPECT_EQ(index.FindBlock("QVNVER"), 105) << "the version code, not an offset";
  EXPECT_EQ(index.FindBlock(""), -1);
  EXPECT_EQ(index.Count(), 6u);
  EXPECT_EQ(index.Record(1).Name(), "START");
}

TEST(FindBlock, IgnoresNameBytesBeyondTheLengthAndRefusesOverlongLengths) {
  Bytes bytes;
  AppendIndexRecord(bytes, "ABCDEFGH", 7);
  bytes[0] = 3;  // "ABC", the rest is not significant
  AppendIndexRecord(bytes, "XY", 9);
  bytes[kIndexRecordSize] = 8;
  BlockIndex index;
  ASSERT_EQ(index.Assign(bytes), "");
  EXPECT_EQ(index.FindBlock("ABC"), 7);
  EXPECT_EQ(index.FindBlock("ABCDEFGH"), -1);
  EXPECT_EQ(index.FindBlock("XY"), -1);
  // No name is longer than 8 bytes: a length of 9 is damage.
  bytes[kIndexRecordSize] = 9;
  EXPECT_EQ(index.Assign(bytes),
            "ブロック索引が壊れています: レコード 2 の名前の長さが 9 バイトです");
  EXPECT_EQ(index.Count(), 0u);
}

TEST(LoadIndex, KeepsAtMost8002RecordsAndRefusesPartialRecords) {
  Bytes bytes;
  for (int i = 0; i < 8003; ++i)
    AppendIndexRecord(bytes, std::string("B").append(std::to_string(i)), i);
  BlockIndex index;
  ASSERT_EQ(index.Assign(bytes), "");
  EXPECT_EQ(index.Count(), 8002u);
  EXPECT_EQ(index.FindBlock("B8001"), 8001);
  EXPECT_EQ(index.FindBlock("B8002"), -1);

  bytes.pop_back();
  EXPECT_NE(index.Assign(bytes).find("大きさ 104038 バイトが 13 の倍数ではありません"),
            std::string::npos);
  EXPECT_EQ(index.Count(), 0u);
  EXPECT_EQ(index.FindBlock("B1"), -1);

  ScratchFolder folder;
  WriteFile(folder / "bad.qvj", bytes);
  EXPECT_THROW(LoadIndex(folder / "bad.qvj", index), StoryError);
  EXPECT_THROW(LoadIndex(folder / "missing.qvj", index), StoryError);
}

TEST(StoryBody, ReadsRecordsAndRefusesWhatRunsPastTheEnd) {
  Bytes bytes;
  AppendTextRecord(bytes, "");
  AppendTextRecord(bytes, Bytes(255, 'x'));
  AppendTextRecord(bytes, "end");
  StoryBody body;
  body.Assign(bytes, "tale.qvn");
  body.SeekBlock(0);
  EXPECT_EQ(body.ReadRecord(), "");
  EXPECT_EQ(body.ReadRecord(), Bytes(255, 'x'));
  EXPECT_EQ(body.ReadRecord(), "end");
  EXPECT_THROW(body.ReadRecord(), StoryError);
  EXPECT_THROW(body.SeekBlock(-1), StoryError);
  EXPECT_THROW(body.SeekBlock(static_cast<std::int32_t>(bytes.size()) + 1), StoryError);

  bytes.pop_back();  // the last record now runs past the end
  body.Assign(bytes, "tale.qvn");
  body.SeekBlock(258);
  try {
    body.ReadRecord();
    FAIL();
  } catch (const StoryError& error) {
    EXPECT_EQ(error.File(), "tale.qvn");
    EXPECT_NE(std::string(error.what()).find("レコードが本体の終わりを越えています"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace qvn::testing
