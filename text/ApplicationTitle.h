#pragma once

#include <QString>

// The title the program goes by: the executable's file name cut at its first ".", every character after
// the first in lower case ("RECEIPT.EXE" gives "Receipt").
QString applicationTitle(const QString& executableFileName);
