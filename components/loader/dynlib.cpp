#include "loader/dynlib.h"

#include <dlfcn.h>

#include <string_view>

#include "base/exceptions.h"

namespace zrv::comp {

namespace {

// True when the loader's message says that a file other than `name` itself
// could not be opened: the library was found, one of its dependencies was not.
// The loader reports "<file>: cannot open shared object file: ...".
bool dependency_missing(std::string_view message, std::string_view name) {
  constexpr std::string_view kCannotOpen = ": cannot open shared object file";
  const auto p = message.find(kCannotOpen);
  if (p == std::string_view::npos) return false;
  return message.substr(0, p) != name;
}

}  // namespace

TDynamicLibrary::~TDynamicLibrary() { Close(); }

void TDynamicLibrary::SetLibraryName(const std::string& name) {
  Close();
  m_name = name;
}

void TDynamicLibrary::Open() {
  if (IsOpen()) return;
  // The system loader takes an empty name for the program itself; a library
  // without a name is a library that cannot be found.
  if (m_name.empty()) return;
  dlerror();  // clear a stale message
  m_handle = dlopen(m_name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle != nullptr) return;
  const char* err = dlerror();
  const std::string message = err ? err : "";
  if (dependency_missing(message, m_name))
    throw EFileNotFoundError("Library could not be located");
}

void TDynamicLibrary::Close() {
  if (!IsOpen()) return;
  dlclose(m_handle);
  m_handle = nullptr;
}

void* TDynamicLibrary::GetProcAddress(const std::string& name) const {
  if (!IsOpen()) throw EDLLNotOpenError("Library is not open");
  return dlsym(m_handle, name.c_str());
}

}  // namespace zrv::comp
