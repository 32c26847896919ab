#include "text/Cp936.h"

#include "text/Characters.h"

int cp936Width(char32_t codePoint)
{
    return codePoint < 0x80 || codePoint == 0x20AC ? 1 : 2;
}

int cp936Width(QStringView text)
{
    int width = 0;
    for (qsizetype at = 0; at < text.size(); at = characterEnd(text, at))
        width += cp936Width(characterAt(text, at));
    return width;
}

qsizetype cp936PrefixLength(QStringView text, int maxWidth)
{
    int width = 0;
    for (qsizetype at = 0; at < text.size(); at = characterEnd(text, at)) {
        width += cp936Width(characterAt(text, at));
        if (width > maxWidth)
            return at;
    }
    return text.size();
}
