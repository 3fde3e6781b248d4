// The WAV writer: header fields, the sample conversion, the bulk path's bytes, and the file that
// only appears when complete.
#include "wavefile/wave_writer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/wav_files.h"

namespace {

using wavefile::WaveParams;

struct HeaderCase {
  int channels;
  std::int32_t frames;
  std::uint32_t riffSize, byteRate, dataSize;
  std::uint16_t blockAlign;
};

TEST(WaveWriter, HeaderFieldsFollowTheFrameCountAndTheWriterChosen) {
  const HeaderCase cases[] = {
      {1, 132300, 264636, 88200, 264600, 2},
      {2, 132300, 529236, 176400, 529200, 4},
      {1, 0, 36, 88200, 0, 2},
      {2, 0, 36, 176400, 0, 4},
  };
  TempDir dir;
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.frames << " frames");
    const WaveParams params{44100, 16, 0, c.frames};
    const std::string path = dir.File("h.wav");
    if (c.channels == 2) {
      wavefile::WriteWaveHeaderStereo(params, path);
    } else {
      wavefile::WriteWaveHeaderMono(params, path);
    }
    for (std::int32_t i = 0; i < c.frames * c.channels; ++i) wavefile::WriteWaveSample(0.0);
    wavefile::CloseWaveFile();
    const Bytes f = ReadBytes(path);
    ASSERT_EQ(f.size(), 44u + c.dataSize);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "RIFF");
    EXPECT_EQ(ReadLE32(f, 4), c.riffSize);
    EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(ReadLE32(f, 16), 16u);
    EXPECT_EQ(ReadLE16(f, 20), 1u);
    EXPECT_EQ(ReadLE16(f, 22), c.channels);
    EXPECT_EQ(ReadLE32(f, 24), 44100u);
    EXPECT_EQ(ReadLE32(f, 28), c.byteRate);
    EXPECT_EQ(ReadLE16(f, 32), c.blockAlign);
    EXPECT_EQ(ReadLE16(f, 34), 16u);
    EXPECT_EQ(std::string(f.begin() + 36, f.begin() + 40), "data");
    EXPECT_EQ(ReadLE32(f, 40), c.dataSize);
  }
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"h.wav"}) << "no temporary file is left";
}

TEST(WaveWriter, HeaderProductsAreThirtyTwoBitAndTakeTheLowBitsOfTheBitsField) {
  const auto h = wavefile::WaveHeaderBytes({48000, 8, 0, 10}, 2);
  const Bytes b(h.begin(), h.end());
  EXPECT_EQ(ReadLE32(b, 28), 96000u);  // 48000 * 8 / 8 * 2
  EXPECT_EQ(ReadLE16(b, 32), 2u);
  EXPECT_EQ(ReadLE16(b, 34), 8u);
  EXPECT_EQ(ReadLE32(b, 40), 40u) << "two bytes a sample whatever the bits field says";
  const auto odd = wavefile::WaveHeaderBytes({44100, 0x10010, 0, 1}, 1);
  EXPECT_EQ(ReadLE16(Bytes(odd.begin(), odd.end()), 34), 0x10u);
}

TEST(WaveWriter, ConversionClampsAndRoundsAtTheEdges) {
  const struct {
    double x;
    std::int16_t v;
  } cases[] = {
      {1.0, 32767},       {-1.0, -32768},      {0.0, 0},
      {1.5, 32767},       {-2.0, -32768},      {0.5, 16384},
      {1e300, 32767},     {-1e300, -32768},    {-0.5, -16384},
      {1.0 / 65536.0, 1}, {-1.0 / 65536.0, 0}, {std::nan(""), -32768},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wavefile::WaveSampleFromDouble(c.x), c.v) << "x = " << c.x;
  }
}

TEST(WaveWriter, EveryValueSurvivesAndTheBulkPathWritesTheSameBytes) {
  std::vector<std::int16_t> all;
  for (int v = -32768; v <= 32767; ++v) {
    all.push_back(static_cast<std::int16_t>(v));
    ASSERT_EQ(wavefile::WaveSampleFromDouble(v / 32768.0), v);
  }
  TempDir dir;
  const WaveParams params{44100, 16, 0, 65536};
  wavefile::WriteWaveHeaderMono(params, dir.File("one.wav"));
  for (std::int16_t v : all) wavefile::WriteWaveSample(v / 32768.0);
  wavefile::CloseWaveFile();
  wavefile::WriteWaveHeaderMono(params, dir.File("bulk.wav"));
  wavefile::WriteWaveSamples(all.data(), all.size());
  wavefile::CloseWaveFile();

  const Bytes one = ReadBytes(dir.File("one.wav"));
  EXPECT_EQ(one, ReadBytes(dir.File("bulk.wav")));
  EXPECT_EQ(DataSamples(one), all);
  EXPECT_EQ(one[44], 0x00);  // -32768 is 00 80
  EXPECT_EQ(one[45], 0x80);
  EXPECT_EQ(one[one.size() - 2], 0xFF);  // 32767 is FF 7F
  EXPECT_EQ(one[one.size() - 1], 0x7F);
}

TEST(WaveWriter, AFileShorterThanItsHeaderSaysNeverAppears) {
  TempDir dir;
  const std::string path = dir.Write("kept.wav", Bytes{1, 2, 3});
  wavefile::WriteWaveHeaderStereo({44100, 16, 0, 10}, path);
  for (int i = 0; i < 5; ++i) wavefile::WriteWaveSample(0.25);
  EXPECT_THROW(wavefile::CloseWaveFile(), std::system_error);
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"kept.wav"});
  EXPECT_THROW(wavefile::WriteWaveSample(0.0), std::system_error) << "nothing is open any more";
}

}  // namespace
