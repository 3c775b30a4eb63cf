// Draws the four foundation pictures that the layout form reads from the
// program folder. Run from this folder after a change of FormPictures.cpp:
//   g++ -std=c++20 -fPIC -I../.. make_pictures.cpp ../FormPictures.cpp \
//       $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make_pictures
//   QT_QPA_PLATFORM=offscreen /tmp/make_pictures
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "forms/FormPictures.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  using zrv::front::TFormPicture;
  const struct {
    TFormPicture picture;
    const char* file;
  } pictures[] = {
      {TFormPicture::HalfSpace, "halfspace.bmp"},
      {TFormPicture::Pile, "pile.bmp"},
      {TFormPicture::Stratum, "stratum.bmp"},
      {TFormPicture::Multilayer, "multilayer.bmp"},
  };
  for (const auto& p : pictures) {
    if (!zrv::front::drawFormPicture(p.picture).convertToFormat(QImage::Format_RGB888).save(p.file, "BMP")) {
      std::fprintf(stderr, "cannot write %s\n", p.file);
      return 1;
    }
  }
  return 0;
}
