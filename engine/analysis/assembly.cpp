#include "analysis/assembly.h"

#include <cmath>

#include "impedance/halfspace.h"
#include "impedance/side.h"
#include "input/foundation.h"
#include "input/soil.h"
#include "numerics/small.h"

namespace zrv {

namespace {

RealMatrix6 offset_transform(const CentreOfGravity& cg) {
  RealMatrix6 t{};
  rigid_offset(cg.x, cg.y, cg.h, t.data());
  return t;
}

Matrix6 to_centre(const Matrix6& k, const CentreOfGravity& cg) {
  const RealMatrix6 t = offset_transform(cg);
  Matrix6 r{};
  CTRAN6(k.data(), t.data(), r.data());
  return r;
}

}  // namespace

Matrix6 halfspace_matrix(float omega, const SoilProperties& soil, float gravity,
                         const EquivalentRadii& radii, const CentreOfGravity& cg) {
  const float r = radii.translation;
  const float vs = soil.shear_velocity;
  const float a0 = r * omega / vs;
  const HalfspaceImpedance h = HSPIMP(a0, soil.poisson_ratio, soil.damping, r, radii.rocking_x,
                                      radii.rocking_y, radii.torsion);
  const float g = vs * vs * soil.unit_weight / gravity;
  const auto cube = [](float v) { return v * v * v; };
  Matrix6 k{};
  k[at6(1, 1)] = g * r * h.horizontal;
  k[at6(2, 2)] = g * r * h.horizontal;
  k[at6(3, 3)] = g * r * h.vertical;
  k[at6(4, 4)] = g * cube(radii.rocking_x) * h.rocking4;
  k[at6(5, 5)] = g * cube(radii.rocking_y) * h.rocking5;
  k[at6(6, 6)] = g * cube(radii.torsion) * h.torsion;
  return to_centre(k, cg);
}

Matrix6 stratum_matrix(float omega, const StratumInput& in, const CentreOfGravity& cg) {
  const StratumImpedance st = STRIMP(omega, in);
  Matrix6 k{};
  k[at6(1, 1)] = st.horizontal;
  k[at6(2, 2)] = st.horizontal;
  k[at6(3, 3)] = st.vertical;
  k[at6(4, 4)] = st.rocking4;
  k[at6(5, 5)] = st.rocking5;
  k[at6(6, 6)] = st.torsion;
  k[at6(1, 5)] = st.coupling5;
  k[at6(5, 1)] = st.coupling5;
  k[at6(2, 4)] = st.coupling4;
  k[at6(4, 2)] = st.coupling4;
  return to_centre(k, cg);
}

void add_side_layers(Matrix6& result, float omega, int n, const SideLayer* layers,
                     const SideWeakZone* zones, float gravity, const EquivalentRadii& radii,
                     const CentreOfGravity& cg, int shear_cutoff, int compression_cutoff) {
  const float r = radii.translation;
  float top = 0.0f;
  for (int k = 0; k < n; ++k) {
    const SideLayer& layer = layers[k];
    const SideWeakZone& zone = zones[k];
    const float vs = layer.soil.shear_velocity;
    const float g = vs * vs * layer.soil.unit_weight / gravity;
    SideSoil in;
    in.a0 = vs == 0.0f ? 0.0f : r * omega / vs;
    in.nu = layer.soil.poisson_ratio;
    in.damping = layer.soil.damping;
    in.zone_modulus = zone.shear_modulus_ratio;
    in.zone_nu = zone.poisson_ratio;
    in.zone_damping = zone.damping;
    in.zone_thickness = zone.thickness;
    in.r = r;
    in.rx = radii.rocking_x;
    in.ry = radii.rocking_y;
    in.rt = radii.torsion;
    const SideReactions s = SIDIMP(in, shear_cutoff, compression_cutoff);

    const float d = layer.thickness;
    const float dg = d * g;
    Matrix6 kl{};
    kl[at6(1, 1)] = dg * s.horizontal;
    kl[at6(2, 2)] = dg * s.horizontal;
    kl[at6(3, 3)] = dg * s.vertical;
    kl[at6(4, 4)] = dg * (radii.rocking_x * radii.rocking_x) * s.rocking_x;
    kl[at6(5, 5)] = dg * (radii.rocking_y * radii.rocking_y) * s.rocking_y;
    kl[at6(6, 6)] = dg * (radii.torsion * radii.torsion) * s.torsion;

    // The layer acts at its mid-depth below the surface.
    const float mid = top + 0.5f * d;
    RealMatrix6 t = offset_transform(CentreOfGravity{cg.x, cg.y, 0.0f});
    t[at6(1, 5)] = mid - cg.h;
    t[at6(2, 4)] = cg.h - mid;
    Matrix6 work{};
    CTRAN6(kl.data(), t.data(), work.data());

    // Rocking: the mean squared lever arm over the thickness instead of the
    // squared arm of the mid-depth.
    const float e = cg.h - top;
    const float lever = d * d / 3.0f + e * e - d * e;
    work[at6(4, 4)] = lever * kl[at6(2, 2)] + (cg.y * cg.y) * kl[at6(3, 3)] + kl[at6(4, 4)];
    work[at6(5, 5)] = lever * kl[at6(1, 1)] + (cg.x * cg.x) * kl[at6(3, 3)] + kl[at6(5, 5)];

    for (std::size_t i = 0; i < 36; ++i) result[i] += work[i];
    top += d;
  }
}

void reduce_damping(Matrix6& m) {
  // Every entry alike: the reduced matrix is then the same whichever point
  // the impedance is referred to, and its damping part stays as definite as
  // the foundation's.
  const float factor = 0.7f;
  for (Complex& v : m) v = Complex(v.real(), v.imag() * factor);
}

namespace {
constexpr int entry_i[8] = {1, 2, 3, 4, 5, 6, 2, 5};
constexpr int entry_j[8] = {1, 2, 3, 4, 5, 6, 4, 1};
}  // namespace

Constants constants_of(const Matrix6& m, float omega) {
  Constants c;
  for (int n = 0; n < 8; ++n) {
    const Complex v = m[at6(entry_i[n], entry_j[n])];
    c.k[static_cast<std::size_t>(n)] = v.real();
    c.c[static_cast<std::size_t>(n)] = v.imag() / omega;
  }
  c.c[3] = std::fabs(c.c[3]);
  c.c[4] = std::fabs(c.c[4]);
  return c;
}

EmbedmentFactors embedment_factors(float depth, float r, float nu) {
  const float e = depth / r;
  const float e3 = e * e * e;
  EmbedmentFactors f;
  f.a = 1.0f + 0.55f * (2.0f - nu) * e;
  f.b = (1.0f + 1.9f * (2.0f - nu) * e) / std::sqrt(f.a);
  f.c = 1.0f + 1.2f * (1.0f - nu) * e + 0.2f * (2.0f - nu) * e3;
  f.d = (1.0f + 0.7f * (1.0f - nu) * e + 0.6f * (2.0f - nu) * e3) / std::sqrt(f.c);
  return f;
}

Constants special_constants(const Matrix6& m, float omega, const EmbedmentFactors& f) {
  const auto re = [&](int i) { return m[at6(i, i)].real(); };
  const auto im = [&](int i) { return m[at6(i, i)].imag(); };
  Constants c;
  c.k = {re(1) * f.a, re(2) * f.a, re(3), re(4) * f.c, re(5) * f.c, re(6), 0.0f, 0.0f};
  c.c = {f.b * im(1) / omega,
         f.b * im(2) / omega,
         im(3) / omega,
         std::fabs(f.d * im(4) / omega),
         std::fabs(f.d * im(5) / omega),
         im(6) / omega,
         0.0f,
         0.0f};
  return c;
}

}  // namespace zrv
