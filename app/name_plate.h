#pragma once
// The picture of the splash window: the program's name in yellow letters on a
// plate of brushed grey metal. It is drawn rather than shipped as a bitmap so
// that it needs no file beside the program and stays sharp when edited.

#include <QImage>

namespace velmora {

inline constexpr int kNamePlateWidth = 200;
inline constexpr int kNamePlateHeight = 120;

// Always the same picture: the brushing uses a fixed seed.
QImage drawNamePlate();

}  // namespace velmora
