#pragma once
// Small numerical helpers of the analysis: nearest-integer rounding,
// parabolic (three-point) integration of an equally spaced sample, and the
// rigid-body congruence transform of a 6x6 complex impedance matrix.

#include <complex>

namespace zrv {

// Nearest integer of x; halves round away from zero (2.5 -> 3, -2.5 -> -3).
// NaN gives 0; values beyond the int range give its nearest end.
int NEARIN(float x);

// S = (h/3)(y1 + 4 y2 + 2 y3 + 4 y4 + ... + yn): the interior samples alternate
// the weights 4 and 2 starting with 4, the last sample has weight 1. This is
// the piecewise-parabolic rule for an odd n; for an even n the sample before
// the last gets 2. Two samples give the trapezoid, fewer give 0.
float SIMPSN(const float* y, int n, float h);

// R = T^T K T for the leading n x n blocks (n <= 6) of 6x6 column-major
// matrices (leading dimension 6). Only the upper triangle is computed and
// mirrored, so R is symmetric whatever K is. R may share storage with K.
void CTRAN6(const std::complex<float>* k, const float* t, std::complex<float>* r, int n = 6);

// Fills the 6x6 column-major T of a move of the reference point: the motion at
// the old point is T times the motion at the new point, whose offsets from the
// old one are (x, y, z). Degrees of freedom 1 x, 2 y, 3 z, 4-6 rotations.
void rigid_offset(float x, float y, float z, float* t);

}  // namespace zrv
