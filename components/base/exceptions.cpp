#include "base/exceptions.h"

namespace zrv::comp {

std::string list_index_message(long long index) {
  return "List index out of bounds (" + std::to_string(index) + ")";
}

}  // namespace zrv::comp
