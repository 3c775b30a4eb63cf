#pragma once
// The random loading form: the frequency range in hertz (RandomMaxFrequency,
// RandomMinFrequency), the number of points (PointCount), the observation
// period (ObservationPeriod) and the number of spectra (LoadTypeCount, at
// least 1); the spectra themselves are rows of the main window's table
// Trandom. PointCount and LoadTypeCount are shared with the transient form.

#include "forms/FieldBinding.h"

namespace zrv::front {

class Tfrmrandom : public TFieldForm {
  Q_OBJECT
public:
  explicit Tfrmrandom(IMainForm& main, QWidget* parent = nullptr);

  /// "Data Button": opens Trandom in the table editor (not modal).
  void Button1Click();

protected:
  /// The number of spectra shown is the rows of Trandom, which may have been
  /// added or deleted in the table editor.
  void BeforeLoad() override;
  /// Stores the boxes, then brings Trandom to the number of spectra and the
  /// spectra to the number of points.
  void StoreEntries() override;
};

}  // namespace zrv::front
