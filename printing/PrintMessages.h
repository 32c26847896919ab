#pragma once

#include "printing/PrinterQueue.h"

#include <QString>

// The texts the clerk sees when a receipt cannot print, each naming the cause and, where known, the printer.
namespace PrintMessages {

QString noDefaultPrinter();
QString unreachable(const QString& printer);
QString notAnswering(const QString& printer);
QString notAccepting(const QString& printer);
QString refused(const QString& printer, const QString& reason);
QString waitsUntilResumed(const QString& printer);
QString didNotPrint(const QString& printer, const JobStatus& status);
QString unconfirmed(const QString& printer);
QString notDrawn();

// The printer's own problem in words, or an empty text when its reasons show none.
QString printerProblem(const QStringList& reasons);

} // namespace PrintMessages
