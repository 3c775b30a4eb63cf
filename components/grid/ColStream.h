#pragma once
// The typed value run in which a grid table stores its column definitions
// (the "Col" property). Columns read and write through these two interfaces
// only, so one column definition has a compact binary form and a readable
// text form (ColBinary.h, ColText.h) with the same content.

#include <string>
#include <string_view>

#include "base/exceptions.h"
#include "base/types.h"

namespace zrv::comp {

// A value run that cannot be read: wrong value kind, truncated data, bad text.
class EReadError : public Exception {
public:
  explicit EReadError(const std::string& message) : Exception(message) {}
};

// Tag bytes of the binary value encoding: a tag, then its payload.
enum class TValueType : unsigned char {
  vaNull = 0,      // end of list
  vaList = 1,      // list begin
  vaInt8 = 2,      // 8-bit integer
  vaInt16 = 3,     // 16-bit integer, little-endian
  vaInt32 = 4,     // 32-bit integer, little-endian
  vaExtended = 5,  // 80-bit extended real: 64-bit mantissa, then sign and 15-bit exponent
  vaString = 6,    // string of at most 255 bytes, one length byte first
  vaFalse = 8,
  vaTrue = 9,
  vaLString = 12,  // longer string, 32-bit length first
};

// Reads a value run in order. Every read raises EReadError when the next
// value is not of the kind asked for.
class TColReader {
public:
  virtual ~TColReader() = default;
  virtual int readInteger() = 0;
  /// Accepts an integer value as well as a real.
  virtual Extended readFloat() = 0;
  virtual std::string readString() = 0;
  virtual bool readBoolean() = 0;
  virtual void readListBegin() = 0;
  virtual void readListEnd() = 0;
  /// True when the next value is the end of the current list (not consumed).
  virtual bool endOfList() = 0;
};

// Writes a value run in order.
class TColWriter {
public:
  virtual ~TColWriter() = default;
  virtual void writeInteger(int value) = 0;
  virtual void writeFloat(Extended value) = 0;
  virtual void writeString(std::string_view value) = 0;
  virtual void writeBoolean(bool value) = 0;
  virtual void writeListBegin() = 0;
  virtual void writeListEnd() = 0;
  /// Marks the start of one column record; only the text form shows it (a new line).
  virtual void beginRecord() {}
};

}  // namespace zrv::comp
