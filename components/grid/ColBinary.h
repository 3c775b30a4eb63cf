#pragma once
// Binary form of the "Col" value run: one tag byte (TValueType) per value,
// then its payload, little-endian.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "grid/ColStream.h"

namespace zrv::comp {

/// The ten bytes of an 80-bit extended real (64-bit mantissa with explicit
/// integer bit, then sign and 15-bit biased exponent), whatever the host's long double.
std::array<std::uint8_t, 10> encodeExtended(Extended value);
Extended decodeExtended(std::span<const std::uint8_t, 10> bytes);

// Reads the binary form from a byte span that must outlive the reader.
class TColBinaryReader : public TColReader {
public:
  explicit TColBinaryReader(std::span<const std::uint8_t> data) : m_data(data) {}
  int readInteger() override;
  Extended readFloat() override;
  std::string readString() override;
  bool readBoolean() override;
  void readListBegin() override;
  void readListEnd() override;
  bool endOfList() override;
  /// Bytes not read yet.
  std::size_t remaining() const { return m_data.size() - m_pos; }

private:
  std::uint8_t nextTag(const char* wanted);
  std::uint64_t readUnsigned(int bytes);
  std::span<const std::uint8_t> m_data;
  std::size_t m_pos = 0;
};

// Writes the binary form: integers in the smallest of the three integer
// tags that holds them, strings longer than 255 bytes as long strings.
class TColBinaryWriter : public TColWriter {
public:
  void writeInteger(int value) override;
  void writeFloat(Extended value) override;
  void writeString(std::string_view value) override;
  void writeBoolean(bool value) override;
  void writeListBegin() override;
  void writeListEnd() override;
  const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
  void tag(TValueType t) { m_bytes.push_back(static_cast<std::uint8_t>(t)); }
  void put(std::uint64_t value, int bytes);
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace zrv::comp
