#pragma once
// Head impedance of one vertical element through a layered soil profile: a
// single pile, or the body of the multilayer system with the soil column under
// it. Each layer is an exact dynamic bar, shaft and shear beam (with rotary
// inertia and a static axial load) on the side-soil reactions of its layer; the
// soil below the tip acts as a rigid disc on a half-space. The layer elements
// are chained into complex symmetric band systems and solved for unit head
// motions; the head forces are the impedances.

#include <array>
#include <complex>

namespace zrv {

inline constexpr int kPileMaxLayers = 30;

// Outcome of the element routines. Anything but kPileOk leaves the results
// unset; the caller turns the status into a framed input message.
enum class PileStatus {
  kPileOk = 0,
  kLayerCount,         // layer count outside 1..30
  kTipVelocity,        // shear-wave velocity of the soil below not positive
  kSection,            // a thickness, radius, area or second moment not positive
  kTorsionalConstant,  // torsional stiffness J not positive
  kModulus,            // element modulus (or a soil column's) not positive
  kSingular,           // zero pivot, resonance of an undamped layer, or a non-finite value
  kFrequency,          // circular frequency not positive
};

// One layer of the profile with the element section in it.
struct PileLayer {
  float thickness = 0;
  // Soil of the layer.
  float shear_velocity = 0;
  float unit_weight = 0;
  float poisson_ratio = 0;
  float damping = 0;
  // Element section: the radius and second moment of area of this call.
  float radius = 0;
  float area = 0;
  float inertia = 0;
  float torsional_stiffness = 0;
  // Weakened zone round the element (thickness already a length).
  float zone_modulus_ratio = 0;
  float zone_poisson_ratio = 0;
  float zone_damping = 0;
  float zone_thickness = 0;
  // Multilayer system, soil-column layers only: soil inside over soil outside.
  float modulus_ratio_in_out = 1;
  float damping_ratio_in_out = 1;
};

struct PileInput {
  int profile = 1;               // negative: multilayer system (soil column below the body)
  int layer_count = 0;           // n, 1..30
  int adjacent_layer_count = 0;  // multilayer: layers beside the body
  // Element material.
  float youngs_modulus = 0;
  float poisson_ratio = 0;
  float damping = 0;
  float unit_weight = 0;
  float rigidity_coefficient = 0;  // kappa of the shear flexibility kappa / (G A)
  float static_load = 0;           // axial load P, compression positive
  float gravity = 0;
  std::array<PileLayer, kPileMaxLayers> layers{};
  // Soil below the tip.
  float below_velocity = 0;
  float below_unit_weight = 0;
  float below_poisson_ratio = 0;
  float below_damping = 0;
  float omega = 0;    // circular frequency, rad/s
  float omega_s = 0;  // shear cut-off (SOLAVG)
  float omega_p = 0;  // compression cut-off (SOLAVG)
};

// Stiffness k = Re Z and damping constant c = Im Z / omega.
struct ImpedancePair {
  float k = 0;
  float c = 0;
};

struct PileImpedance {
  ImpedancePair vertical;
  ImpedancePair torsion;
  ImpedancePair horizontal;  // head rotation held
  ImpedancePair rocking;     // head translation held
  // Moment at the held head under unit translation; the head rotation counts
  // positive against the slope du/dz (z downwards), so a fixed-base member
  // gives -6 EI / L^2.
  ImpedancePair coupling;
  ImpedancePair horizontal_free;  // moment-free head
};

// Profile summary for the cut-off frequencies of the soil column.
struct ColumnLayer {
  float thickness = 0;
  float shear_velocity = 0;
  float poisson_ratio = 0;
};

struct ColumnInput {
  int end_bearing = 0;  // 1 when the tip rests on a rigid base
  int layer_count = 0;
  int side_layer_count = 0;
  std::array<ColumnLayer, kPileMaxLayers> layers{};
  std::array<ColumnLayer, kPileMaxLayers> side_layers{};
  float below_velocity = 0;
};

struct ColumnCutoffs {
  float omega_s = 0;  // shear
  float omega_p = 0;  // compression
};

// Cut-off frequencies of the soil column over a rigid base: omega_s =
// pi Vm / (2 T) from the thickness-weighted mean velocity Vm of the layers and
// the side layers (total thickness T), omega_p = omega_s sqrt(2(1 - nu)/(1 - 2 nu))
// with the mean Poisson's ratio held below 0.499. Both are 0 without end
// bearing, when Vm is not below the velocity of the soil below, or when the
// profile has no thickness.
ColumnCutoffs SOLAVG(const ColumnInput& in);

// Element entries of one layer, in double precision.
// Axial (and, with the torsional data, torsional) pair: the two diagonal
// entries ka and the off-diagonal entry kb of the bar of length h with
// complex stiffness ea and k2 = (m w^2 - soil) / ea.
struct BarEntries {
  std::complex<double> ka;
  std::complex<double> kb;
};
BarEntries bar_element(std::complex<double> ea, std::complex<double> k2, double h);

// Lateral element: the six entries L1..L6 of the shear beam (see PILIMP) for
// a = m w^2 - Gs Sh, rotational soil reaction qr, rotary inertia rho_i, axial
// load p, shear flexibility fs, bending stiffness ei and its damping value de.
struct BeamInput {
  std::complex<double> a;
  std::complex<double> qr;
  double rho_i_w2 = 0;  // rotary inertia times w^2
  double p = 0;
  double fs = 0;
  double ei = 0;
  double de = 0;
  double h = 0;
};
struct BeamEntries {
  std::complex<double> l[6];  // L1..L6
};
BeamEntries beam_element(const BeamInput& in);

// The same entries by a second route, free of the cancellation that the
// closed form suffers when the element is short or soft (its wave numbers
// small): the transfer matrix of the element's first-order equations, as a
// matrix exponential in scaled variables. beam_element takes this route by
// itself below |lambda| = 0.2.
BeamEntries beam_element_transfer(const BeamInput& in);

// 4x4 element matrix over (u top, theta top, u bottom, theta bottom), column
// by column, from the entries of a lateral element of thickness h.
void beam_matrix(const BeamEntries& e, double h, std::complex<double>* k4);

// Symmetric complex band solver without pivoting. The band holds n equations
// of m diagonals (the main one and m - 1 above it): entry (i, c), counted from
// 0, is the coefficient of variable i + c in equation i, stored at
// band[i + ldb * c]. rhs holds nrhs columns of leading dimension ldr and is
// replaced by the solutions; the band is overwritten.
// Works in double, like the rest of the element. Returns false, with the
// contents undefined, on a zero pivot.
bool CBNDSV(int nrhs, int n, int m, std::complex<double>* band, int ldb, std::complex<double>* rhs,
            int ldr);

// Head impedances of the element at in.omega (> 0). Computes in double and
// rounds the results to single precision.
PileStatus PILIMP(const PileInput& in, PileImpedance& out);

}  // namespace zrv
