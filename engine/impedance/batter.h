#pragma once
// Turns the head impedance of a battered pile from the pile's own axes into
// the global axes of the foundation.

#include <complex>

namespace zrv {

// The nine angles (degrees) between the pile's local axes (rows) and the global
// axes x, y, z (columns), in the order (1,1), (1,2), (1,3), (2,1), ..., (3,3).
struct BatterAngles {
  float angle[9] = {0.0f, 90.0f, 90.0f, 90.0f, 0.0f, 90.0f, 90.0f, 90.0f, 0.0f};
};

// out = T^T Z T, where T (6x6) holds the direction cosines of the angles in its
// two diagonal 3x3 blocks (translations and rotations). z and out are 6x6
// complex, column by column; out is overwritten.
void BATTRN(const BatterAngles& pile, const std::complex<float>* z, std::complex<float>* out);

}  // namespace zrv
