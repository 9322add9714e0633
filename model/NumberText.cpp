#include "model/NumberText.h"

#include "base/Errors.h"

#include <QCoreApplication>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

// A finite value as sign, significant digits and exponent: value = 0.d1d2d3... * 10^Exponent.
// No trailing zeros in Digits; empty Digits means zero (whatever the sign was).
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

constexpr int kDecimalDigits = 18;

void StripTrailingZeros(TDecimal &d) {
  while (!d.Digits.empty() && d.Digits.back() == '0')
    d.Digits.pop_back();
  if (d.Digits.empty())
    d = TDecimal{};
}

// The 18-digit decimal form of a finite value. std::to_chars ignores the C locale.
TDecimal ToDecimal(long double value) {
  TDecimal d;
  if (value == 0)
    return d;
  d.Negative = std::signbit(value);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kDecimalDigits - 1);
  // "d.ddddddddddddddddde[+-]x"
  const std::string text(buffer, result.ptr);
  const auto e = text.find('e');
  d.Digits = text.substr(0, 1) + text.substr(2, e - 2);
  int exponent = 0;
  const char *first = text.data() + e + 1;
  if (*first == '+')
    ++first;
  std::from_chars(first, text.data() + text.size(), exponent);
  d.Exponent = exponent + 1;
  StripTrailingZeros(d);
  return d;
}

// Keeps the first `keep` significant digits, rounding half up in magnitude. keep may be zero
// or negative when the rounding position lies before the first digit.
TDecimal RoundDigits(TDecimal d, int keep) {
  if (d.Digits.empty() || keep >= static_cast<int>(d.Digits.size()))
    return d;
  if (keep < 0)
    return TDecimal{};
  const bool roundUp = d.Digits[keep] >= '5';
  d.Digits.resize(keep);
  if (roundUp) {
    int i = keep - 1;
    while (i >= 0 && d.Digits[i] == '9')
      d.Digits[i--] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      // All nines (or nothing kept): the value becomes the next power of ten.
      d.Digits = "1";
      ++d.Exponent;
    }
  }
  StripTrailingZeros(d);
  return d;
}

QString DecimalSeparator() { return QLocale().decimalPoint(); }

// The separator typed by people used to the other convention: a point where the locale has
// a comma, a comma where it has a point (and a point for any other separator).
QString OtherSeparator(const QString &separator) {
  return separator == QStringLiteral(".") ? QStringLiteral(",") : QStringLiteral(".");
}

std::optional<QString> NonFiniteText(long double value) {
  if (std::isnan(value))
    return QStringLiteral("NAN");
  if (std::isinf(value))
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
  return std::nullopt;
}

// Fixed notation of rounded digits, with as many decimals as digits remain.
QString FixedText(const TDecimal &d) {
  if (d.Digits.empty())
    return QStringLiteral("0");
  const int count = static_cast<int>(d.Digits.size());
  std::string integerPart;
  std::string fraction;
  if (d.Exponent <= 0) {
    integerPart = "0";
    fraction = std::string(-d.Exponent, '0') + d.Digits;
  } else if (d.Exponent >= count) {
    integerPart = d.Digits + std::string(d.Exponent - count, '0');
  } else {
    integerPart = d.Digits.substr(0, d.Exponent);
    fraction = d.Digits.substr(d.Exponent);
  }
  QString text = d.Negative ? QStringLiteral("-") : QString();
  text += QString::fromLatin1(integerPart);
  if (!fraction.empty())
    text += DecimalSeparator() + QString::fromLatin1(fraction);
  return text;
}

// d1[,d2...] of rounded, non-zero digits.
QString MantissaText(const TDecimal &d) {
  QString text = d.Negative ? QStringLiteral("-") : QString();
  text += QLatin1Char(d.Digits[0]);
  if (d.Digits.size() > 1)
    text += DecimalSeparator() + QString::fromLatin1(d.Digits.substr(1));
  return text;
}

