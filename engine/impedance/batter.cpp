#include "impedance/batter.h"

#include <cmath>

#include "numerics/pi.h"
#include "numerics/small.h"

namespace zrv {

void BATTRN(const BatterAngles& pile, const std::complex<float>* z, std::complex<float>* out) {
  float t[36] = {};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const float c = std::cos(kPiFloat * pile.angle[3 * i + j] / 180.0f);
      t[i + 6 * j] = c;
      t[(i + 3) + 6 * (j + 3)] = c;
    }
  for (int i = 0; i < 36; ++i) out[i] = 0.0f;
  CTRAN6(z, t, out, 6);
}

}  // namespace zrv
