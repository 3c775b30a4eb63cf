#pragma once
// The text of the exception that a call raises, for tests that pin messages.

#include <string>

namespace zrv::comp::test {

/// what() of the exception of type E that `f` raises; "<no exception>" when
/// it raises none (another type passes through and fails the test).
template <class E, class F>
std::string message_of(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.what();
  }
  return "<no exception>";
}

}  // namespace zrv::comp::test
