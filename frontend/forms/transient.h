#pragma once
// The transient loading form ("Transient Loading Data"): the number of time
// points (PointCount), the time step (TimeStep) and the number of loads
// (LoadTypeCount); the load histories themselves are rows of the main
// window's table TLoadtype. No box carries a unit.

#include "forms/FieldBinding.h"

namespace zrv::comp {
class TGridTable;
}

namespace zrv::front {

/// The largest number of points whose load histories are sized to it: what
/// the analysis takes at most, so that a slip such as 1E9 cannot fill the
/// memory with rows.
constexpr int kMaxLoadPoints = 999;

/// Brings the nested table of every row of `loads` (a load history or a
/// spectrum) to `points` rows: the rows kept keep their values, new rows
/// hold 0. A count below 1 or above kMaxLoadPoints changes nothing. Returns
/// true when a table changed.
bool SizeLoadHistories(comp::TGridTable& loads, int points);
/// The largest number of loads or spectra the rows of a load table are
/// brought to, so that a slip such as 1E9 cannot fill the memory with rows.
constexpr int kMaxLoadRows = 999;

/// Brings `loads` to `count` rows, as the number of loads on its form says:
/// the rows kept keep their values, rows are added or dropped at the end. A
/// count below 1 or above kMaxLoadRows changes nothing. Returns true when
/// the table changed.
bool SizeLoadRows(comp::TGridTable& loads, int count);
/// From now on, a row added to `loads` in the table editor (or whose load
/// type is changed there) gets a history of the project's number of points.
void SizeNewLoadHistories(IMainForm& main, comp::TGridTable& loads);

class Tfrmtransient : public TFieldForm {
  Q_OBJECT
public:
  explicit Tfrmtransient(IMainForm& main, QWidget* parent = nullptr);

  /// "Data Button": opens TLoadtype in the table editor (not modal).
  void Button1Click();

protected:
  /// The number of loads shown is the rows of TLoadtype, which may have
  /// been added or deleted in the table editor.
  void BeforeLoad() override;
  /// Stores the boxes, then brings TLoadtype to the number of loads and the
  /// load histories to the number of points.
  void StoreEntries() override;
};

}  // namespace zrv::front
