#include "numerics/small.h"

#include <climits>
#include <cmath>

namespace zrv {

int NEARIN(float x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0f) return INT_MAX;
  if (x <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(std::lround(x));
}

float SIMPSN(const float* y, int n, float h) {
  if (n < 2) return 0.0f;
  if (n == 2) return static_cast<float>(0.5 * h * (static_cast<double>(y[0]) + y[1]));
  // Interior samples (1-based 2..n-1) weigh 4 at even positions and 2 at odd ones.
  double sum = static_cast<double>(y[0]) + y[n - 1];
  for (int i = 1; i < n - 1; ++i) sum += (i % 2 == 1 ? 4.0 : 2.0) * y[i];
  return static_cast<float>(h / 3.0 * sum);
}

void CTRAN6(const std::complex<float>* k, const float* t, std::complex<float>* r, int n) {
  using cd = std::complex<double>;
  // W = K T first, so that R may share storage with K.
  cd w[36];
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      cd sum = 0.0;
      for (int m = 0; m < n; ++m) sum += cd(k[i + 6 * m]) * static_cast<double>(t[m + 6 * j]);
      w[i + 6 * j] = sum;
    }
  for (int j = 0; j < n; ++j)
    for (int m = j; m < n; ++m) {
      cd sum = 0.0;
      for (int l = 0; l < n; ++l) sum += static_cast<double>(t[l + 6 * j]) * w[l + 6 * m];
      r[j + 6 * m] = std::complex<float>(sum);
      r[m + 6 * j] = r[j + 6 * m];
    }
}

void rigid_offset(float x, float y, float z, float* t) {
  for (int i = 0; i < 36; ++i) t[i] = 0.0f;
  for (int i = 0; i < 6; ++i) t[i + 6 * i] = 1.0f;
  t[0 + 6 * 4] = -z;  // (1,5)
  t[0 + 6 * 5] = y;   // (1,6)
  t[1 + 6 * 3] = z;   // (2,4)
  t[1 + 6 * 5] = -x;  // (2,6)
  t[2 + 6 * 3] = -y;  // (3,4)
  t[2 + 6 * 4] = x;   // (3,5)
}

}  // namespace zrv
