#include "widgets/Fonts.h"

#include <QStringList>

namespace {
QFont font(const QStringList& families, int pixelSize, bool bold)
{
    QFont result;
    result.setFamilies(families);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}
} // namespace

QFont windowFont(int pixelSize, bool bold)
{
    return font({QStringLiteral("Noto Sans CJK SC")}, pixelSize, bold);
}

QFont songtiFont(int pixelSize, bool bold)
{
    return font({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC")}, pixelSize,
                bold);
}
