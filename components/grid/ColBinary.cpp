#include "grid/ColBinary.h"

#include <cmath>
#include <limits>

namespace zrv::comp {

namespace {

constexpr int kExponentBias = 16383;
constexpr std::uint16_t kExponentMax = 0x7FFF;

}  // namespace

std::array<std::uint8_t, 10> encodeExtended(Extended value) {
  std::uint64_t mantissa = 0;
  std::uint16_t exponent = 0;
  const bool negative = std::signbit(value);
  const Extended a = std::fabs(value);
  if (std::isnan(value)) {
    exponent = kExponentMax;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    exponent = kExponentMax;
    mantissa = 0x8000000000000000ull;
  } else if (a != 0) {
    int e = 0;
    const Extended m = std::frexp(a, &e);  // a = m * 2^e, 0.5 <= m < 1
    const int biased = e - 1 + kExponentBias;
    if (biased >= kExponentMax) {
      exponent = kExponentMax;
      mantissa = 0x8000000000000000ull;
    } else if (biased <= 0) {  // subnormal: a = mantissa * 2^(1 - bias - 63)
      mantissa = static_cast<std::uint64_t>(std::ldexp(a, kExponentBias - 1 + 63));
    } else {
      exponent = static_cast<std::uint16_t>(biased);
      mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
    }
  }
  std::array<std::uint8_t, 10> out{};
  for (std::size_t i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  const std::uint16_t top = static_cast<std::uint16_t>(exponent | (negative ? 0x8000 : 0));
  out[8] = static_cast<std::uint8_t>(top & 0xFF);
  out[9] = static_cast<std::uint8_t>(top >> 8);
  return out;
}

Extended decodeExtended(std::span<const std::uint8_t, 10> bytes) {
  std::uint64_t mantissa = 0;
  for (std::size_t i = 8; i-- > 0;) mantissa = (mantissa << 8) | bytes[i];
  const std::uint16_t top = static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
  const bool negative = (top & 0x8000) != 0;
  const int exponent = top & kExponentMax;
  Extended value;
  if (exponent == kExponentMax) {
    value = (mantissa << 1) == 0 ? std::numeric_limits<Extended>::infinity()
                                 : std::numeric_limits<Extended>::quiet_NaN();
  } else if (exponent == 0) {
    value = std::ldexp(static_cast<Extended>(mantissa), 1 - kExponentBias - 63);
  } else {
    value = std::ldexp(static_cast<Extended>(mantissa), exponent - kExponentBias - 63);
  }
  return negative ? -value : value;
}

// ---------------------------------------------------------------------------

std::uint8_t TColBinaryReader::nextTag(const char* wanted) {
  if (m_pos >= m_data.size())
    throw EReadError(std::string("Stream ended where ") + wanted + " was expected");
  return m_data[m_pos++];
}

std::uint64_t TColBinaryReader::readUnsigned(int bytes) {
  if (remaining() < static_cast<std::size_t>(bytes)) throw EReadError("Stream ended inside a value");
  std::uint64_t v = 0;
  const auto count = static_cast<std::size_t>(bytes);
  for (std::size_t i = count; i-- > 0;) v = (v << 8) | m_data[m_pos + i];
  m_pos += count;
  return v;
}

namespace {

[[noreturn]] void wrongValue(const char* wanted, std::size_t at) {
  throw EReadError(std::string(wanted) + " expected at byte " + std::to_string(at));
}

}  // namespace

int TColBinaryReader::readInteger() {
  const std::size_t at = m_pos;
  switch (static_cast<TValueType>(nextTag("an integer"))) {
    case TValueType::vaInt8: return static_cast<std::int8_t>(readUnsigned(1));
    case TValueType::vaInt16: return static_cast<std::int16_t>(readUnsigned(2));
    case TValueType::vaInt32: return static_cast<std::int32_t>(readUnsigned(4));
    default: wrongValue("An integer", at);
  }
}

Extended TColBinaryReader::readFloat() {
  const std::size_t at = m_pos;
  const auto t = static_cast<TValueType>(nextTag("a real"));
  if (t == TValueType::vaExtended) {
    if (remaining() < 10) throw EReadError("Stream ended inside a value");
    const Extended v = decodeExtended(std::span<const std::uint8_t, 10>(m_data.data() + m_pos, 10));
    m_pos += 10;
    return v;
  }
  if (t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32) {
    m_pos = at;
    return readInteger();
  }
  wrongValue("A real", at);
}

std::string TColBinaryReader::readString() {
  const std::size_t at = m_pos;
  const auto t = static_cast<TValueType>(nextTag("a string"));
  std::size_t n = 0;
  if (t == TValueType::vaString)
    n = readUnsigned(1);
  else if (t == TValueType::vaLString)
    n = readUnsigned(4);
  else
    wrongValue("A string", at);
  if (remaining() < n) throw EReadError("Stream ended inside a value");
  std::string s(reinterpret_cast<const char*>(m_data.data() + m_pos), n);
  m_pos += n;
  return s;
}

bool TColBinaryReader::readBoolean() {
  const std::size_t at = m_pos;
  const auto t = static_cast<TValueType>(nextTag("a Boolean"));
  if (t == TValueType::vaTrue) return true;
  if (t == TValueType::vaFalse) return false;
  wrongValue("A Boolean", at);
}

void TColBinaryReader::readListBegin() {
  const std::size_t at = m_pos;
  if (static_cast<TValueType>(nextTag("a list")) != TValueType::vaList) wrongValue("A list", at);
}

void TColBinaryReader::readListEnd() {
  const std::size_t at = m_pos;
  if (static_cast<TValueType>(nextTag("the end of a list")) != TValueType::vaNull)
    wrongValue("The end of a list", at);
}

bool TColBinaryReader::endOfList() {
  return m_pos < m_data.size() && static_cast<TValueType>(m_data[m_pos]) == TValueType::vaNull;
}

// ---------------------------------------------------------------------------

void TColBinaryWriter::put(std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void TColBinaryWriter::writeInteger(int value) {
  if (value >= -128 && value <= 127) {
    tag(TValueType::vaInt8);
    put(static_cast<std::uint8_t>(value), 1);
  } else if (value >= -32768 && value <= 32767) {
    tag(TValueType::vaInt16);
    put(static_cast<std::uint16_t>(value), 2);
  } else {
    tag(TValueType::vaInt32);
    put(static_cast<std::uint32_t>(value), 4);
  }
}

void TColBinaryWriter::writeFloat(Extended value) {
  tag(TValueType::vaExtended);
  const auto b = encodeExtended(value);
  m_bytes.insert(m_bytes.end(), b.begin(), b.end());
}

void TColBinaryWriter::writeString(std::string_view value) {
  if (value.size() <= 255) {
    tag(TValueType::vaString);
    put(value.size(), 1);
  } else {
    tag(TValueType::vaLString);
    put(value.size(), 4);
  }
  m_bytes.insert(m_bytes.end(), value.begin(), value.end());
}

void TColBinaryWriter::writeBoolean(bool value) { tag(value ? TValueType::vaTrue : TValueType::vaFalse); }
void TColBinaryWriter::writeListBegin() { tag(TValueType::vaList); }
void TColBinaryWriter::writeListEnd() { tag(TValueType::vaNull); }

}  // namespace zrv::comp
