#include "input/load.h"

#include <algorithm>
#include <complex>
#include <string>
#include <string_view>
#include <vector>

#include "input/group_read.h"
#include "input/soil_detail.h"
#include "numerics/fft.h"
#include "numerics/pi.h"
#include "report/columns.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

using namespace detail;

namespace {

void load_error(RunState& s) {
  s.report().write_fmt(
      "(/,/,1X,' ERROR ENCOUNTERED IN LOAD DESCRIPTION',/,"
      "1X,'        - WILL CONTINUE TO PROCESS DATA',/,"
      "1X,'     - CANNOT EXECUTE T HIS PROBLEM SET')");
  s.flags.fatal = 1;
}

// A read of the group failed: the deck ended (already reported) or a word
// stood where a number was wanted.
void read_failed(RunState& s) {
  if (!s.deck_ended) load_error(s);
}

constexpr std::string_view kNonQuadraticEcho =
    "(/,/,1X,'HARMONIC LOAD, NON QUADRATIC',/,1X,28('*'),/,/,1X,'MAXIMUM FREQUENCY "
    "..............',1P,E10.3,1X,'Hz',/,1X,'MINIMUM FREQUENCY ..............',1P,E10.3,1X,"
    "'Hz',/,1X,'STEP FREQUENCY .................',1P,E10.3,1X,'Hz',/,1X,'FORCE IN "
    "X-DIRECTION  ..........',1P,E10.3,1X,A3,/,1X,'FORCE IN Y-DIRECTION  ..........',1P,"
    "E10.3,1X,A3,/,1X,'FORCE IN Z-DIRECTION  ..........',1P,E10.3,1X,A3,/,1X,'MOMENT ABOUT "
    "X-AXIS  ...........',1P,E10.3,1X,A5,/,1X,'MOMENT ABOUT Y-AXIS  ...........',1P,E10.3,"
    "1X,A5,/,1X,'MOMENT ABOUT Z-AXIS  ...........',1P,E10.3,1X,A5)";

constexpr std::string_view kQuadraticEcho =
    "(/,/,1X,'HARMONIC LOAD, QUADRATIC',/,1X,24('*'),/,/,1X,'MAXIMUM FREQUENCY "
    "..............',1P,E10.3,1X,'Hz',/,1X,'MINIMUM FREQUENCY ..............',1P,E10.3,1X,"
    "'Hz',/,1X,'STEP FREQUENCY .................',1P,E10.3,1X,'Hz',/,1X,'FORCE COEFF. IN "
    "X-DIRECTION  ...',1P,E10.3,1X,A7,/,1X,'FORCE COEFF. IN Y-DIRECTION  ...',1P,E10.3,1X,"
    "A7,/,1X,'FORCE COEFF. IN Z-DIRECTION  ...',1P,E10.3,1X,A7,/,1X,'MOMENT COEFF. ABOUT "
    "X-AXIS  ....',1P,E10.3,1X,A10,/,1X,'MOMENT COEFF. ABOUT Y-AXIS  ....',1P,E10.3,1X,A10,/,"
    "1X,'MOMENT COEFF. ABOUT Z-AXIS  ....',1P,E10.3,1X,A10)";

void harmonic(RunState& s) {
  HarmonicLoad& h = s.load.harmonic;
  Word w;
  if (!read_word(s, w)) return;
  const int form = slot_of(s, w);
  if (form == slot_quad) {
    s.flags.harmonic_form = 2;
  } else {
    // NONQ, or a word that is neither: non-quadratic, and any other word is
    // handed back, since it is the first number of the group.
    s.flags.harmonic_form = 1;
    if (form != slot_nonq) hand_back(s);
  }
  LoadVector& F = h.as_read;
  if (!read_all(s, {&h.fmax, &h.fmin, &h.fstep, &F[0], &F[1], &F[2], &F[3], &F[4], &F[5],
                    &h.point_x, &h.point_y, &h.point_z, &h.reference_flag})) {
    read_failed(s);
    return;
  }
  if (rounded(h.reference_flag) == 1) {
    if (!read_all(s, {&h.reference_x, &h.reference_y, &h.reference_z})) {
      read_failed(s);
      return;
    }
    // Local z points up from the reference point, global Z down from the
    // centre of gravity.
    const FoundationData& f = s.foundation;
    h.point_x = h.point_x - (h.reference_x - f.cg_x);
    h.point_y = h.point_y - (h.reference_y - f.cg_y);
    h.point_z = -h.point_z - (h.reference_z - f.cg_height);
  }
  // M' = M - e x F for a load at e from the centre of gravity.
  const float ex = h.point_x;
  const float ey = h.point_y;
  const float ez = h.point_z;
  h.at_cg = {F[0],
             F[1],
             F[2],
             F[3] - F[2] * ey + F[1] * ez,
             F[4] - F[0] * ez + F[2] * ex,
             F[5] - F[1] * ex + F[0] * ey};

  const float step = h.fstep == 0.0f ? 1.0f : h.fstep;
  const float count = (h.fmax - h.fmin) / step + 1.0f;
  if (!(h.fmax >= h.fmin))
    refuse(s, " ERROR - MAXIMUM FREQUENCY IS LESS THAN MINIMUM FREQUENCY");
  else if (!(count < kMaxFrequencies + 0.5f))
    refuse(s, " ERROR - NUMBER OF FREQUENCIES EXCEEDS 500");

  if (s.flags.echo != 1) return;
  // The quadratic form echoes the coefficients that the response multiplies
  // by the squared frequency, with their own labels.
  const bool quadratic = s.flags.harmonic_form == 2;
  const std::string& f = label(s, quadratic ? lbl_mass_length : lbl_force);
  const std::string& m = label(s, quadratic ? lbl_mass_inertia : lbl_moment);
  const LoadVector& G = h.at_cg;
  s.report().write_fmt(quadratic ? kQuadraticEcho : kNonQuadraticEcho, hertz(h.fmax),
                       hertz(h.fmin), hertz(h.fstep), G[0], f, G[1], f, G[2], f, G[3], m, G[4],
                       m, G[5], m);
}

// Reads `n` amplitudes, one per record. A count refused as too large is still
// read as far as the deck goes, so that the deck stays in step.
bool read_amplitudes(RunState& s, int n, std::vector<float>& out) {
  out.reserve(static_cast<std::size_t>(std::clamp(n, 0, kMaxTimePoints)));
  for (int k = 0; k < n; ++k) {
    float v = 0.0f;
    if (!read_number(s, v)) return false;
    out.push_back(v);
  }
  return true;
}

void code_block(RunState& s, int code) {
  static constexpr const char* kind[6] = {"1 (FORCE IN X-DIRECTION)",  "2 (FORCE IN Y-DIRECTION)",
                                          "3 (FORCE IN Z-DIRECTION)",  "4 (ROTATION ABOUT X-AXIS)",
                                          "5 (ROTATION ABOUT Y-AXIS)", "6 (ROTATION ABOUT Z-AXIS)"};
  const std::string title = std::string("'LOAD TYPE CODE - ") + kind[code - 1] + "'";
  if (code <= 3)
    s.report().write_fmt("(/,1X," + title + ",/,/,1X,'LOAD AMPLITUDES',1X,A3,/)",
                         label(s, lbl_force));
  else if (code == 4)
    s.report().write_fmt("(/,1X," + title + ",/,/,1X,'LOAD AMPLITUDES',/,1X,A5)",
                         label(s, lbl_moment));
  else
    s.report().write_fmt("(/,1X," + title + ",/,/,1X,'LOAD AMPLITUDES',1X,A5,/)",
                         label(s, lbl_moment));
}

void transient(RunState& s) {
  TransientLoad& t = s.load.transient;
  if (!read_all(s, {&t.point_count, &t.time_step, &t.load_count})) {
    read_failed(s);
    return;
  }
  const int n = rounded(t.point_count);
  bool usable = true;
  if (n > kMaxTimePoints) {
    refuse(s, " ERROR - NUMBER OF TIME POINTS EXCEEDS 999");
    usable = false;
  } else if (n < 2) {
    refuse(s, " ERROR - NUMBER OF TIME POINTS MUST BE AT LEAST 2");
    usable = false;
  }
  if (!(t.time_step > 0.0f)) {
    refuse(s, " ERROR - TIME INTERVAL BETWEEN POINTS MUST BE GREATER THAN 0");
    usable = false;
  }

  const int loads = rounded(t.load_count);
  t.histories.clear();
  for (int l = 0; l < loads; ++l) {
    float code = 0.0f;
    if (!read_number(s, code)) {
      read_failed(s);
      return;
    }
    const int c = rounded(code);
    if (c < 1 || c > 6) {
      s.report().write_fmt(
          "(/,1X,'ERROR - LOAD TYPE INDICATOR ( ',I3,' ) CANNOT BE ',/,9X,'LESS THAN 1 OR "
          "EXCEED A VALUE OF 6')",
          c);
      load_error(s);
      return;
    }
    TransientHistory history{c, {}};
    if (!read_amplitudes(s, n, history.amplitudes)) {
      read_failed(s);
      return;
    }
    t.histories.push_back(std::move(history));
  }
  if (!usable) return;

  // Load spectrum: P(k) = conj(sum_j p(j) e^{+2 pi i jk/n}) / n, by degree of
  // freedom; a later history of the same code replaces an earlier one.
  for (auto& row : t.spectrum) row.fill({0.0f, 0.0f});
  std::vector<std::complex<float>> work(static_cast<std::size_t>(n));
  for (const TransientHistory& history : t.histories) {
    for (int k = 0; k < n; ++k)
      work[static_cast<std::size_t>(k)] = {history.amplitudes[static_cast<std::size_t>(k)], 0.0f};
    CMPFFT(work.data(), n, nullptr, nullptr);
    for (int k = 0; k < n; ++k)
      t.spectrum[static_cast<std::size_t>(k)][static_cast<std::size_t>(history.code - 1)] =
          std::conj(work[static_cast<std::size_t>(k)]) / static_cast<float>(n);
  }
  t.symmetric_start = static_cast<float>(n / 2 + 2);

  if (s.flags.echo != 1) return;
  // Three decimals, or as many as a finer step needs to be shown exactly.
  s.report().write_fmt(
      "(/,/,1X,'TRANSIENT LOAD',/,1X,14('*'),/,/,1X,'NUMBER OF POINTS  ..............  ',I4,/,"
      "1X,'TIME INTERVAL BETWEEN POINTS  ..'," +
          multiples_edit(t.time_step, 1, 7, 3) +
          ",/,1X,'NUMBER OF LOADS  ...............',I3)",
      n, t.time_step, loads);
  for (const TransientHistory& history : t.histories) {
    code_block(s, history.code);
    for (float v : history.amplitudes) s.report().write_fmt("(3X,1P,E10.3)", v);
  }
}

// A spectral matrix of a real load is positive semi-definite, so no cross
// spectrum exceeds what its two auto spectra allow: |S_ij|^2 <= S_ii S_jj.
// Beyond a relative 1e-5 (rounding of the deck's values) the load is
// refused at the first point that breaks it; the response spectra would
// otherwise come out negative.
bool possible_spectra(RunState& s, int np) {
  const RandomLoad& r = s.load.random;
  for (int p = 0; p < np; ++p) {
    const auto& m = r.matrix[static_cast<std::size_t>(p)];
    const auto at = [&](int i, int j) {
      return static_cast<double>(m[static_cast<std::size_t>(i + 6 * j)].real());
    };
    for (int i = 0; i < 6; ++i)
      for (int j = i + 1; j < 6; ++j) {
        const double cross = at(i, j);
        if (cross * cross <= at(i, i) * at(j, j) * (1.0 + 1.0e-5)) continue;
        refuse(s, with_i3(with_i3(with_i3(" ERROR - CROSS SPECTRUM", i + 1), j + 1) +
                              " AT POINT",
                          p + 1) +
                      " EXCEEDS WHAT ITS AUTO SPECTRA ALLOW");
        return false;
      }
  }
  return true;
}

void random_load(RunState& s) {
  RandomLoad& r = s.load.random;
  if (!read_all(s, {&r.fmax, &r.fmin, &r.point_count, &r.observation_time, &r.spectrum_count})) {
    read_failed(s);
    return;
  }
  const int np = rounded(r.point_count);
  r.fstep = (r.fmax - r.fmin) / (np == 1 ? 1.0f : static_cast<float>(np - 1));
  bool usable = true;
  if (np > kMaxRandomPoints) {
    refuse(s, " ERROR - NUMBER OF POINTS EXCEEDS 500");
    usable = false;
  } else if (np < 3) {
    refuse(s, " ERROR - NUMBER OF POINTS MUST BE AT LEAST 3");
    usable = false;
  }
  if (!(r.fmax >= r.fmin)) {
    refuse(s, " ERROR - MAXIMUM FREQUENCY IS LESS THAN MINIMUM FREQUENCY");
    usable = false;
  } else if (usable) {
    // The analysis steps from FMIN to FMAX by the step; the moments of the
    // response spectrum need at least 3 of these frequencies.
    const float step = r.fstep == 0.0f ? 1.0f : r.fstep;
    const int frequencies = rounded((r.fmax - r.fmin) / step + 1.0f);
    if (frequencies < 3) {
      refuse(s, with_i3(" ERROR - MAXIMUM AND MINIMUM FREQUENCY GIVE", frequencies) +
                    " FREQUENCIES, AT LEAST 3 ARE NEEDED");
      usable = false;
    }
  }

  const int count = rounded(r.spectrum_count);
  r.spectra.clear();
  for (int l = 0; l < count; ++l) {
    RandomSpectrum spectrum;
    for (int* code : {&spectrum.i, &spectrum.j}) {
      float v = 0.0f;
      if (!read_number(s, v)) {
        read_failed(s);
        return;
      }
      *code = rounded(v);
      if (*code < 1 || *code > 6) {
        s.report().write_fmt(
            "(/,1X,'ERROR - LOCATION OF SPECTRA ( ',I3,' ) CANNOT BE ',/,9X,'LESS THAN 1 OR "
            "EXCEED A VALUE OF 6')",
            *code);
        load_error(s);
        return;
      }
    }
    if (!read_amplitudes(s, np, spectrum.amplitudes)) {
      read_failed(s);
      return;
    }
    // A power spectral density is not negative; a cross spectrum may be.
    if (spectrum.i == spectrum.j && usable) {
      for (std::size_t p = 0; p < spectrum.amplitudes.size(); ++p) {
        if (spectrum.amplitudes[p] >= 0.0f) continue;
        refuse(s, with_i3(with_i3(" ERROR - SPECTRAL VALUE", static_cast<int>(p) + 1) +
                              " OF LOCATION",
                          spectrum.i) +
                      " MUST NOT BE NEGATIVE");
        usable = false;
        break;
      }
    }
    r.spectra.push_back(std::move(spectrum));
  }
  if (!usable) return;

  // A spectrum given as (i, j) is the cross spectrum of both orders.
  for (auto& point : r.matrix) point.fill({0.0f, 0.0f});
  for (const RandomSpectrum& spectrum : r.spectra) {
    const auto ij = static_cast<std::size_t>((spectrum.i - 1) + 6 * (spectrum.j - 1));
    const auto ji = static_cast<std::size_t>((spectrum.j - 1) + 6 * (spectrum.i - 1));
    for (int p = 0; p < np; ++p) {
      const float v = spectrum.amplitudes[static_cast<std::size_t>(p)];
      r.matrix[static_cast<std::size_t>(p)][ij] = {v, 0.0f};
      r.matrix[static_cast<std::size_t>(p)][ji] = {v, 0.0f};
    }
  }
  if (!possible_spectra(s, np)) return;

  if (s.flags.echo != 1) return;
  s.report().write_fmt(
      "(/,/,1X,'RANDOM LOAD',/,1X,11('*'),/,/,1X,'MAXIMUM FREQUENCY (Hz)  ........',F7.3,/,"
      "1X,'MINIMUM FREQUENCY (Hz) .........',F7.3,/,1X,'NUMBER OF POINTS  ..............',I4,/,"
      "1X,'NUMBER OF SPECTRA  .............',I4)",
      hertz(r.fmax), hertz(r.fmin), np, count);
  for (const RandomSpectrum& spectrum : r.spectra) {
    s.report().write_fmt(
        "(/,1X,'LOCATION OF SPECTRA  -  ',I3,2X,I3,/,/,1X,'LOAD AMPLITUDES',1X,A3,/)", spectrum.i,
        spectrum.j, label(s, lbl_force));
    for (float v : spectrum.amplitudes) s.report().write_fmt("(2X,E10.3)", v);
  }
}

}  // namespace

