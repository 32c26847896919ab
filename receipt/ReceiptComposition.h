#pragma once

#include <QList>
#include <QString>

// The texts a receipt is made of, each taken as it stands.
struct ReceiptFields
{
    QString title;
    QString student;
    QString total;
    QString remark1;
    QString remark2;
    QString dateTime;
    QString payee;
    QString webAddress;
    QString contactNumber;
};

struct ReceiptItem
{
    QString name;
    QString amount;
};

struct ReceiptLine
{
    int points = 10;
    QString text;

    friend bool operator==(const ReceiptLine&, const ReceiptLine&) = default;
};

// One space, plus n more when n is positive.
QString PadSpaces(int n);

// The spaces after an item name that bring its amount under the header's "金额" (byte column 21).
QString itemFiller(const QString& name);

// Title, student and column header, in the order they are printed.
QList<ReceiptLine> receiptHeaderLines(const ReceiptFields& fields);
// Everything after the item lines: rule, total, remarks, date, payee, vendor lines and the paper feed.
QList<ReceiptLine> receiptFooterLines(const ReceiptFields& fields);
// The whole receipt as the printer shows it, one line per item line.
QList<ReceiptLine> receiptLines(const ReceiptFields& fields, const QList<ReceiptItem>& items);
