#pragma once
// The engine library as its callers see it: the library file, the entry's
// names and type, the interface value it accepts and the results it returns.
// Nothing of the engine's internals: the batch runner and the program include
// this header without linking the engine.

namespace zrv {

/// File name of the engine library, loaded from the caller's program folder.
inline constexpr const char* engine_library = "libzrv3-comp.so";

/// The entry's exported name; the library exports the same function (one
/// address) also as `entry_name_plain`.
inline constexpr const char* entry_name = "_IZORVIN";
inline constexpr const char* entry_name_plain = "IZORVIN";

/// The entry: runs one analysis in the current folder (names.dat there) and
/// returns a `RunResult`. Any value but `interface_value` is refused with
/// `run_wrong_value` before anything is opened or written.
using EntryFunction = int (*)(int value);

/// The interface revision this program and the library agree on.
inline constexpr int interface_value = 13;

/// Result codes of one call of the entry.
enum RunResult : int {
  run_done = 0,         // deck read, data complete, analysis ran
  run_wrong_value = 1,  // interface value not 13: nothing opened or written
  run_stopped = 2,      // STOP, or the end of the deck before RUN
  run_fatal = 3,        // fatal input error (readers, completeness check, analysis refusal)
  run_file_error = 4,   // names file, deck or an output file could not be used
};

}  // namespace zrv
