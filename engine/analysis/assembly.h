#pragma once
// Impedance assembly of the footing systems about the centre of gravity: the
// surface footing on the half-space, the footing in a stratum, the side-soil
// layers of an embedded footing, the damping reduction and the constants that
// the report and the plot data show.

#include <array>

#include "analysis/matrix6.h"

namespace zrv {

struct EquivalentRadii;
struct StratumInput;
struct SoilProperties;
struct SideLayer;
struct SideWeakZone;

/// Offsets of the centre of gravity from the base centre.
struct CentreOfGravity {
  float x = 0;
  float y = 0;
  float h = 0;  // height above the base
};

/// Half-space surface footing at circular frequency omega (rad/s), moved to the
/// centre of gravity: Tᵀ K T with K diagonal, (1,1) = (2,2) = G r Kh,
/// (3,3) = G r Kv, (4,4) = G r4³ K4, (5,5) = G r5³ K5, (6,6) = G rt³ Kt and
/// G = Vs² γ / g. Vs must be positive (the driver refuses it otherwise).
Matrix6 halfspace_matrix(float omega, const SoilProperties& soil, float gravity,
                         const EquivalentRadii& radii, const CentreOfGravity& cg);

/// Stratum footing at omega, with its two horizontal-rocking couplings, moved
/// to the centre of gravity.
Matrix6 stratum_matrix(float omega, const StratumInput& in, const CentreOfGravity& cg);

/// Adds the side-soil layers 1..n of an embedded footing to `result`. Each
/// layer acts at its mid-depth; its rocking terms take the exact integral of
/// the squared lever arm over the layer's thickness. The two cut-off flags are
/// those of the soil column (0 for the half-space); the shear flag is shared
/// by the layers as the side-soil reactions expect.
void add_side_layers(Matrix6& result, float omega, int n, const SideLayer* layers,
                     const SideWeakZone* zones, float gravity, const EquivalentRadii& radii,
                     const CentreOfGravity& cg, int shear_cutoff, int compression_cutoff);

/// Multiplies the imaginary part of every entry by 0.7 (the damping
/// reduction of the impedance at the centre of gravity).
void reduce_damping(Matrix6& m);

/// Stiffness and damping constants in the order KXX KYY KWW KPPX KPPY KZT KXP
/// KYP: real parts of (1,1) (2,2) (3,3) (4,4) (5,5) (6,6) (2,4) (5,1), and
/// their imaginary parts over omega, the two rocking ones as absolute values.
struct Constants {
  std::array<float, 8> k{};
  std::array<float, 8> c{};
};
Constants constants_of(const Matrix6& m, float omega);

/// Embedment factors of the special output for depth d, radius r and Poisson's
/// ratio nu (e = d / r): stiffness factors A (horizontal) and C (rocking),
/// damping factors B and D'.
struct EmbedmentFactors {
  float a = 1, b = 1, c = 1, d = 1;
};
EmbedmentFactors embedment_factors(float depth, float r, float nu);

/// Concentrated constants of the special output: the horizontal and rocking
/// terms scaled by the embedment factors; the couplings are dropped (0).
Constants special_constants(const Matrix6& m, float omega, const EmbedmentFactors& f);

}  // namespace zrv
