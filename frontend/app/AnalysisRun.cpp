#include "app/AnalysisRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

// The system's reason for `error`.
QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The error of reading `path` as the engine does (the whole file), or 0.
int readFault(const QString& path) {
  const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno;
  char byte = 0;
  // A folder opens, and fails only when read.
  const int error = read(fd, &byte, 1) < 0 ? errno : 0;
  close(fd);
  return error;
}

// The error of creating or truncating `path` as the engine does, found
// without changing the file, or 0.
int writeFault(const QString& path) {
  const int fd = open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) {
    close(fd);
    return 0;
  }
  if (errno != ENOENT) return errno;
  // A missing file is made in its folder.
  const QString folder = QFileInfo(path).absolutePath();
  return access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0 ? 0 : errno;
}

// The first file the engine could not have opened after a result 4, in the
// order it opens them: the scratch files and the names file in the run
// folder, then the report, the project and the plot data. The engine writes
// the failures after the report's into the report.
TFileFault findFileFault(const QString& fileName, const QString& runFolder) {
  struct Candidate {
    QString path;
    bool read;
    bool inReport;
  };
  const QDir run(runFolder);
  const Candidate candidates[] = {
      {run.filePath("TAPE7"), false, false},
      {run.filePath("TAPE8"), false, false},
      {run.filePath("names.dat"), true, false},
      {ChangeFileExt(fileName, ".zvo"), false, false},
      {fileName, true, true},
      {ChangeFileExt(fileName, ".zvp"), false, true},
  };
  for (const Candidate& c : candidates) {
    if (const int error = c.read ? readFault(c.path) : writeFault(c.path))
      return {c.path, reasonOf(error), c.inReport};
  }
  return {};
}

}  // namespace

QString DefaultRunFolder() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share/ZORVIN";
  return base + "/run";
}

TRunOutcome RunEngine(const QString& fileName, const QString& libraryPath, const QString& runFolder,
                      const TEntryCaller& callEntry) {
  if (g_running) return {TRunStatus::Busy, -1, {}};
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
      outcome = {TRunStatus::Called, callEntry ? callEntry(call) : call(), {}};
    }
  }  // the library is unloaded here
  if (outcome.status == TRunStatus::Called && outcome.code == run_file_error)
    outcome.fault = findFileFault(fileName, runFolder);
  QFile::remove(names);
  return outcome;
}

}  // namespace zrv::front
