#pragma once

#include <QPixmap>

namespace tarnwick::ui {

// The About box's three pictures, in the style of the program's icon: the icon itself, the
// game's archive as a chest, and a horn for the sound.
QPixmap iconPicture(int side);
QPixmap archivePicture(int side);
QPixmap soundPicture(int side);

}  // namespace tarnwick::ui
