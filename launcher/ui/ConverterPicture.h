#pragma once

#include <QPixmap>

namespace kelvane {

// The fixed 105 x 105 picture of the converter window: an image frame turning into another.
QPixmap ConverterPicture();

}  // namespace kelvane
