#pragma once

#include <QString>

// The error box's text: a "." is added when the last character sorts after "." (letters, digits, "?",
// Chinese characters), not after "!", ")" or "." itself.
QString withErrorFullStop(const QString& message);

// The start-up crash box's rule: a "." is added unless the message is empty or already ends in ".".
QString withCrashFullStop(const QString& message);
