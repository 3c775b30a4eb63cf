#pragma once
// The exception family of the component library. Every error raised by a
// component derives from Exception; callers catch the narrowest class they
// can handle (an entry error, a reader error, a loader error).

#include <stdexcept>
#include <string>

namespace zrv::comp {

/// Root of every component error. A default-constructed one carries no text.
class Exception : public std::runtime_error {
public:
  Exception() : std::runtime_error(std::string()) {}
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

/// Declares an exception class with its base and the two constructors.
#define ZRVC_EXCEPTION(Name, Base)                                   \
  class Name : public Base {                                         \
  public:                                                            \
    Name() = default;                                                \
    explicit Name(const std::string& message) : Base(message) {}     \
  }

/// An entry (a typed number or expression) could not be evaluated.
ZRVC_EXCEPTION(EAssignError, Exception);
/// Entry bounds of numeric edit boxes (raised without text).
ZRVC_EXCEPTION(EIntError, Exception);
ZRVC_EXCEPTION(EMinError, Exception);
ZRVC_EXCEPTION(EMaxError, Exception);
/// Typed access to a table column of another kind.
ZRVC_EXCEPTION(EInvalidCast, Exception);
/// File input and output, and the word reader's data errors.
ZRVC_EXCEPTION(EInOutError, Exception);
/// A text that is not a number where one is required (unit exponents etc.).
ZRVC_EXCEPTION(EConvertError, Exception);
/// An index outside a list.
ZRVC_EXCEPTION(EListError, Exception);
/// Integer division or remainder by zero.
ZRVC_EXCEPTION(EDivByZero, Exception);
/// OpenGL context and call failures.
ZRVC_EXCEPTION(EOpenGL, Exception);
/// Run-time library loading; callers catch EDLLError.
ZRVC_EXCEPTION(EDLLError, Exception);
ZRVC_EXCEPTION(EInitError, EDLLError);
ZRVC_EXCEPTION(EFileNotFoundError, EDLLError);
ZRVC_EXCEPTION(EDLLNotOpenError, EDLLError);

#undef ZRVC_EXCEPTION

/// The text of an EListError for index `index`.
std::string list_index_message(long long index);

}  // namespace zrv::comp
