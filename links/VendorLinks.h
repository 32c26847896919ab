#pragma once

#include <QString>
#include <QUrl>

// The vendor's addresses and contact data: shown in the window, printed on every receipt, opened by the
// links. All fictional.
namespace VendorLinks {
inline const QString webAddress = QStringLiteral("http://www.example.com");
inline const QString contactNumber = QStringLiteral("80012345");
inline const QString email = QStringLiteral("kf@example.com");
inline const QString marketplaceShop = QStringLiteral("http://helan-shop.example.net");
inline const QString softwareStorePage =
    QStringLiteral("http://soft.example.net/soft/softbuy.php?soid=20317&type=show");

// Hands the address to the desktop, which opens it in the default browser; nothing is shown when it cannot.
void open(const QString& address);
} // namespace VendorLinks