void LODKEY(RunState& s) {
  // The harmonic load is moved to the centre of gravity of the foundation
  // constants, so they must have been read first. A FOUNDATION group that
  // ended before its constants has already said why (and is fatal).
  const FoundationData& f = s.foundation;
  if (f.constants_read != 1 && (f.group_begun != 1 || s.flags.fatal == 0))
    refuse(s, " ERROR - THE LOAD GROUP MUST FOLLOW THE FOUNDATION CONSTANTS");
  Word w;
  if (!read_word(s, w)) return;
  switch (slot_of(s, w)) {
    case slot_harm:
      s.flags.load_type = LoadKind::harmonic;
      break;
    case slot_rand:
      s.flags.load_type = LoadKind::random;
      break;
    case slot_tran:
      s.flags.load_type = LoadKind::transient;
      break;
    default:
      s.report().write_fmt("(/,/,' INVALID OR UNRECOGNIZED KEYWORD - ',A4,' FOR LOAD    TYPE')",
                           w.view());
      s.report().write(" PROGRAM WILL NOT EXECUTE");
      s.flags.fatal = 1;
      return;
  }
  if (!read_word(s, w)) return;
  if (slot_of(s, w) != slot_cons) {
    s.report().write_fmt("(/,/,' ''CONSTANT'' KEYWORD MISSING FOR LOAD DESCRIPTION')");
    s.report().write(" PROGRAM WILL NOT EXECUTE");
    s.flags.fatal = 1;
    return;
  }
  LODRED(s);
}

void LODRED(RunState& s) {
  switch (s.flags.load_type) {
    case LoadKind::harmonic:
      harmonic(s);
      break;
    case LoadKind::transient:
      transient(s);
      break;
    case LoadKind::random:
      random_load(s);
      break;
    default:
      break;
  }
}

}  // namespace zrv
