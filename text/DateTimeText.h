#pragma once

#include <QDateTime>
#include <QString>

// The date field's text "yyyy-mm-dd HH:MM", with the locale's time separator between hour and minute.
QString dateTimeText(const QDateTime& moment, const QString& timeSeparator);
