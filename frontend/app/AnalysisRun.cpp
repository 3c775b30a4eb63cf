#include "app/AnalysisRun.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "app/MainRules.h"
#include "base/exceptions.h"
#include "loader/dynlib.h"

namespace zrv::front {

namespace {

bool g_running = false;

// Clears the running flag however the run ends.
struct RunningGuard {
  RunningGuard() { g_running = true; }
  ~RunningGuard() { g_running = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;
};

// Puts the current folder back however the run ends: the run folder is the
// engine's, never the user's.
struct CurrentFolderGuard {
  QString folder = QDir::currentPath();
  CurrentFolderGuard() = default;
  ~CurrentFolderGuard() { QDir::setCurrent(folder); }
  CurrentFolderGuard(const CurrentFolderGuard&) = delete;
  CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;
};

void writeNamesFile(const QString& path, const QString& text) {
  QSaveFile file(path);
  const QByteArray bytes = text.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw comp::EInOutError("Cannot write the names file " + path.toStdString());
}

}  // namespace

QString DefaultRunFolder() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share/ZORVIN";
  return base + "/run";
}

TRunOutcome RunEngine(const QString& fileName, const QString& libraryPath, const QString& runFolder,
                      const TEntryCaller& callEntry) {
  if (g_running) return {TRunStatus::Busy, -1};
  RunningGuard running;
  CurrentFolderGuard keepFolder;

  if (!QDir().mkpath(runFolder) || !QDir::setCurrent(runFolder))
    throw comp::EInOutError("Cannot use the run folder " + runFolder.toStdString());
  const QString names = QDir(runFolder).filePath("names.dat");
  writeNamesFile(names, NamesFileText(fileName));
  // Plots must never show the results of an earlier run.
  QFile::remove(ChangeFileExt(fileName, ".zvp"));

  TRunOutcome outcome;
  {
    comp::TDynamicLibrary library;
    EntryFunction entry = nullptr;
    try {
      library.SetLibraryName(libraryPath.toStdString());
      library.Open();
      entry = reinterpret_cast<EntryFunction>(library.GetProcAddress(entry_name));
    } catch (const comp::EDLLError&) {
      entry = nullptr;
    }
    if (entry != nullptr) {
      const std::function<int()> call = [entry] { return entry(interface_value); };
      outcome = {TRunStatus::Called, callEntry ? callEntry(call) : call()};
    }
  }  // the library is unloaded here
  QFile::remove(names);
  return outcome;
}

}  // namespace zrv::front
