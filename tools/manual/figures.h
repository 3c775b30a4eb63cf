#pragma once
// The manual's figures, drawn at build time.
#include <QImage>

/// A block foundation in oblique projection: the local axes at a corner of its
/// base, the global axes at the centre of gravity (Z down), the centre of the base.
QImage drawCoordinates();
/// A pile cap with side soil over a group of vertical and battered piles
/// through soil layers on a half-space, in section, with the global axes.
QImage drawPileGroup();
