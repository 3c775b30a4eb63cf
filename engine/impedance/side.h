#pragma once
// Side-soil reactions per unit length of a rigid cylinder vibrating in one soil
// layer in plane strain, with an optional weakened zone (an annulus of softer
// soil) around it.

#include <complex>

namespace zrv {

/// One layer as the side-soil reactions see it.
struct SideSoil {
  float a0 = 0.0f;              ///< dimensionless frequency w r / Vs of the layer
  float nu = 0.0f;              ///< Poisson's ratio of the layer
  float damping = 0.0f;         ///< damping value D: complex modulus G (1 + i D)
  float zone_modulus = 0.0f;    ///< shear-modulus ratio of the zone to the layer
  float zone_nu = 0.0f;         ///< Poisson's ratio of the zone: not used, the zone takes nu
  float zone_damping = 0.0f;    ///< damping value of the zone
  float zone_thickness = 0.0f;  ///< thickness of the zone; 0: no zone
  float r = 0.0f;   ///< radius of the horizontal and vertical reactions (a0 refers to it)
  float rx = 0.0f;  ///< radius of the first rocking reaction
  float ry = 0.0f;  ///< radius of the second rocking reaction
  float rt = 0.0f;  ///< radius of the torsional reaction
};

/// Reactions divided by the layer's shear modulus G: horizontal and vertical
/// forces per unit length and unit displacement; rocking and torsional moments
/// per unit length and unit rotation, also divided by the square of their radius.
struct SideReactions {
  std::complex<float> horizontal;
  std::complex<float> vertical;
  std::complex<float> rocking_x;
  std::complex<float> rocking_y;
  std::complex<float> torsion;
};

/// Side-soil reactions of one layer.
///
/// Without a zone the reactions are closed forms in K0 and K1 of the layer's
/// wave arguments, with floors and blends at low frequency. A zone (thickness
/// not 0) enters the horizontal reaction as a uniform ring in series with the
/// outer soil, and the rocking and torsional reactions (and, for a positive
/// thickness, the vertical one) as an annulus whose modulus runs parabolically
/// from the zone's at r to the layer's at r + thickness. r must be positive.
///
/// shear_cutoff (in/out): positive when the frequency lies at or below the
/// shear cut-off of the soil column. A negative value counts as 0. When the
/// cut-off rule is applied the flag is set to -1, so that callers sharing one
/// flag over their layers apply it to the first layer only.
/// compression_cutoff (in): positive at or below the compression cut-off.
///
/// a0 <= 0 gives five zero reactions and leaves the flag as it is.
/// The horizontal reaction of a zone needs nu < 0.5: otherwise the layer's own
/// reaction is kept. A zone whose modulus ratio is not positive transmits
/// nothing: the reactions it governs are zero.
/// Works in double; the results are rounded to single precision.
SideReactions SIDIMP(const SideSoil& in, int& shear_cutoff, int compression_cutoff);

}  // namespace zrv
