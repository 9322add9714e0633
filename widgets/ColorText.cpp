#include "widgets/ColorText.h"

#include "base/Errors.h"

#include <QCoreApplication>

#include <cstdint>
#include <optional>

namespace {

std::optional<int> DigitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int value = -1;
  if (u >= u'0' && u <= u'9')
    value = u - u'0';
  else if (u >= u'a' && u <= u'f')
    value = u - u'a' + 10;
  else if (u >= u'A' && u <= u'F')
    value = u - u'A' + 10;
  if (value < 0 || value >= base)
    return std::nullopt;
  return value;
}

// The magnitude of the digits from `from` on; nothing when there are none, when a character is
// no digit, or when the value leaves `limit`.
std::optional<uint64_t> Magnitude(const QString &text, qsizetype from, int base, uint64_t limit) {
  if (from >= text.size())
    return std::nullopt;
  uint64_t value = 0;
  for (qsizetype i = from; i < text.size(); ++i) {
    const std::optional<int> digit = DigitValue(text[i], base);
    if (!digit)
      return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(*digit);
    if (value > limit)
      return std::nullopt;
  }
  return value;
}

} // namespace

QString ColorToText(TColor color) {
  return u'$' + QString::number(color, 16).toUpper().rightJustified(6, u'0');
}

TColor ColorTextToInt(const QString &text) {
  qsizetype pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  std::optional<uint64_t> magnitude;
  if (pos < text.size() && text[pos] == u'$')
    magnitude = Magnitude(text, pos + 1, 16, 0xFFFFFFFFu); // hexadecimal wraps into the sign
  else
    magnitude = Magnitude(text, pos, 10, negative ? 0x80000000u : 0x7FFFFFFFu);
  if (!magnitude)
    throw EConvertError(
        QCoreApplication::translate("ColorText", "'%1' ist kein gültiger Integerwert").arg(text));
  const auto bits = static_cast<uint32_t>(*magnitude);
  return negative ? 0u - bits : bits;
}

TColor ContrastColor(TColor value) {
  const TColor inverted = ~value & 0xFFFFFFu;
  return inverted == 0x7F7F7Fu ? 0xFFFFFFu : inverted;
}
