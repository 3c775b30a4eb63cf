#pragma once
// The page-setup dialog: runs the platform's page-setup dialog for a printer
// and keeps the page margins the user chose, in thousandths of an inch or in
// hundredths of a millimetre. The printer's own settings other than its page
// layout are not changed.

#include <cstdint>
#include <set>

class QPrinter;
class QWidget;

namespace zrv::comp {

enum class TPageSetupFlags {
  poDefaultMinMargins,
  poDisableMargins,
  poMargins,
  poMinMargins,
  poDisableOrientation,
  poDisablePaper,
  poDisablePrinter,
  poHundredthsOfMillimeters,
  poThousandthsOfInches,
};
using TPageOptions = std::set<TPageSetupFlags>;

/// The page-setup flag value of one option (PSD_... numbering).
std::uint32_t PageSetupFlag(TPageSetupFlags option);

class TPageSetupDialog {
public:
  TPageSetupDialog();

  const TPageOptions& Options() const { return m_options; }
  /// Compared with the previous set: a new poDefaultMinMargins drops
  /// poMinMargins, then a new poMinMargins drops poDefaultMinMargins, a new
  /// poHundredthsOfMillimeters drops poThousandthsOfInches and a new
  /// poThousandthsOfInches drops poHundredthsOfMillimeters. The flag word
  /// is then rebuilt.
  void SetOptions(TPageOptions options);
  /// OR of the flags of the options; 0 until Options is first assigned.
  std::uint32_t Flags() const { return m_flags; }

  /// A margin is stored as at least its minimum margin.
  int MarginLeft() const { return m_margin[0]; }
  int MarginTop() const { return m_margin[1]; }
  int MarginRight() const { return m_margin[2]; }
  int MarginBottom() const { return m_margin[3]; }
  void SetMarginLeft(int v) { setMargin(0, v); }
  void SetMarginTop(int v) { setMargin(1, v); }
  void SetMarginRight(int v) { setMargin(2, v); }
  void SetMarginBottom(int v) { setMargin(3, v); }

  /// A minimum margin is stored as at most its margin.
  int MinMarginLeft() const { return m_min[0]; }
  int MinMarginTop() const { return m_min[1]; }
  int MinMarginRight() const { return m_min[2]; }
  int MinMarginBottom() const { return m_min[3]; }
  void SetMinMarginLeft(int v) { setMinMargin(0, v); }
  void SetMinMarginTop(int v) { setMinMargin(1, v); }
  void SetMinMarginRight(int v) { setMinMargin(2, v); }
  void SetMinMarginBottom(int v) { setMinMargin(3, v); }

  /// Paper size returned by the last confirmed dialog, in the margin unit.
  int PaperLength() const { return m_paperLength; }
  int PaperWidth() const { return m_paperWidth; }

  /// Runs the dialog for `printer`, whose page layout gets the current
  /// margins while it runs. When confirmed, the paper size and the margins
  /// (through their setters) are taken from the printer's page layout and
  /// true is returned; a cancel changes nothing, neither here nor in the
  /// printer. An error is shown as
  /// "Error in TPageSetupDialog.Execute\r" + its text and gives false.
  bool Execute(QPrinter& printer, QWidget* parent = nullptr);

private:
  void setMargin(int side, int v);
  void setMinMargin(int side, int v);
  bool inInches() const;

  TPageOptions m_options;
  std::uint32_t m_flags = 0;
  int m_margin[4] = {0, 0, 0, 0};
  int m_min[4] = {0, 0, 0, 0};
  int m_paperLength = 0;
  int m_paperWidth = 0;
};

}  // namespace zrv::comp
