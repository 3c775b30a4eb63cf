#pragma once
// The main window's rules that need no widget: the caption, the recent-file
// list, which menu items a project enables, and the settings they are kept in.

#include <QString>
#include <QStringList>
#include <array>

#include "zorvin_version.h"

namespace zrv::front {

/// The program's version, from the build's project version, and its settings group.
inline constexpr const char* kVersion = ZORVIN_VERSION;
/// Default extension of project files, without the dot.
inline constexpr const char* kProjectExtension = "zvd";

/// The file title of `fileName` as the caption shows it: the name without its
/// folder; cut at its first "." when its extension is ".zvd" (any case); its
/// first character made upper case when more than one character is left.
QString FileTitle(const QString& fileName);
/// "ZORVIN ", the version and " - ", followed by the file title.
QString MainCaption(const QString& fileName);

/// The ten most recent project files, most recent first.
class TRecentFiles {
public:
  static constexpr int kMax = 10;

  /// Puts `path` first. Returns false (nothing changes) when it already is
  /// first; an entry further down moves up, and a new path pushes the others
  /// down, the tenth dropping off.
  bool UpdatePrevFile(const QString& path);
  /// Entries 0..9; empty beyond the count.
  const QString& entry(int i) const { return m_files.at(static_cast<std::size_t>(i)); }
  void setEntry(int i, const QString& path) { m_files.at(static_cast<std::size_t>(i)) = path; }
  /// Number of non-empty entries.
  int count() const;
  void clear();

private:
  std::array<QString, kMax> m_files;
};

/// Caption of recent-file item `number` (1-based): the number, a blank and
/// the path, with "`currentDir`/" cut off where the path contains it.
QString RecentFileCaption(int number, const QString& path, const QString& currentDir);

/// The stored settings: the text editor (empty: the desktop's default
/// application) and the recent files.
struct TMainSettings {
  QString wordProcessor;
  TRecentFiles recent;
};
/// Reads QSettings("Kaltro", "ZORVIN"), group `kVersion`: "Word Processor" and
/// "File1".."File10". Missing values read as empty.
TMainSettings ReadMainSettings();
/// Writes the same values back.
void WriteMainSettings(const TMainSettings& settings);

/// Which items of the Data menu a foundation type enables, and the caption
/// of the side-soil item.
struct TDataMenuState {
  bool pile = false;        // pile properties, elements, coordinates, cap mass, cap shape, soil layers
  bool footing = false;     // foundation dimensions, footing mass, foundation shape
  bool multilayer = false;  // foundation layer, soil column layer
  bool sideSoil = false;
  QString sideSoilCaption;
};
TDataMenuState DataMenuState(const QString& foundationType);

/// Row count the Data menu gives the soil-column table of a multilayer
/// foundation: element rows minus side-soil rows, kept within the table's
/// limits (`maxRows` 0: none) so that no row is lost below its minimum; -1
/// (leave it) with at most one element row.
int MultisoilRowCount(int elementRows, int soilRows, int minRows, int maxRows);

/// LoadType for a loading text that is exactly "HARMONIC", "TRANSIENT" or
/// "RANDOM" (1, 2, 3); else `current`.
int LoadTypeFromText(const QString& loadingText, int current);

/// The Graphics menu: every item needs loaded plots and an existing plot-data
/// file; the stiffness and damping items also the stiffness matrix; the two
/// response items and the interactive one a harmonic load.
struct TGraphicsMenuState {
  bool stiffness = false;  // four stiffness and damping items
  bool response = false;   // displacement, rotation and interactive items
};
TGraphicsMenuState GraphicsMenuState(bool plotsLoaded, bool plotFileExists, int generateMatrix, int loadType);

/// A file that a run could not open, with the system's reason; `inReport`
/// when the engine could write its failure into the report.
struct TFileFault {
  QString file;
  QString reason;
  bool inReport = false;
};

/// Text of the message after a run with result `code`: the completion notice
/// for 0; for 2, 3 and 4 that the run stopped, pointing to the report. For 4
/// the file that could not be opened is named when `fault` names one.
QString RunResultMessage(int code, const TFileFault& fault = {});

/// The seven lines of the names file for project `fileName`: the version,
/// the project, then its .zvo, .zvp, .zvr, .zvt and .zvm paths; LF ends.
QString NamesFileText(const QString& fileName);

/// `path` with its extension replaced by `extension` (".zvo"); appended when
/// it has none.
QString ChangeFileExt(const QString& path, const QString& extension);

}  // namespace zrv::front
