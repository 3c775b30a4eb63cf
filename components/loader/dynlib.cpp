#include "loader/dynlib.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
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

// Reads `size` bytes at `offset` of `fd` whole; false on a short read.
bool read_at(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
  auto* p = static_cast<char*>(buffer);
  while (size > 0) {
    const ssize_t n = pread(fd, p, size, static_cast<off_t>(offset));
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

// True when `length` bytes from `offset` lie within a file of `size` bytes.
bool fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
  return offset <= size && length <= size - offset;
}

// True when a table of `count` entries of `entry` bytes from `offset` lies
// within a file of `size` bytes.
bool table_fits(std::uint64_t offset, std::uint64_t count, std::uint64_t entry, std::uint64_t size) {
  return offset <= size && count <= (size - offset) / entry;
}

// True when `path` is a regular file that holds a whole shared object of
// this machine's class: the header, the program-header table, every loadable
// segment's file part and the section-header table all lie within the file.
// The system loader maps the segments without looking at the file's size, so
// a file cut short (an incomplete copy) would fault when the loader touches a
// page past its end; such a file is not handed to it.
bool whole_library_file(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto size = static_cast<std::uint64_t>(st.st_size);

  ElfW(Ehdr) header{};
  if (size < sizeof header || !read_at(fd, &header, sizeof header, 0)) return false;
  const unsigned char* id = header.e_ident;
  if (id[EI_MAG0] != ELFMAG0 || id[EI_MAG1] != ELFMAG1 || id[EI_MAG2] != ELFMAG2 || id[EI_MAG3] != ELFMAG3)
    return false;
  // Another class or byte order is not this machine's library (the loader
  // refuses it too); its tables would be misread here.
  constexpr unsigned char kClass = sizeof(ElfW(Addr)) == 8 ? ELFCLASS64 : ELFCLASS32;
  constexpr unsigned char kData = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;
  if (id[EI_CLASS] != kClass || id[EI_DATA] != kData) return false;

  if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0) return false;
  if (!table_fits(header.e_phoff, header.e_phnum, sizeof(ElfW(Phdr)), size)) return false;
  for (unsigned i = 0; i < header.e_phnum; ++i) {
    ElfW(Phdr) segment{};
    if (!read_at(fd, &segment, sizeof segment, header.e_phoff + i * std::uint64_t{sizeof segment})) return false;
    if (segment.p_type == PT_LOAD && !fits(segment.p_offset, segment.p_filesz, size)) return false;
  }

  // The section headers come last in the file: they show a copy cut short
  // even where every segment survived.
  if (header.e_shoff != 0) {
    if (header.e_shentsize != sizeof(ElfW(Shdr))) return false;
    ElfW(Shdr) first{};
    if (!fits(header.e_shoff, sizeof first, size) || !read_at(fd, &first, sizeof first, header.e_shoff))
      return false;
    // A count too large for the header is kept in the first section's size.
    const std::uint64_t sections = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
    if (!table_fits(header.e_shoff, sections, sizeof(ElfW(Shdr)), size)) return false;
  }
  return true;
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
  // A damaged file stays closed, as a missing one does. A bare name is
  // looked up along the loader's own search path and is not checked here.
  if (m_name.find('/') != std::string::npos && !whole_library_file(m_name)) return;
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
