// How long MIDI files play by their own clock, worked out by hand from the
// bytes below: tempo maps, several tracks, running status, SMPTE time, and
// damaged files that must neither crash nor run past their last whole event.
#include "format/midi_length.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

using std::chrono::microseconds;

// "4D 54 ..." to bytes.
std::string Hex(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i + 1 < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    out.push_back(static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return out;
}

std::string Chunk(const std::string& id, const std::string& body) {
  const auto size = static_cast<std::uint32_t>(body.size());
  std::string out = id;
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(size >> shift));
  return out + body;
}

std::string Track(const std::string& events) {
  return Chunk("MTrk", Hex(events));
}

// format, track count and division as four hex digits each.
std::string Header(const std::string& format_tracks_division) {
  return Chunk("MThd", Hex(format_tracks_division));
}

// 96 ticks a quarter. 0.5 s a quarter for the first 96 ticks, then 0.25 s
// a quarter for the next 192: 0.5 s + 0.5 s.
const std::string kTempoChangeEvents =
    "00 FF 51 03 07 A1 20 "  // tempo 500000 at 0
    "00 90 3C 64 "           // note on
    "60 80 3C 40 "           // note off at 96
    "00 FF 51 03 03 D0 90 "  // tempo 250000 at 96
    "00 90 40 64 "           // note on at 96
    "81 40 80 40 40 "        // note off at 96 + 192
    "00 FF 2F 00";

// --- Whole files ---

TEST(MidiPlayingTime, TempoChangeInTheMiddle) {
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") + Track(kTempoChangeEvents)),
            microseconds(1000000));
  // A tempo change at the last event changes nothing.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") +
                            Track("00 90 3C 64 60 80 3C 40 00 FF 51 03 0F 42 40 00 FF 2F 00")),
            microseconds(500000));
}

TEST(MidiPlayingTime, FormatOneEndsWithItsLongestTrackUnderTheConductorsTempo) {
  // 480 ticks a quarter; 1 s a quarter until tick 720, then 0.5 s.
  const std::string conductor = Track("00 FF 51 03 0F 42 40 85 50 FF 51 03 07 A1 20 00 FF 2F 00");
  const std::string to_960 = Track("00 90 3C 64 87 40 80 3C 40 00 FF 2F 00");   // 1.5 + 0.25 s
  const std::string to_1440 = Track("00 91 43 64 8B 20 81 43 40 00 FF 2F 00");  // 1.5 + 0.75 s
  const std::string to_480 = Track("00 92 48 64 83 60 82 48 40 00 FF 2F 00");   // 1 s
  EXPECT_EQ(MidiPlayingTime(Header("0001 0004 01E0") + conductor + to_960 + to_1440 + to_480),
            microseconds(2250000));
  // The tempo track may come anywhere.
  EXPECT_EQ(MidiPlayingTime(Header("0001 0004 01E0") + to_960 + to_1440 + to_480 + conductor),
            microseconds(2250000));
}

TEST(MidiPlayingTime, LongNoteOffOrRestAtTheEndCounts) {
  // 1000 ticks a quarter at 0.6 s: a note held 100000 ticks is 60 s.
  const std::string held = "00 FF 51 03 09 27 C0 00 90 3C 64 86 8D 20 80 3C 40";
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 03E8") + Track(held + " 00 FF 2F 00")),
            microseconds(60000000));
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 03E8") + Track(held)), microseconds(60000000));
  // A rest after the last note, up to the End of Track: 96 + 96 ticks at 0.5 s a quarter.
  EXPECT_EQ(
      MidiPlayingTime(Header("0000 0001 0060") + Track("00 90 3C 64 60 80 3C 40 60 FF 2F 00")),
      microseconds(1000000));
}

TEST(MidiPlayingTime, RunningStatusWithOneAndTwoDataBytes) {
  // Default tempo 0.5 s a quarter of 96 ticks: 96 + 48 + 24 = 168 ticks.
  const std::string events =
      "00 90 3C 64 00 40 64 00 43 64 "  // a chord, two notes in running status
      "60 3C 00 00 40 00 30 43 00 "     // released by velocity 0, running status
      "00 C0 05 18 06 "                 // program changes, the second in running status
      "00 FF 2F 00";
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") + Track(events)), microseconds(875000));
  // Channel pressure takes one data byte, as a program change does.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") +
                            Track("00 90 3C 64 00 D0 40 60 80 3C 40 00 FF 2F 00")),
            microseconds(500000));
  // An escape event (F7, a length, the bytes) does not end the track.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") +
                            Track("00 90 3C 64 00 F7 01 F8 60 80 3C 40 00 FF 2F 00")),
            microseconds(500000));
  // A meta or system exclusive event between keeps the channel's status.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") +
                            Track("00 90 3C 64 00 FF 01 02 68 69 00 F0 02 7E F7 60 3C 00")),
            microseconds(500000));
}

