#pragma once
// The schematic pictures of the foundation forms. The layout form shows one
// of four picture files from the program folder and, until one is loaded,
// its own; the mass forms show theirs. The picture files are drawn by the
// same code (pictures/make_pictures.cpp).

#include <QImage>

namespace zrv::front {

enum class TFormPicture {
  Layout,       // a surface footing and an embedded one with a weakened zone and a side layer
  HalfSpace,    // a footing on a half-space
  Pile,         // a pile cap on a pile group in layered soil
  Stratum,      // a footing on a soil stratum over rigid rock
  Multilayer,   // a footing on layered soil over a half-space
  FootingMass,  // equipment masses on a footing; local and global axes of a plate
  PileCapMass,  // equipment masses on a pile cap; local and global axes of a plate
};

/// The picture, 360 by 240 pixels (the mass pictures 300 by 430).
QImage drawFormPicture(TFormPicture which);

}  // namespace zrv::front
