#pragma once

#include "text/FormatSettings.h"

// Sets the program's number and time conventions for one test and puts back the ones before when it ends.
class ScopedFormatSettings
{
public:
    explicit ScopedFormatSettings(const FormatSettings& settings = FormatSettings())
        : m_saved(formatSettings())
    {
        setFormatSettings(settings);
    }
    ~ScopedFormatSettings() { setFormatSettings(m_saved); }
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

private:
    FormatSettings m_saved;
};
