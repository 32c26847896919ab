#include "links/VendorLinks.h"

#include <QDesktopServices>

namespace VendorLinks {
void open(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}
} // namespace VendorLinks
