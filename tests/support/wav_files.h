// WAV files made by the tests: a RIFF builder that can lie about sizes and order chunks at will,
// a private temporary folder per test, and file reading.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"

using Bytes = std::vector<std::uint8_t>;

struct RiffChunkSpec {
  std::string id;
  Bytes data;
  std::optional<std::uint32_t> declaredSize;  // what the header claims; the real size otherwise
};

void PutLE(Bytes& b, std::uint64_t v, int bytes);
Bytes SamplesLE(const std::vector<std::int16_t>& samples);

RiffChunkSpec FmtChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t bits, std::optional<std::uint32_t> bytesPerSecond = {});
RiffChunkSpec DataChunk(const std::vector<std::int16_t>& samples);
// "RIFF", its size (the real one unless given), the form type, then the chunks, each padded.
Bytes RiffBytes(const std::vector<RiffChunkSpec>& chunks, const std::string& formType = "WAVE",
                std::optional<std::uint32_t> riffSize = {});
// A plain 16-bit PCM file.
Bytes Wave16(std::uint16_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples);

// n samples with a pattern that differs at every index and covers both signs.
std::vector<std::int16_t> PatternSamples(std::size_t n, int seed = 0);

// The state an Open of a 16-bit file leaves, without the pictures Open also draws. `bytes` is the
// loaded size, all of `samples` unless given.
void SetLoadedFile(AppState& app, std::uint16_t channels, std::uint32_t rate,
                   const std::vector<std::int16_t>& samples,
                   std::optional<std::uint32_t> bytes = {});

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const Bytes& bytes) const;
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path path_;
};

Bytes ReadBytes(const std::string& path);
std::uint32_t ReadLE32(const Bytes& b, std::size_t at);
std::uint16_t ReadLE16(const Bytes& b, std::size_t at);
// The samples after a 44-byte header.
std::vector<std::int16_t> DataSamples(const Bytes& file);
