// The shared library's only entry, exported under two names at one address.
// Nothing escapes the C boundary: a failure that the run could not report
// itself becomes a result code.

#include "run/entry.h"

extern "C" __attribute__((visibility("default"))) int IZORVIN(int interface_value) {
  try {
    return zrv::run_engine(interface_value);
  } catch (...) {
    return zrv::run_fatal;
  }
}

// The second name of the same entry.
extern "C" __attribute__((visibility("default"))) int IZORVIN_underscored(int)
    __asm__("_IZORVIN") __attribute__((alias("IZORVIN")));
