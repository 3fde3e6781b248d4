#include "support/wav_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

void PutLE(Bytes& b, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Bytes SamplesLE(const std::vector<std::int16_t>& samples) {
  Bytes b;
  b.reserve(samples.size() * 2);
  for (std::int16_t s : samples) PutLE(b, static_cast<std::uint16_t>(s), 2);
  return b;
}

RiffChunkSpec FmtChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t bits, std::optional<std::uint32_t> bytesPerSecond) {
  const std::uint32_t align = channels * (bits / 8u);
  Bytes d;
  PutLE(d, tag, 2);
  PutLE(d, channels, 2);
  PutLE(d, rate, 4);
  PutLE(d, bytesPerSecond.value_or(rate * align), 4);
  PutLE(d, align, 2);
  PutLE(d, bits, 2);
  return {"fmt ", d, {}};
}

RiffChunkSpec DataChunk(const std::vector<std::int16_t>& samples) {
  return {"data", SamplesLE(samples), {}};
}

Bytes RiffBytes(const std::vector<RiffChunkSpec>& chunks, const std::string& formType,
                std::optional<std::uint32_t> riffSize) {
  Bytes body(formType.begin(), formType.end());
  for (const RiffChunkSpec& c : chunks) {
    body.insert(body.end(), c.id.begin(), c.id.end());
    PutLE(body, c.declaredSize.value_or(static_cast<std::uint32_t>(c.data.size())), 4);
    body.insert(body.end(), c.data.begin(), c.data.end());
    if (c.data.size() % 2 != 0) body.push_back(0);
  }
  Bytes file{'R', 'I', 'F', 'F'};
  PutLE(file, riffSize.value_or(static_cast<std::uint32_t>(body.size())), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes Wave16(std::uint16_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples) {
  return RiffBytes({FmtChunk(1, channels, rate, 16), DataChunk(samples)});
}

std::vector<std::int16_t> PatternSamples(std::size_t n, int seed) {
  std::vector<std::int16_t> s(n);
  std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
  for (std::size_t i = 0; i < n; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    s[i] = static_cast<std::int16_t>(x & 0xFFFF);
  }
  return s;
}

void SetLoadedFile(AppState& app, std::uint16_t channels, std::uint32_t rate,
                   const std::vector<std::int16_t>& samples, std::optional<std::uint32_t> bytes) {
  app.LoadedFormat = {
      1, channels, rate, rate * channels * 2u, static_cast<std::uint16_t>(channels * 2), 16, 0};
  app.LoadedData = samples;
  app.LoadedDataBytes = bytes.value_or(static_cast<std::uint32_t>(samples.size() * 2));
  app.LoadedFrameBytes = channels * 2u;
  app.SampleRate = static_cast<std::int32_t>(rate);
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name()
                                     : std::string("outside");
  std::replace(name.begin(), name.end(), '/', '_');
  path_ = std::filesystem::path(SONOQUILL_TEST_TMP) /
          (name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const Bytes& bytes) const {
  const std::string p = File(name);
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::vector<std::string> TempDir::Entries() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(path_)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t ReadLE32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b.at(at)) | (static_cast<std::uint32_t>(b.at(at + 1)) << 8) |
         (static_cast<std::uint32_t>(b.at(at + 2)) << 16) |
         (static_cast<std::uint32_t>(b.at(at + 3)) << 24);
}

std::uint16_t ReadLE16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::vector<std::int16_t> DataSamples(const Bytes& file) {
  std::vector<std::int16_t> s;
  for (std::size_t i = 44; i + 1 < file.size(); i += 2) {
    s.push_back(static_cast<std::int16_t>(ReadLE16(file, i)));
  }
  return s;
}
