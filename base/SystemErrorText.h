#pragma once
// Our own reasons for the system's error numbers, translated like every other text, so that
// no system text of another language ends up inside a message.

#include <QString>

// One sentence for errnum (an errno value), ending with a period; an unknown number
// gives a generic sentence that keeps the number.
QString SystemErrorText(int errnum);
