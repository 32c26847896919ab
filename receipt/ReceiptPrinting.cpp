#include "receipt/ReceiptPrinting.h"

#include "receipt/TPrinterLineOutput.h"

void writeReceiptLines(TPrinterLineOutput& output, const QList<ReceiptLine>& lines)
{
    for (const ReceiptLine& line : lines) {
        output.SetFontSize(line.points);
        output.WriteLine(line.text);
    }
}

void writeItemName(TPrinterLineOutput& output, const QString& name)
{
    output.Write(name);
    output.Write(itemFiller(name));
    output.Flush();
}

void printReceipt(TPrinterLineOutput& output, const ReceiptFields& fields, const QList<ReceiptItem>& items)
{
    output.Open();
    PrintJobGuard job(output);
    writeReceiptLines(output, receiptHeaderLines(fields));
    for (const ReceiptItem& item : items) {
        writeItemName(output, item.name);
        output.WriteLine(item.amount);
    }
    writeReceiptLines(output, receiptFooterLines(fields));
    output.Close();
}
