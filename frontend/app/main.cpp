// The desktop program: the user's decimal separator from the system locale,
// one main window, the project named on the command line (if any) opened at
// start.
#include <QApplication>
#include <QLocale>

#include "app/MainForm.h"
#include "app/UserLocale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Kaltro");
  QApplication::setApplicationName("ZORVIN");
  zrv::front::TakeDecimalSeparator(QLocale::system());
  zrv::front::TMainForm window;
  window.show();
  const QStringList args = QApplication::arguments();
  window.Start(args.size() > 1 ? args.at(1) : QString());
  return app.exec();
}
