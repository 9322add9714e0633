#pragma once
// Readable failures: QString (and lists of them) print as their UTF-8 text in quotes.

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) {
  *os << '"' << text.toStdString() << '"';
}
