#pragma once
// What the project model asks of the window that shows it: closing the child
// windows when a project is replaced, refreshing the data forms after a unit
// switch, and the project's modified state, which lives in the window.

namespace zrv::front {

class IProjectHost {
public:
  virtual ~IProjectHost() = default;
  /// Closes every child window (data forms, views, table editors).
  virtual void closeAllChildren() = 0;
  /// Re-activates every existing data form and reopens open table editors.
  virtual void refreshDataForms() = 0;
  /// Sets or clears the window's modified flag (clearing also clears the
  /// changed flags of the project tables, which the model does itself).
  virtual void setModified(bool modified) = 0;
};

/// A host without windows: for tests and batch use. Remembers the last
/// modified state it was given.
class NullProjectHost : public IProjectHost {
public:
  void closeAllChildren() override {}
  void refreshDataForms() override {}
  void setModified(bool modified) override { m_modified = modified; }
  bool modified() const { return m_modified; }

private:
  bool m_modified = false;
};

}  // namespace zrv::front
