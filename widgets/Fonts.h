#pragma once

#include <QFont>

// The window was drawn for two Windows faces that this system does not have. Every element asks for them
// here, so the substitutes live in one place.

// "MS Sans Serif" with the Chinese captions it carries: a proportional face with Chinese glyphs.
QFont windowFont(int pixelSize, bool bold = false);

// "宋体": Latin letters exactly half as wide as Chinese characters, as in that face, so a text padded with
// spaces keeps the width the layout counted on.
QFont songtiFont(int pixelSize, bool bold = false);
