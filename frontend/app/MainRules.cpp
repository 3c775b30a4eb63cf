#include "app/MainRules.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "zrv/izorvin.h"
#include "zrv/names_file.h"

namespace zrv::front {

QString FileTitle(const QString& fileName) {
  QString name = QFileInfo(fileName).fileName();
  const QString suffix = QStringLiteral(".") + kProjectExtension;
  const qsizetype dot = name.lastIndexOf('.');
  if (dot >= 0 && name.mid(dot).toUpper() == suffix.toUpper()) name = name.left(name.indexOf('.'));
  if (name.size() > 1) name[0] = name[0].toUpper();
  return name;
}

QString MainCaption(const QString& fileName) {
  return QStringLiteral("ZORVIN %1 - %2").arg(kVersion, FileTitle(fileName));
}

bool TRecentFiles::UpdatePrevFile(const QString& path) {
  if (m_files[0] == path) return false;
  int at = kMax - 1;  // an absent path pushes every entry down, dropping the last
  for (int i = 1; i < kMax; ++i)
    if (m_files[static_cast<std::size_t>(i)] == path) {
      at = i;
      break;
    }
  for (int i = at; i > 0; --i) m_files[static_cast<std::size_t>(i)] = m_files[static_cast<std::size_t>(i - 1)];
  m_files[0] = path;
  return true;
}

int TRecentFiles::count() const {
  int n = 0;
  for (const QString& f : m_files)
    if (!f.isEmpty()) ++n;
  return n;
}

void TRecentFiles::clear() {
  for (QString& f : m_files) f.clear();
}

QString RecentFileCaption(int number, const QString& path, const QString& currentDir) {
  QString shown = path;
  QString prefix = currentDir;
  if (!prefix.endsWith('/')) prefix += '/';
  const qsizetype at = prefix.size() > 1 ? shown.indexOf(prefix) : -1;
  if (at >= 0) shown.remove(at, prefix.size());
  return QString::number(number) + ' ' + shown;
}

namespace {

QString fileKey(int i) { return QStringLiteral("File%1").arg(i + 1); }

}  // namespace

TMainSettings ReadMainSettings() {
  TMainSettings s;
  QSettings settings("Kaltro", "ZORVIN");
  settings.beginGroup(kVersion);
  s.wordProcessor = settings.value("Word Processor").toString();
  for (int i = 0; i < TRecentFiles::kMax; ++i) s.recent.setEntry(i, settings.value(fileKey(i)).toString());
  settings.endGroup();
  return s;
}

void WriteMainSettings(const TMainSettings& s) {
  QSettings settings("Kaltro", "ZORVIN");
  settings.beginGroup(kVersion);
  settings.setValue("Word Processor", s.wordProcessor);
  for (int i = 0; i < TRecentFiles::kMax; ++i) settings.setValue(fileKey(i), s.recent.entry(i));
  settings.endGroup();
  settings.sync();
}

TDataMenuState DataMenuState(const QString& foundationType) {
  TDataMenuState s;
  const bool pile = foundationType == "PILE";
  const bool multilayer = foundationType == "MULTILAYER";
  const bool stratum = foundationType == "STRATUM";
  s.pile = pile;
  s.footing = !pile;
  s.multilayer = multilayer;
  s.sideSoil = !stratum;
  s.sideSoilCaption = pile ? "Side Soil of Pile Cap" : stratum ? "Side Soil" : "Side Soil of Fondation";
  return s;
}

int MultisoilRowCount(int elementRows, int soilRows, int minRows, int maxRows) {
  if (elementRows <= 1) return -1;
  int n = std::max(elementRows - soilRows, minRows);
  if (maxRows > 0) n = std::min(n, maxRows);
  return n;
}

int LoadTypeFromText(const QString& loadingText, int current) {
  if (loadingText == "HARMONIC") return 1;
  if (loadingText == "TRANSIENT") return 2;
  if (loadingText == "RANDOM") return 3;
  return current;
}

TGraphicsMenuState GraphicsMenuState(bool plotsLoaded, bool plotFileExists, int generateMatrix, int loadType) {
  TGraphicsMenuState s;
  const bool any = plotsLoaded && plotFileExists;
  s.stiffness = any && generateMatrix != 0;
  s.response = any && loadType == 1;
  return s;
}

QString RunResultMessage(int code, const TFileFault& fault) {
  const QString check = QStringLiteral(" Please, check output file for error messages.");
  switch (code) {
    case run_done:
      return "Computations are completed. Please, check output file for results or error messages.";
    case run_wrong_value:
      return "The analysis did not start: the engine library does not accept this program's interface "
             "(result 1).";
    case run_stopped:
      return "The analysis stopped before its end: a STOP keyword or the end of the input before RUN "
             "(result 2)." + check;
    case run_fatal:
      return "The analysis stopped on a fatal error in the input data (result 3)." + check;
    case run_file_error:
      if (!fault.file.isEmpty())
        return "The analysis stopped because a file could not be opened (result 4): " +
               QDir::toNativeSeparators(fault.file) + ": " + fault.reason + "." + (fault.inReport ? check : QString());
      return "The analysis stopped because a file could not be opened (result 4)." + check;
    default:
      return QStringLiteral("The analysis stopped (result %1).").arg(code) + check;
  }
}

QString ChangeFileExt(const QString& path, const QString& extension) {
  const qsizetype slash = path.lastIndexOf('/');
  const qsizetype dot = path.lastIndexOf('.');
  if (dot > slash) return path.left(dot) + extension;
  return path + extension;
}

QString NamesFileText(const QString& fileName) {
  return QString::fromStdString(zrv::names_file_text(kVersion, fileName.toStdString()));
}

}  // namespace zrv::front
