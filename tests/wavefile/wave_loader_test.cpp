// The chunk walk and the format checks of reading a WAV file, on files in memory and on disk.
#include "wavefile/wave_loader.h"

#include <gtest/gtest.h>

#include "support/wav_files.h"
#include "wavefile/riff_reader.h"

namespace {

using wavefile::WaveLoadStatus;

wavefile::WaveLoadResult Load(const Bytes& bytes,
                              std::vector<wavefile::RiffResult>* codes = nullptr) {
  wavefile::MemoryByteSource source(bytes.data(), bytes.size());
  return wavefile::LoadWave(source, [&](wavefile::RiffResult r) {
    if (codes != nullptr) codes->push_back(r);
  });
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(RiffReader, FindsChunksByTheSearchRules) {
  // A chunk before the RIFF chunk is skipped by its padded size; inside, an odd-sized chunk and
  // its pad byte are skipped on the way to "data".
  const Bytes junk = {'J', 'U', 'N', 'K', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  const Bytes riff = RiffBytes({{"odd ", {1, 2, 3}, {}}, {"data", {9, 8}, {}}}, "XYZW");
  const Bytes file = Concat(junk, riff);
  wavefile::MemoryByteSource source(file.data(), file.size());
  wavefile::RiffReader reader(source);

  wavefile::RiffChunk outer;
  ASSERT_EQ(reader.Descend(outer, nullptr, wavefile::kFindRiff), wavefile::kRiffOk);
  EXPECT_EQ(outer.dataOffset, 20u);
  EXPECT_EQ(outer.fccType, wavefile::MakeFourCC("XYZW"));
  EXPECT_EQ(reader.Position(), 24u) << "after the form type";

  wavefile::RiffChunk odd;
  odd.ckid = wavefile::MakeFourCC("odd");
  ASSERT_EQ(reader.Descend(odd, &outer, wavefile::kFindChunk), wavefile::kRiffOk);
  EXPECT_EQ(odd.cksize, 3u);
  EXPECT_EQ(reader.Position(), 32u);
  ASSERT_EQ(reader.Ascend(odd), wavefile::kRiffOk);
  EXPECT_EQ(reader.Position(), 36u) << "the pad byte is skipped";

  wavefile::RiffChunk again;
  again.ckid = wavefile::MakeFourCC("odd");
  EXPECT_EQ(reader.Descend(again, &outer, wavefile::kFindChunk), wavefile::kRiffChunkNotFound)
      << "the search starts at the current position";

  wavefile::RiffChunk data;
  data.ckid = wavefile::MakeFourCC("data");
  reader.Ascend(odd);
  ASSERT_EQ(reader.Descend(data, &outer, wavefile::kFindChunk), wavefile::kRiffOk);
  std::uint8_t got[2] = {};
  EXPECT_EQ(reader.Read(got, 2), 2);
  EXPECT_EQ(got[0], 9);
}

TEST(RiffReader, AChunkOutsideItsParentIsNotFound) {
  // The RIFF chunk claims only its form type; "data" follows it in the file.
  const Bytes file = RiffBytes({FmtChunk(1, 1, 8000, 16), DataChunk({1})}, "WAVE", 4);
  wavefile::MemoryByteSource source(file.data(), file.size());
  wavefile::RiffReader reader(source);
  wavefile::RiffChunk outer;
  ASSERT_EQ(reader.Descend(outer, nullptr, wavefile::kFindRiff), wavefile::kRiffOk);
  wavefile::RiffChunk fmt;
  fmt.ckid = wavefile::MakeFourCC("fmt");
  EXPECT_NE(reader.Descend(fmt, &outer, wavefile::kFindChunk), wavefile::kRiffOk);
}

TEST(WaveLoader, AcceptsWhatTheFormatChecksLetThrough) {
  const std::vector<std::int16_t> s = PatternSamples(20);
  RiffChunkSpec extensibleFmt = FmtChunk(0xFFFE, 2, 44100, 16);
  extensibleFmt.data.resize(40, 0x5A);  // cbSize and the extension: ignored
  const Bytes list = {'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 3, 0, 0, 0, 's', 'q', 0, 0};
  const struct {
    const char* what;
    Bytes file;
    std::uint16_t channels;
    std::uint32_t rate;
  } cases[] = {
      {"mono 48000 Hz", Wave16(1, 48000, s), 1, 48000},
      {"stereo 8000 Hz", Wave16(2, 8000, s), 2, 8000},
      {"any format tag", RiffBytes({FmtChunk(0x1234, 1, 22050, 16), DataChunk(s)}), 1, 22050},
      {"another form type", RiffBytes({FmtChunk(1, 2, 44100, 16), DataChunk(s)}, "AVI "), 2, 44100},
      {"extensible fmt of 40 bytes", RiffBytes({extensibleFmt, DataChunk(s)}), 2, 44100},
      {"LIST and an odd chunk before data",
       RiffBytes({FmtChunk(1, 2, 32000, 16), {"LIST", list, {}}, {"odd!", {7}, {}}, DataChunk(s)}),
       2, 32000},
      {"odd-sized fmt of 17 bytes",
       RiffBytes({{"fmt ",
                   [] {
                     Bytes d = FmtChunk(1, 1, 11025, 16).data;
                     d.push_back(0);
                     return d;
                   }(),
                   {}},
                  DataChunk(s)}),
       1, 11025},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<wavefile::RiffResult> codes;
    const auto r = Load(c.file, &codes);
    ASSERT_EQ(r.status, WaveLoadStatus::Loaded);
    EXPECT_EQ(codes, (std::vector<wavefile::RiffResult>{0, 0, 0, 0}))
        << "three descents, one ascent";
    EXPECT_EQ(r.format.nChannels, c.channels);
    EXPECT_EQ(r.format.nSamplesPerSec, c.rate);
    EXPECT_EQ(r.dataBytes, 40u);
    EXPECT_EQ(r.data, s);
  }
}

TEST(WaveLoader, LoadsOnlyTheDataBytesTheFileHolds) {
  const std::vector<std::int16_t> s = PatternSamples(50);
  const struct {
    const char* what;
    std::uint32_t declared;
  } cases[] = {
      {"a few bytes more", 120}, {"near 4 GiB", 0xFFFFFFFEu}, {"odd size", 99}, {"empty", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes file = RiffBytes({FmtChunk(1, 1, 8000, 16), {"data", SamplesLE(s), c.declared}},
                                 "WAVE", 0xFFFFFFFFu);
    const auto r = Load(file);
    ASSERT_EQ(r.status, WaveLoadStatus::Loaded);
    const std::uint32_t expected = std::min<std::uint32_t>(c.declared, 100);
    EXPECT_EQ(r.dataBytes, expected);
    ASSERT_EQ(r.data.size(), (expected + 1) / 2);
    for (std::size_t i = 0; i < expected / 2; ++i) EXPECT_EQ(r.data[i], s[i]);
  }
}

TEST(WaveLoader, FormatFieldsTheChunkDoesNotHoldWholeAreZero) {
  Bytes fmt = FmtChunk(1, 2, 44100, 16).data;
  fmt.resize(15);  // half of the bits field
  const auto r = Load(RiffBytes({{"fmt ", fmt, {}}, DataChunk({1, 2})}));
  EXPECT_EQ(r.status, WaveLoadStatus::NotSixteenBit);
  EXPECT_EQ(r.format.wBitsPerSample, 0u);
  EXPECT_EQ(r.format.nBlockAlign, 4u);
  EXPECT_EQ(r.format.nSamplesPerSec, 44100u);
}

TEST(WaveLoader, OpensOnlyRegularFilesByTheirUtf8Names) {
  TempDir dir;
  const std::vector<std::int16_t> s = PatternSamples(8);
  const auto ok = wavefile::LoadWaveFile(dir.Write("波形テスト.wav", Wave16(1, 8000, s)), {});
  EXPECT_EQ(ok.status, WaveLoadStatus::Loaded);
  EXPECT_EQ(ok.data, s);
  EXPECT_EQ(wavefile::LoadWaveFile(dir.File("missing.wav"), {}).status, WaveLoadStatus::CannotOpen);
  EXPECT_EQ(wavefile::LoadWaveFile(dir.path().string(), {}).status, WaveLoadStatus::CannotOpen);
  EXPECT_EQ(wavefile::LoadWaveFile("/dev/zero", {}).status, WaveLoadStatus::CannotOpen);
}

}  // namespace
