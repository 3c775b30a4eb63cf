#pragma once
// "Project Title": the one line that describes the project.

#include "forms/TDataForm.h"

class QLineEdit;

namespace zrv::front {

class TdlgTitle : public TDataForm {
  Q_OBJECT
public:
  /// Longest title typed here (a title read from a file may be longer).
  static constexpr int kMaxTitle = 80;

  explicit TdlgTitle(IMainForm& main, QWidget* parent = nullptr);

  /// TitleMemo shows ProjectTitle.
  void FormActivate() override;

  QLineEdit* TitleMemo() const { return m_memo; }

protected:
  /// A changed text becomes ProjectTitle and marks the project modified.
  void StoreEntries() override;

private:
  QLineEdit* m_memo;
};

}  // namespace zrv::front
