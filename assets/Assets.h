#pragma once

#include <QString>

// Resource paths of the pictures built into the program. Each call makes sure the resources are
// registered, which a static library's own initialiser would not do reliably.
namespace Assets {
// The printer icon of the window's title bar: 16, 32 and 48 pixels at 4, 8 and 32 bits.
QString windowIcon();
// The program's own icon: one 32 x 32 image in 16 colours.
QString programIcon();
// The entry panel's background: an 80 x 151 progressive JPEG, stretched over the panel.
QString background();
} // namespace Assets
