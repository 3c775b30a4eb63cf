#pragma once
// The About box of the Help menu.

#include <QDialog>

class QLabel;

namespace zrv::front {

class TAboutBox : public QDialog {
  Q_OBJECT
public:
  /// `version` is shown as "Version " + version.
  explicit TAboutBox(const QString& version, QWidget* parent = nullptr);

  QLabel* Version() const { return m_version; }

private:
  QLabel* m_version;
};

}  // namespace zrv::front
