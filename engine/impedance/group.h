#pragma once
// Pile groups under a rigid cap: static pile-to-pile interaction factors for
// every pair (fitted vertical and lateral factors), their frequency-dependent
// form, and the 6x6 group impedance assembled from the single-pile impedance.

#include <array>
#include <complex>
#include <vector>

#include "numerics/symmetric.h"
#include "numerics/tasks.h"

namespace zrv {

inline constexpr int kGroupMaxPiles = 500;
inline constexpr int kGroupMaxLayers = 30;

// Outcome of the group routines; anything but kGroupOk leaves the results
// unset and the caller writes a framed input message.
enum class GroupStatus {
  kGroupOk = 0,
  kPileCount,    // pile count outside 1..500, or layer count outside 1..30
  kCoincident,   // two piles at the same plan position (first pair in pair_i, pair_j)
  kTipVelocity,  // shear-wave velocity of the tip layer not positive
  kFreeLength,   // free length beyond the fit: its factor (1 - Lf/8) would turn negative
  kDiameter,     // pile diameter, length or modulus not positive
  kSingular,     // a flexibility matrix could not be inverted
};

struct GroupPile {
  float x = 0;  // plan position, relative to the centre of gravity
  float y = 0;
  float batter_angle = 0;  // angle of the axis from the vertical, degrees
  // Angles (degrees) between the pile's axes (rows) and x, y, z (columns),
  // row by row; a vertical pile has 0 on the diagonal and 90 elsewhere.
  std::array<float, 9> axis_angles{0, 90, 90, 90, 0, 90, 90, 90, 0};
};

struct GroupLayer {
  float thickness = 0;
  float shear_velocity = 0;
  float unit_weight = 0;
  float poisson_ratio = 0;
};

struct GroupInput {
  std::vector<GroupPile> piles;  // 1..500
  bool battered = false;         // batter data given
  bool interaction = false;      // pile-soil-pile interaction requested
  bool head_fixed = true;        // FIXED heads; false: PINNED
  float cap_height = 0;          // height h of the centre of gravity above the pile heads
  float gravity = 0;
  // Pile: modulus, total length, first element row (radius, area, second
  // moments) and the radius of the row in the tip layer.
  float youngs_modulus = 0;
  float length = 0;
  float radius = 0;
  float area = 0;
  float inertia_x = 0;
  float inertia_y = 0;
  float tip_radius = 0;
  int layer_count = 0;
  std::array<GroupLayer, kGroupMaxLayers> layers{};
  GroupLayer below;  // soil below the tips (thickness unused)
};

// Static interaction factors of all pairs and the positions they were formed at.
struct GroupTables {
  int n = 0;
  float diameter = 0;       // d, twice the first row's radius
  float tip_velocity = 0;   // Vs of the tip layer, for the dimensionless frequency
  std::vector<float> x, y;  // plan positions (battered piles moved down their batter)
  // n x n tables, entry (i, j) at [i + n * j], as follows for i < j:
  std::vector<float> spacing;     // (j, i): spacing ratio S = s / d; (i, j): vertical factor
  std::vector<float> angle;       // (i, j): pair line from the x axis; (j, i): from the y axis
  std::vector<float> lateral[3];  // factor c: (i, j) at 0 degrees, (j, i) at 90 degrees
  int pair_i = -1, pair_j = -1;   // first coincident pair (kCoincident), from 0
};

// Fitted static vertical factor for spacing ratio s, slenderness l_d = L/d,
// stiffness ratio k = Ep A / (E pi d^2/4), base ratio eb = Eb/E, mean Poisson's
// ratio nu and base enlargement rb. 1 for s <= 0. Single precision throughout.
float ALFVER(float s, float l_d, float k, float eb, float nu, float rb);

// Fitted static lateral factors (displacement due to force, cross term,
// rotation due to moment) for spacing ratio s, lateral stiffness ratio kl,
// angle beta (radians) of the pair line from the load and free-length ratio lf.
// All 1 for s = 0.
std::array<float, 3> ALFLAT(float s, float kl, float beta, float lf);

// Straight lines through (2, y2), (5, y5) and (10, y10), extended beyond both ends.
float TABINT(float y2, float y5, float y10, float x);

// Frequency-dependent vertical factor at a0 = w d / Vs from the static one.
std::complex<float> DYNVER(float a0, float s, float alpha_static);

// Static lateral factors of a pair: [factor][0 for 0 degrees, 1 for 90 degrees].
using LateralStatic = std::array<std::array<float, 2>, 3>;

// Frequency-dependent lateral factors for the pair angle beta from the load.
std::array<std::complex<float>, 3> DYNLAT(float a0, float s, float beta, const LateralStatic& st);

// The part of DYNLAT that depends on the frequency only: a = min(a0, 1), the
// excess a0 - a, and the amplitude and phase polynomials at S = 2, 5, 10 per
// factor and direction.
struct LateralCurves {
  float a = 0, delta = 0;
  float amp[3][2][3] = {}, phase[3][2][3] = {};
};
LateralCurves lateral_curves(float a0);

// DYNLAT with the polynomials of its frequency formed once.
std::array<std::complex<float>, 3> DYNLAT(const LateralCurves& k, float s, float beta,
                                          const LateralStatic& st);

// Pair tables of the group. Refuses coincident piles, a tip layer without
// shear-wave velocity and a free length beyond the fit.
GroupStatus GRPSTA(const GroupInput& in, GroupTables& out);

// Working storage of GRPDYN, kept by the caller (one per thread) so that the
// frequency loop does not reallocate its matrices.
struct GroupWork {
  SymmetricWork solve;  // the solves' storage when they run one after the other
  std::vector<std::array<std::complex<float>, 36>> own;  // each pile's impedance, global axes
  // Where a large group hands its three solves, so that idle threads of the
  // caller can take them, with the solves' storage of each of the runner's
  // threads (by worker). Null: solved one after the other.
  TaskRunner* runner = nullptr;
  std::vector<SymmetricWork>* thread_solves = nullptr;
};

// 6x6 group impedance g (column by column) at the centre of gravity from the
// single-pile impedance z at circular frequency omega. Without interaction (or
// with one pile) the piles add under the rigid cap; with it the group
// flexibility matrices are formed with the factors of `tables` and solved in
// double precision; z must then hold the held-head rocking and coupling
// entries, and pinned heads use the translation flexibility of z^-1.
GroupStatus GRPDYN(const GroupInput& in, const GroupTables& tables, const std::complex<float>* z,
                   float omega, std::complex<float>* g, GroupWork& work);

// One of the flexibility systems GRPDYN solves: the full n x n matrix
// (column by column) and its nrhs right-hand sides (leading dimension n).
struct GroupSystem {
  int n = 0;
  int nrhs = 0;
  std::vector<std::complex<double>> a, b;
};

// The vertical, the x and the y lateral systems that GRPDYN forms at omega
// with interaction, for checks and the benchmark. kPileCount without
// interaction or with one pile.
GroupStatus group_systems(const GroupInput& in, const GroupTables& tables,
                          const std::complex<float>* z, float omega,
                          std::array<GroupSystem, 3>& out);

}  // namespace zrv
