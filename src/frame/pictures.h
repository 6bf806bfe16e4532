// The two pictures the program carries: the frame's 1024 × 768 background and the about
// window's 492 × 292 transceiver. Both are drawn by the program itself.
#pragma once

#include <QImage>

namespace jurnal {

QImage backgroundPicture();   // 1024 × 768
QImage transceiverPicture();  // 492 × 292

}  // namespace jurnal
