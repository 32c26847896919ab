#include "text/Cp936.h"

#include <QStringIterator>

int cp936Width(char32_t codePoint)
{
    return codePoint < 0x80 || codePoint == 0x20AC ? 1 : 2;
}

int cp936Width(QStringView text)
{
    int width = 0;
    QStringIterator it(text);
    while (it.hasNext())
        width += cp936Width(it.next());
    return width;
}

qsizetype cp936PrefixLength(QStringView text, int maxWidth)
{
    int width = 0;
    QStringIterator it(text);
    while (it.hasNext()) {
        const qsizetype before = it.index();
        width += cp936Width(it.next());
        if (width > maxWidth)
            return before;
    }
    return text.size();
}
