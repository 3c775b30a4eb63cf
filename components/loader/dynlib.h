#pragma once
// Run-time loading of one shared library by file name and look-up of its
// entries by name.
//
// Open maps the loader's failures as follows: a library that is found but
// whose dependency cannot be found raises EFileNotFoundError "Library could
// not be located"; any other failure (a missing file among them) raises
// nothing and leaves the object closed, so that the first GetProcAddress
// raises EDLLNotOpenError "Library is not open". A file named by a path is
// checked before it is handed to the system loader: one that is not a whole
// shared object of this machine (cut short, for one) fails the same way,
// rather than faulting inside the loader. The system loader reports no
// failed initialisation of its own (a library's start-up code cannot refuse
// the load), so EInitError is never raised here; it stays in the family for
// callers that catch it.

#include <string>

namespace zrv::comp {

class TDynamicLibrary {
public:
  TDynamicLibrary() = default;
  /// Closes the library when open.
  ~TDynamicLibrary();
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  /// Closes the library when open, then stores the name; nothing is loaded.
  void SetLibraryName(const std::string& name);
  const std::string& LibraryName() const { return m_name; }

  /// Loads the library; does nothing when it is already open.
  void Open();
  /// Frees the library when open.
  void Close();
  bool IsOpen() const { return m_handle != nullptr; }

  /// Address of the exported entry `name`, or null when the library does not
  /// export it. Raises EDLLNotOpenError when the library is not open.
  void* GetProcAddress(const std::string& name) const;

private:
  std::string m_name;
  void* m_handle = nullptr;
};

}  // namespace zrv::comp
