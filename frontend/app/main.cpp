// The desktop program: one main window, the project named on the command
// line (if any) opened at start.
#include <QApplication>

#include "app/MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Kaltro");
  QApplication::setApplicationName("ZORVIN");
  zrv::front::TMainForm window;
  window.show();
  const QStringList args = QApplication::arguments();
  window.Start(args.size() > 1 ? args.at(1) : QString());
  return app.exec();
}
