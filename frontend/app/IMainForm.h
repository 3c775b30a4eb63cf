#pragma once
// What the data forms, views and dialogs need of the main window. The main
// window (TMainForm) implements it; tests of a form use a small fake.

#include <QString>

class QWidget;

namespace zrv::front {

class TProgramData;
class TProjectTables;
struct TResultPlots;

class IMainForm {
public:
  virtual ~IMainForm() = default;

  /// The open project and the thirteen tables of the main window. The
  /// project is replaced on New and Open, after every child is closed.
  virtual TProgramData& Project() = 0;
  virtual TProjectTables& Tables() = 0;
  /// The eighteen result plots.
  virtual TResultPlots& Plots() = 0;

  virtual bool IsModified() const = 0;
  /// Data forms call it with true on every change; false also clears the
  /// changed flags of the tables.
  virtual void SetModified(bool modified) = 0;

  /// Enables the pile and foundation menu items for the current foundation
  /// type (after the layout form changed it).
  virtual void UpdatePileMenus() = 0;
  /// Sets LoadType from the loading text, enables the loading items and
  /// frees the forms of the other loading types.
  virtual void UpdateLoadingMenus() = 0;
  /// Called by the 3D view when it closes.
  virtual void Close3DView() = 0;

  /// The external text editor ("Word Processor").
  virtual QString WordProcessorPath() const = 0;
  virtual void SetWordProcessorPath(const QString& path) = 0;

  /// The program's version, `kVersion`.
  virtual QString GetVersion() const = 0;

  /// Shows `child` as a child window of the main window and activates it.
  /// The child is deleted when closed (Qt::WA_DeleteOnClose); the main
  /// window's created-flag for it is a QPointer that clears itself.
  virtual void ShowChild(QWidget* child) = 0;
};

}  // namespace zrv::front