QString ExponentText(int exponent, bool plusSign, int minDigits) {
  QString text = exponent < 0 ? QStringLiteral("-") : plusSign ? QStringLiteral("+") : QString();
  text += QString::number(std::abs(exponent)).rightJustified(minDigits, QLatin1Char('0'));
  return text;
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

QString FormatFixed(long double value, int maxDecimals) {
  if (const auto special = NonFiniteText(value))
    return *special;
  const TDecimal d = ToDecimal(value);
  return FixedText(RoundDigits(d, d.Exponent + maxDecimals));
}

QString FormatScientific(long double value) {
  if (const auto special = NonFiniteText(value))
    return *special;
  const TDecimal d = RoundDigits(ToDecimal(value), 4);
  if (d.Digits.empty())
    return QStringLiteral("0E+0");
  return MantissaText(d) + QLatin1Char('E') + ExponentText(d.Exponent - 1, true, 1);
}

QString FormatGeneral(long double value, int precision, int minExponentDigits) {
  if (const auto special = NonFiniteText(value))
    return *special;
  const TDecimal d = RoundDigits(ToDecimal(value), precision);
  if (d.Digits.empty())
    return QStringLiteral("0");
  if (d.Exponent >= -3 && d.Exponent <= precision)
    return FixedText(d);
  return MantissaText(d) + QLatin1Char('E') +
         ExponentText(d.Exponent - 1, false, minExponentDigits);
}

QString FormatShortest(long double value) { return FormatGeneral(value, 15); }

QString FormatLabel(long double value) { return FormatGeneral(value, 2); }

QString FormatStatusNumber(long double value) { return FormatGeneral(value, 3, 3); }

QString StatusPositionText(long double xMetres, long double yMetres) {
  return QStringLiteral("( %1 m | %2 m )")
      .arg(FormatStatusNumber(xMetres), FormatStatusNumber(yMetres));
}

std::optional<long double> ParseNumber(const QString &text) {
  const QString separator = DecimalSeparator();
  const QString other = OtherSeparator(separator);
  qsizetype i = 0;
  qsizetype end = text.size();
  while (i < end && text[i] == QLatin1Char(' '))
    ++i;
  while (end > i && text[end - 1] == QLatin1Char(' '))
    --end;

  // Rebuilt in the form std::from_chars reads: '.' as separator, no '+' in front.
  std::string ascii;
  if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    if (text[i] == QLatin1Char('-'))
      ascii += '-';
    ++i;
  }
  int digitsBefore = 0;
  int digitsAfter = 0;
  bool separatorSeen = false;
  bool otherSeen = false;
  while (i < end) {
    const QStringView rest = QStringView(text).mid(i, end - i);
    if (IsDigit(text[i])) {
      ascii += static_cast<char>(text[i].unicode());
      ++(separatorSeen ? digitsAfter : digitsBefore);
      ++i;
    } else if (!separatorSeen && !separator.isEmpty() && rest.startsWith(separator)) {
      ascii += '.';
      separatorSeen = true;
      i += separator.size();
    } else if (!separatorSeen && rest.startsWith(other)) {
      ascii += '.';
      separatorSeen = true;
      otherSeen = true;
      i += other.size();
    } else {
      break;
    }
  }
  if (digitsBefore + digitsAfter == 0)
    return std::nullopt;
  // "1.500" in German may mean 1500: where the other separator groups thousands, three
  // digits after it are refused rather than guessed.
  if (otherSeen && other == QLocale().groupSeparator() && digitsBefore > 0 && digitsAfter == 3)
    return std::nullopt;

  if (i < end && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
    ascii += 'e';
    ++i;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
      ascii += static_cast<char>(text[i++].unicode());
    int exponentDigits = 0;
    while (i < end && IsDigit(text[i])) {
      ascii += static_cast<char>(text[i++].unicode());
      ++exponentDigits;
    }
    if (exponentDigits == 0)
      return std::nullopt;
  }
  if (i != end)
    return std::nullopt;

  long double value = 0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  // Out of range (overflow, or below the smallest normal value) is no usable number.
  if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
    return std::nullopt;
  return value;
}

long double StrToNumber(const QString &text) {
  if (const auto value = ParseNumber(text))
    return *value;
  throw EConvertError(
      QCoreApplication::translate("NumberText", "'%1' ist kein gültiger Gleitkommawert").arg(text));
}
