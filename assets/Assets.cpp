#include "assets/Assets.h"

#include <QtGlobal>

// Outside any namespace, as Qt's resource initialiser requires.
static void registerAssetResources()
{
    Q_INIT_RESOURCE(assets);
}

namespace Assets {
namespace {
QString path(const char* name)
{
    [[maybe_unused]] static const bool registered = (registerAssetResources(), true);
    return QStringLiteral(":/assets/") + QLatin1String(name);
}
} // namespace

QString windowIcon()
{
    return path("printer.ico");
}

QString programIcon()
{
    return path("program.ico");
}

QString background()
{
    return path("background.jpg");
}
} // namespace Assets
