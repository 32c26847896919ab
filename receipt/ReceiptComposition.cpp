#include "receipt/ReceiptComposition.h"

#include "text/Cp936.h"

namespace {
constexpr int kTitlePoints = 12;
constexpr int kBodyPoints = 10;
constexpr int kNameColumns = 20;
const QString kRule = QStringLiteral("..........................");
} // namespace

QString PadSpaces(int n)
{
    return QString(1 + qMax(0, n), u' ');
}

QString itemFiller(const QString& name)
{
    return PadSpaces(kNameColumns - cp936Width(name));
}

QList<ReceiptLine> receiptHeaderLines(const ReceiptFields& fields)
{
    return {
        {kTitlePoints, fields.title},
        {kBodyPoints, kRule},
        {kBodyPoints, QStringLiteral("学生:") + fields.student},
        {kBodyPoints, kRule},
        {kBodyPoints, QStringLiteral("收费项目             金额")},
    };
}

QList<ReceiptLine> receiptFooterLines(const ReceiptFields& fields)
{
    return {
        {kBodyPoints, kRule},
        {kBodyPoints, QStringLiteral("合计金额:") + fields.total},
        {kBodyPoints, fields.remark1},
        {kBodyPoints, fields.remark2},
        {kBodyPoints, QStringLiteral("日期:") + fields.dateTime},
        {kBodyPoints, QStringLiteral("收款人:") + fields.payee},
        {kBodyPoints, QStringLiteral("网址:") + fields.webAddress},
        {kBodyPoints, QStringLiteral("软件购买联系QQ:") + fields.contactNumber},
        {kBodyPoints, QStringLiteral(".")},
        {kBodyPoints, QStringLiteral(".")},
        {kBodyPoints, QStringLiteral(".")},
        {kBodyPoints, QStringLiteral(".")},
        {kBodyPoints, QStringLiteral(" ")},
    };
}

QList<ReceiptLine> receiptLines(const ReceiptFields& fields, const QList<ReceiptItem>& items)
{
    QList<ReceiptLine> lines = receiptHeaderLines(fields);
    for (const ReceiptItem& item : items)
        lines.append({kBodyPoints, item.name + itemFiller(item.name) + item.amount});
    lines.append(receiptFooterLines(fields));
    return lines;
}
