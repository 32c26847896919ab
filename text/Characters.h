#pragma once

#include <QStringView>

// Where the character starting at index at ends: one UTF-16 unit, or two for a surrogate pair.
inline qsizetype characterEnd(QStringView text, qsizetype at)
{
    if (at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate())
        return at + 2;
    return at + 1;
}

// The code point of the character starting at index at.
inline char32_t characterAt(QStringView text, qsizetype at)
{
    if (characterEnd(text, at) == at + 2)
        return QChar::surrogateToUcs4(text[at], text[at + 1]);
    return text[at].unicode();
}
