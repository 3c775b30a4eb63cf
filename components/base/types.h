#pragma once
// Scalar types shared by the component library.

namespace zrv::comp {

/// The extended real of entries, unit factors and plot points (80-bit on x86).
using Extended = long double;

}  // namespace zrv::comp
