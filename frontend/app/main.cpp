// The desktop program: freed memory kept for the 3D view's renderer, the
// user's decimal separator from the system locale, one main window, the
// project named on the command line (if any) opened at start; an exception
// that reaches the event loop is shown, not let through.
#include <QLocale>

#include "app/Guarded.h"
#include "app/MainForm.h"
#include "app/RendererMemory.h"
#include "app/UserLocale.h"

int main(int argc, char** argv) {
  zrv::front::KeepRendererMemory();
  zrv::front::TApplication app(argc, argv);
  QApplication::setOrganizationName("Kaltro");
  QApplication::setApplicationName("ZORVIN");
  zrv::front::TakeDecimalSeparator(QLocale::system());
  zrv::front::TMainForm window;
  window.show();
  const QStringList args = QApplication::arguments();
  window.Start(args.size() > 1 ? args.at(1) : QString());
  return app.exec();
}
