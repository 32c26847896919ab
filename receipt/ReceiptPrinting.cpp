#include "receipt/ReceiptPrinting.h"

#include "receipt/ReceiptItems.h"
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

void printReceipt(TPrinterLineOutput& output, const ReceiptFields& fields, ReceiptItemSource& items)
{
    output.Open();
    PrintJobGuard job(output);
    writeReceiptLines(output, receiptHeaderLines(fields));
    for (items.first(); !items.eof(); items.next()) {
        writeItemName(output, items.name());
        output.WriteLine(items.amount());
    }
    writeReceiptLines(output, receiptFooterLines(fields));
    output.Close();
}
