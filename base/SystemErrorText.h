#pragma once
// German reasons for the system's error numbers, so that no English system text ends up
// inside a German message.

#include <QString>

// One German sentence for errnum (an errno value), ending with a period; an unknown number
// gives a generic sentence that keeps the number.
QString SystemErrorText(int errnum);
