#pragma once
// Pile groups under a rigid cap: static pile-to-pile interaction factors for
// every pair (fitted vertical and lateral factors), their frequency-dependent
// form, and the 6x6 group impedance assembled from the single-pile impedance.

#include <array>
#include <complex>
#include <vector>

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

// Pair tables of the group. Refuses coincident piles, a tip layer without
// shear-wave velocity and a free length beyond the fit.
GroupStatus GRPSTA(const GroupInput& in, GroupTables& out);

// Storage of one group flexibility solve: the matrix's lower triangle with
// real and imaginary parts apart (column by column), the pivots, and the full
// matrix of the pivoting fallback.
struct GroupSolveWork {
  std::vector<double> re, im;
  std::vector<double> d_re, d_im;
  std::vector<std::complex<double>> a;
};

// Solves A x = b for the complex symmetric n x n matrix a (column by column;
// only its lower triangle is read) and the nrhs columns of b (leading
// dimension n), which the solutions replace. Factorises A = L D L^T without
// pivoting, in blocks; when a pivot vanishes or the factors grow and the
// solution fails its backward-error check, solves again with row pivoting.
// False when the matrix is singular even then. The group routine's solver.
bool solve_symmetric(int n, const std::complex<double>* a, int nrhs, std::complex<double>* b,
                     GroupSolveWork& work);

// Working storage of GRPDYN, kept by the caller (one per thread) so that the
// frequency loop does not reallocate its matrices. The vertical and the two
// lateral solves have their own storage, as a large group runs them at once.
struct GroupWork {
  std::array<GroupSolveWork, 3> solve;
  std::vector<std::array<std::complex<float>, 36>> own;  // each pile's impedance, global axes
};

// 6x6 group impedance g (column by column) at the centre of gravity from the
// single-pile impedance z at circular frequency omega. Without interaction (or
// with one pile) the piles add under the rigid cap; with it the group
// flexibility matrices are formed with the factors of `tables` and solved in
// double precision; z must then hold the held-head rocking and coupling
// entries, and pinned heads use the translation flexibility of z^-1.
GroupStatus GRPDYN(const GroupInput& in, const GroupTables& tables, const std::complex<float>* z,
                   float omega, std::complex<float>* g, GroupWork& work);

}  // namespace zrv
