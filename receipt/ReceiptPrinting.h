#pragma once

#include "receipt/ReceiptComposition.h"

class TPrinterLineOutput;

// Each line at its own size, ended by a line end.
void writeReceiptLines(TPrinterLineOutput& output, const QList<ReceiptLine>& lines);
// The start of an item line: name and filler drawn at once as one piece, so that the amount written next
// with WriteLine starts where the filler ends.
void writeItemName(TPrinterLineOutput& output, const QString& name);
// One whole receipt as one job, written in the same order as the window's print action.
void printReceipt(TPrinterLineOutput& output, const ReceiptFields& fields, const QList<ReceiptItem>& items);
