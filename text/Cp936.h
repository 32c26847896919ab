#pragma once

#include <QString>
#include <QStringView>

// Widths in code page 936 units, the measure the receipt's columns and the printer's buffers are laid out
// in: 1 for ASCII (and the euro sign, a single byte there), 2 for every other character.
int cp936Width(char32_t codePoint);
int cp936Width(QStringView text);

// The longest leading part of text whose width is at most maxWidth, never splitting a character.
qsizetype cp936PrefixLength(QStringView text, int maxWidth);
