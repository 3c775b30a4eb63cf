#pragma once
// One analysis run of the engine library in the program's own process:
// the names file in a per-user run folder, the library loaded from the
// program's folder for the one call and unloaded after it.

#include <QString>
#include <functional>

#include "app/MainRules.h"
#include "zrv/izorvin.h"

namespace zrv::front {

/// How a run ended.
enum class TRunStatus {
  Called,         // the entry was called; `code` holds its result
  LibraryFailed,  // the library or its entry could not be used; nothing called
  Busy,           // a run is already under way; nothing done
};

struct TRunOutcome {
  TRunStatus status = TRunStatus::LibraryFailed;
  int code = -1;
  /// After result 4: the first file, in the order the engine opens them,
  /// that cannot be opened as the engine opens it (none found: empty).
  TFileFault fault;
};

/// The folder the engine works in: names.dat, TAPE7 and TAPE8. A per-user
/// writable folder, made when missing.
QString DefaultRunFolder();

/// Runs the engine on project `fileName` (an absolute path): writes
/// names.dat in `runFolder` and makes that folder current for the run (the
/// folder current before is current again afterwards, also on an error),
/// deletes the old plot-data file, loads `libraryPath`, looks up the entry,
/// hands `callEntry` the call of the entry with 13 (the default calls it
/// here), unloads the library, looks for the file a result 4 could not open
/// and deletes names.dat. Raises
/// comp::EInOutError naming the file when the run folder or the names file
/// cannot be written; the library is then not loaded.
using TEntryCaller = std::function<int(const std::function<int()>& call)>;
TRunOutcome RunEngine(const QString& fileName, const QString& libraryPath, const QString& runFolder,
                      const TEntryCaller& callEntry = {});

}  // namespace zrv::front
