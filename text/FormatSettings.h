#pragma once

#include <QLocale>
#include <QString>

// The user's number and time conventions, read once at start-up and kept for the run.
struct FormatSettings
{
    QString decimalSeparator = QStringLiteral(".");
    QString timeSeparator = QStringLiteral(":");

    static FormatSettings fromLocale(const QLocale& locale);
};

const FormatSettings& formatSettings();
void setFormatSettings(const FormatSettings& settings);
