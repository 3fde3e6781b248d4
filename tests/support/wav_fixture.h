// Builds WAV files byte by byte, well-formed or broken on purpose, for tests to open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WavSpec {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 2;
  std::uint32_t rate = 44100;
  std::optional<std::uint32_t> avgBytesPerSec;  // default: rate x block align
  std::uint16_t bits = 16;
  std::uint32_t fmtSize = 16;
  std::string formType = "WAVE";
  std::vector<std::int16_t> samples;
  std::optional<std::uint32_t> declaredDataBytes;  // default: what follows
  bool dataBeforeFmt = false;
  std::string chunksBeforeData;  // raw bytes of extra chunks
};

inline void PutLE(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::string Chunk(const std::string& id, const std::string& body) {
  std::string out = id;
  PutLE(out, static_cast<std::uint32_t>(body.size()), 4);
  out += body;
  if (body.size() % 2 != 0) out.push_back('\0');
  return out;
}

inline std::string WavBytes(const WavSpec& s) {
  const std::uint16_t align = static_cast<std::uint16_t>(s.channels * (s.bits / 8));
  std::string fmt;
  PutLE(fmt, s.formatTag, 2);
  PutLE(fmt, s.channels, 2);
  PutLE(fmt, s.rate, 4);
  PutLE(fmt, s.avgBytesPerSec.value_or(s.rate * align), 4);
  PutLE(fmt, align, 2);
  PutLE(fmt, s.bits, 2);
  fmt.resize(s.fmtSize, '\0');
  std::string data;
  for (std::int16_t v : s.samples) PutLE(data, static_cast<std::uint16_t>(v), 2);
  std::string dataChunk = "data";
  PutLE(dataChunk, s.declaredDataBytes.value_or(static_cast<std::uint32_t>(data.size())), 4);
  dataChunk += data;
  std::string body = s.formType;
  if (s.dataBeforeFmt) {
    body += dataChunk + Chunk("fmt ", fmt);
  } else {
    body += Chunk("fmt ", fmt) + s.chunksBeforeData + dataChunk;
  }
  std::string out = "RIFF";
  PutLE(out, static_cast<std::uint32_t>(body.size()), 4);
  return out + body;
}
