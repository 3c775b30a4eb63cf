#pragma once
// The children of the main window that are made on first use, one of each
// kind at most. Each child frees itself when it closes; its entry here then
// clears itself.

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstddef>

namespace zrv::front {

/// The kinds of lazily made child.
enum class TChildKind {
  Title,
  Options,
  PileProperties,
  PileCapProperties,
  SideViewXZ,
  SideViewYZ,
  TopView,
  Harmonic,
  Quadratic,
  Random,
  Transient,
  Layout,
  Shape,
  MassData,
  Foundations,
  Multimat,
  Tipsoil,
  View3D,
  Count
};

class TChildForms {
public:
  /// The child of `kind`, or null when there is none.
  QWidget* find(TChildKind kind) const { return m_children[index(kind)]; }
  /// The child of `kind`, made by `make()` when there is none.
  template <class Make>
  QWidget* get(TChildKind kind, Make&& make) {
    QPointer<QWidget>& child = m_children[index(kind)];
    if (!child) child = make();
    return child;
  }

private:
  static std::size_t index(TChildKind kind) { return static_cast<std::size_t>(kind); }

  std::array<QPointer<QWidget>, static_cast<std::size_t>(TChildKind::Count)> m_children{};
};

}  // namespace zrv::front
