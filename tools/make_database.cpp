// Creates the shipped data.mdb from the schema script; leaves an existing file alone.
#include "links/VendorLinks.h"
#include "store/DatabaseFile.h"
#include "text/Failure.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make-database SCHEMA.sql DATABASE\n");
        return 2;
    }
    QFile schema(args[1]);
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-database: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QString sql = QString::fromUtf8(schema.readAll())
                            .replace(QStringLiteral("${VENDOR_CONTACT}"), VendorLinks::contactNumber);
    try {
        if (DatabaseFile::createIfMissing(args[2], sql))
            std::printf("make-database: created %s\n", qPrintable(args[2]));
    } catch (const Failure& failure) {
        std::fprintf(stderr, "make-database: %s\n", failure.what());
        return 1;
    }
    return 0;
}