TEST(MidiPlayingTime, SmpteTimeIgnoresTheTempo) {
  // 25 frames of 40 ticks: 1000 ticks a second; 2500 ticks.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 E728") +
                            Track("00 FF 51 03 0F 42 40 00 90 3C 64 93 44 80 3C 40")),
            microseconds(2500000));
  // 29.97 frames of 80 ticks: 2400 ticks are 1.001 s.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 E350") + Track("00 90 3C 64 92 60 80 3C 40")),
            microseconds(1001000));
}

TEST(MidiPlayingTime, RiffWrappedFile) {
  const std::string smf = Header("0000 0001 0060") + Track(kTempoChangeEvents);
  std::string data = "data";
  for (int shift = 0; shift < 32; shift += 8)
    data.push_back(static_cast<char>(smf.size() >> shift));
  std::string body =
      "RMID" + Hex("4C 49 53 54 01 00 00 00 41 00") + data + smf;  // an odd chunk first
  std::string riff = "RIFF";
  for (int shift = 0; shift < 32; shift += 8)
    riff.push_back(static_cast<char>(body.size() >> shift));
  EXPECT_EQ(MidiPlayingTime(riff + body), microseconds(1000000));
}

TEST(MidiPlayingTime, DemoTuneLastsItsFourBars) {
  // 16 quarters at 100 beats a minute.
  std::string tune = qvn::testing::ReadBytes(QVN_TEST_DATA_DIR "/../examples/demo/bgm.mid");
  EXPECT_EQ(MidiPlayingTime(tune), microseconds(9600000));
}

// --- Damaged files ---

TEST(MidiPlayingTime, NotAMidiFile) {
  EXPECT_EQ(MidiPlayingTime(""), std::nullopt);
  EXPECT_EQ(MidiPlayingTime("RIFF"), std::nullopt);
  EXPECT_EQ(MidiPlayingTime("RIFF\x04\0\0\0WAVE"), std::nullopt);
  EXPECT_EQ(MidiPlayingTime("OggS and so on"), std::nullopt);
  EXPECT_EQ(MidiPlayingTime(Chunk("MThd", Hex("0000 0001 00"))), std::nullopt);  // 5 bytes
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0000")), std::nullopt);  // no ticks a quarter
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 E900")), std::nullopt);  // 23 frames
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 E700")), std::nullopt);  // no ticks a frame
}

TEST(MidiPlayingTime, DamagedTracksCountUpToTheirLastWholeEvent) {
  const std::string whole = Header("0000 0001 0060") + Track(kTempoChangeEvents);
  // Cut inside the last note off: the note on at 96 is the last whole event.
  EXPECT_EQ(MidiPlayingTime(whole.substr(0, whole.size() - 6)), microseconds(500000));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    auto time = MidiPlayingTime(whole.substr(0, size));
    if (time) {
      EXPECT_LE(*time, microseconds(1000000)) << size;
    }
  }
  // A data byte with no status before it ends the track.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") + Track("60 3C 64 60 80 3C 40")),
            microseconds(0));
  // Real-time messages do not belong in a file.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") + Track("60 90 3C 64 60 F8 60 80 3C 40")),
            microseconds(500000));
  // A tempo event too short to hold a tempo is passed over.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") + Track("00 FF 51 02 00 01 60 FF 2F 00")),
            microseconds(500000));
  // No track at all.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0000 0060")), microseconds(0));
}

TEST(MidiPlayingTime, DeltaTimesOfFourBytesAtMost) {
  // 0x0FFFFFFF ticks, the largest: 268435455 * 500000 / 96 microseconds.
  EXPECT_EQ(MidiPlayingTime(Header("0000 0001 0060") + Track("FF FF FF 7F FF 2F 00")),
            microseconds(1398101328125));
  // Five bytes is no delta time: the track ends before it.
  EXPECT_EQ(
      MidiPlayingTime(Header("0000 0001 0060") + Track("60 FF 01 00 FF FF FF FF 7F FF 2F 00")),
      microseconds(500000));
}

TEST(MidiPlayingTime, ChunksThatAreNotTracksAndTrackCounts) {
  const std::string track = Track("60 FF 2F 00");      // 0.5 s
  const std::string longer = Track("81 40 FF 2F 00");  // 1 s
  // An unknown chunk is skipped and is not one of the tracks.
  EXPECT_EQ(MidiPlayingTime(Header("0001 0002 0060") + Chunk("XFIH", "junk") + track + longer),
            microseconds(1000000));
  // Only as many tracks as the header names are read.
  EXPECT_EQ(MidiPlayingTime(Header("0001 0001 0060") + track + longer), microseconds(500000));
  // A header longer than six bytes.
  EXPECT_EQ(MidiPlayingTime(Chunk("MThd", Hex("0001 0002 0060 0000")) + track + longer),
            microseconds(1000000));
  // A track whose length runs past the end of the file is read as far as it goes.
  std::string lying =
      Header("0000 0001 0060") + "MTrk" + Hex("00 00 10 00") + Hex("81 40 FF 2F 00");
  EXPECT_EQ(MidiPlayingTime(lying), microseconds(1000000));
}

}  // namespace
}  // namespace qvn
