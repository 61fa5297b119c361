#pragma once
// A large story source for the benchmarks: `blocks` blocks that use every
// line kind, each jumping to others picked at random, about `lines_per_block`
// lines of about 40 bytes each (10 MB for 8000 blocks of 31 lines).
#include <cstdint>
#include <random>
#include <string>

namespace qvn::bench {

inline std::string BlockName(int i) {
  return std::string("B").append(std::to_string(i));
}

inline std::string GenerateStorySource(int blocks, int lines_per_block, std::uint32_t seed = 1) {
  std::mt19937 random(seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); };
  // "彼女は静かに微笑んだ。" and friends, already in CP932.
  const char* sentences[] = {
      "\x94\xde\x8f\x97\x82\xcd\x90\xc3\x82\xa9\x82\xc9\x94\xf7\x8f\xce\x82\xf1\x82\xbe\x81\x42"
      "\x82\xbb\x82\xea\x82\xa9\x82\xe7\x8f\xad\x82\xb5\x82\xbe\x82\xaf\x81\x41",
      "The rain had not stopped since the morning, and %1 waited.",
      "\x8c\xa9\x8f\xe3\x82\xb0\x82\xe9\x82\xc6\x81\x41\x8b\xf3\x82\xcd\x82\xdc\x82\xbe\x88\xc3"
      "\x82\xa9\x82\xc1\x82\xbd\x81\x42 And yet the door was open.",
  };
  std::string source = "TITLE=Benchmark story\r\nVERSION=1.00\r\n%1=Hero,Alex\r\n";
  source.reserve(static_cast<std::size_t>(blocks) * static_cast<std::size_t>(lines_per_block) * 42);
  for (int b = 1; b <= blocks; ++b) {
    source.append("#").append(BlockName(b)).append("\r\n");
    source.append("!").append(std::to_string(100 + pick(800))).append("NOT");
    source.append(std::to_string(100 + pick(800))).append("\r\n");
    source += "?A<C\r\n!A+\r\n";
    int text_lines = lines_per_block - 16;
    for (int t = 0; t < text_lines; ++t) {
      if (t == 3)
        source.append(">FCL=").append(std::to_string(pick(17))).append("\r\n");
      else if (t == 7)
        source += "\r\n";
      else if (t == 9)
        source += "; a comment the compiler skips over\r\n";
      else if (t % 3 != 2)
        source += std::string(sentences[pick(3)]) + sentences[pick(3)] + "\r\n";
      else
        source += std::string(sentences[pick(3)]) + "\r\n";
    }
    auto target = [&] { return BlockName(1 + pick(blocks)); };
    for (int c = 0; c < 3; ++c) {
      // The first choice is always offered, so that every page has a way on.
      source += c == 0 ? std::string("?000\r\n")
                       : std::string("?").append(std::to_string(100 + pick(800))).append("A>B\r\n");
      source.append("Choice number ").append(std::to_string(c + 1)).append("\r\n");
      source.append("?NOT").append(std::to_string(100 + pick(800))).append(",");
      source.append(target()).append("\r\n");
      source += target() + "\r\n";
    }
    source += "?END\r\n";
  }
  return source;
}

}  // namespace qvn::bench
