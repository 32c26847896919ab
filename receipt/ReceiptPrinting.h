#pragma once

#include "receipt/ReceiptComposition.h"

class ReceiptItemSource;
class TPrinterLineOutput;

// Each line at its own size, ended by a line end.
void writeReceiptLines(TPrinterLineOutput& output, const QList<ReceiptLine>& lines);
// The start of an item line: name and filler drawn at once as one piece, so that the amount written next
// with WriteLine starts where the filler ends.
void writeItemName(TPrinterLineOutput& output, const QString& name);
// One whole receipt as one job: the window's print action. A failure half-way ends the job where it stands
// and goes on to the caller.
void printReceipt(TPrinterLineOutput& output, const ReceiptFields& fields, ReceiptItemSource& items);
