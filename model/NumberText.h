#pragma once
// Every number text the user sees or types. All of them use the decimal separator of the
// default QLocale() and never the C locale, which a German locale would switch to a comma.
// Rounding works on the value's 18-digit decimal form; a next digit of 5 or more rounds the
// magnitude up. Infinite values give "INF" / "-INF", NaN gives "NAN".

#include <QString>

#include <optional>

// Fixed notation with at most maxDecimals decimals, trailing zeros and a trailing separator
// dropped: "0.####" is maxDecimals 4, "0.##" is 2. A value that rounds to zero is "0".
QString FormatFixed(long double value, int maxDecimals);

// Pattern "0.###E+0": one leading digit, at most three further decimals, "E" and an exponent
// that always carries its sign ("1,235E-20", "1E+0"). Zero is "0E+0".
QString FormatScientific(long double value);

// General shortest form with up to `precision` significant digits: fixed notation when the
// rounded value is 0.d1d2... * 10^E with -3 <= E <= precision, otherwise d1[,d2...]E<E-1>
// with "-" for a negative exponent, no plus sign and at least minExponentDigits digits.
QString FormatGeneral(long double value, int precision, int minExponentDigits = 1);

// The general form with 15 significant digits, used wherever a number is shown for editing.
QString FormatShortest(long double value);

// Axis scale labels: the general form with two significant digits ("0,02", "1,5E2").
QString FormatLabel(long double value);

// One coordinate of the status bar: three significant digits, exponent of at least three
// digits ("0,0265", "1E003").
QString FormatStatusNumber(long double value);

// The whole status bar text for a mouse position in metres (world axes): "( x m | y m )".
QString StatusPositionText(long double xMetres, long double yMetres);

// Reads a number as the user types it: optional sign, digits with at most one decimal
// separator (",5" and "2," are accepted), optional exponent e/E with optional sign and at
// least one digit, spaces around. The separator is the locale's or the other one of point
// and comma; where that other one groups thousands in the locale, it is refused between a
// digit and exactly three digits ("1.500" in German, "1,500" in English). Anything else, or
// a value beyond the range, gives nothing.
std::optional<long double> ParseNumber(const QString &text);

// As ParseNumber, but throws EConvertError "'<text>' ist kein gültiger Gleitkommawert".
long double StrToNumber(const QString &text);
