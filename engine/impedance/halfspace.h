#pragma once
// Frequency-dependent impedance of a rigid footing on the surface of a
// visco-elastic half-space, and of a rigid footing embedded in one soil
// stratum over a rigid base. Impedances follow K + i w C for motions e^{+iwt};
// material damping enters as G (1 + i d).

#include <complex>

namespace zrv {

// Dimensionless half-space impedances. Multiply horizontal and vertical by
// G r, rocking4 by G r4^3, rocking5 by G r5^3 and torsion by G rt^3.
struct HalfspaceImpedance {
  std::complex<float> horizontal;  // x and y translation
  std::complex<float> vertical;
  std::complex<float> rocking4;    // rotation about x
  std::complex<float> rocking5;    // rotation about y
  std::complex<float> torsion;
};

// a0 = w r / Vs on the translation radius r; nu Poisson's ratio; d the
// material damping value; r4, r5, rt the rocking and torsion radii (each mode
// takes its own frequency a0 * radius / r). The coefficient set changes at
// nu = 0.4.
HalfspaceImpedance HSPIMP(float a0, float nu, float d, float r, float r4, float r5, float rt);

// Data of a footing embedded in a stratum over a rigid base.
struct StratumInput {
  float shape = 1.0f;        // 1 circle, -1 rectangle (carried, not used)
  float embedment = 0.0f;    // E, depth of the footing base below the surface
  float depth = 0.0f;        // H, stratum thickness
  float nu = 0.0f;           // Poisson's ratio
  float damping = 0.0f;      // material damping value d
  float unit_weight = 0.0f;  // gamma
  float vs = 0.0f;           // shear-wave velocity
  float gravity = 0.0f;      // g, so that the mass density is gamma / g
  float rh = 0.0f;           // horizontal radius
  float rv = 0.0f;           // vertical radius
  float r4 = 0.0f;           // rocking radius about x
  float r5 = 0.0f;           // rocking radius about y
  float rt = 0.0f;           // torsion radius
};

// Dimensional stratum impedances about the base centre.
struct StratumImpedance {
  std::complex<float> horizontal;  // (1,1) and (2,2)
  std::complex<float> vertical;    // (3,3)
  std::complex<float> coupling4;   // (2,4) and (4,2): y translation with rocking about x
  std::complex<float> coupling5;   // (1,5) and (5,1): x translation with rocking about y, sign reversed
  std::complex<float> rocking4;    // (4,4)
  std::complex<float> rocking5;    // (5,5)
  std::complex<float> torsion;     // (6,6)
};

// Impedances at circular frequency omega (rad/s). Below the stratum's shear
// (compression) frequency the radiation damping of the horizontal and
// torsional (vertical and rocking) motions is the stratum's resonance term;
// above it the half-space-like values.
StratumImpedance STRIMP(float omega, const StratumInput& in);

}  // namespace zrv
