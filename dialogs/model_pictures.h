#pragma once
// The five model pictures of the About box: 64 x 64, 16 colours, one per
// model in the order of the About box's list: Zeph-Fir, Zeph-Elm,
// Zeph-Birch, Zeph-Ash, Zeph-Oak. Each shows the device with its input
// buttons (four on the Oak) under the tree the model is named after.

#include <QImage>

namespace about_pictures {

constexpr int Count = 5;
constexpr int Side = 64;

// Picture `index` (0 to 4) as an 8-bit indexed image whose colour table is
// the classic 16-colour palette; a null image for other indexes.
QImage modelPicture(int index);

}  // namespace about_pictures
