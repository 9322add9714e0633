#pragma once
// Helpers for the project file tests: bytes from hex text, the worked example, and the
// outcome of a read as "ok" or "<error class>: <message>".

#include "base/Errors.h"
#include "file/ProjectCodec.h"
#include "model/Document.h"

#include <QByteArray>

#include <cstring>
#include <string>

inline QByteArray Hex(const char *text) { return QByteArray::fromHex(QByteArray(text)); }

// Tag 5 and the ten bytes of a long double, for building inputs.
inline QByteArray Float80(long double value) {
  char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof bytes);
  return QByteArray(1, '\x05') + QByteArray(bytes, 10);
}

// The 77 bytes of a new 792 by 535 project with one charge clicked at the origin.
inline const char *const kWorkedExampleHex = "8C 01 00 00  0B 01 00 00"
                                             "05 27 8A 92 95 00 9A 6D C1 B2 3F"
                                             "05 00 00 00 00 00 00 00 80 FF 3F  01"
                                             "05 00 00 00 00 00 00 00 C1 07 40"
                                             "05 00 00 00 00 00 00 80 80 07 40"
                                             "05 F6 DC BE 50 1D D4 26 BD C0 3F"
                                             "02 10  08  02 00  00  02 FF  02 FF  02 FF  08";

inline TProjectData WorkedExampleData() {
  TProjectData data;
  data.OriginX = 396;
  data.OriginY = 267;
  data.ArrowScale = kDefaultArrowScale;
  data.ZoomFactor = 1.0L;
  data.Charges = {{386, 257, kElementaryCharge, 16, false, 0}};
  return data;
}

template <typename Read> std::string Outcome(Read &&read) {
  try {
    read();
    return "ok";
  } catch (const EReadError &e) {
    return std::string("EReadError: ") + e.what();
  } catch (const EPropertyError &e) {
    return std::string("EPropertyError: ") + e.what();
  } catch (const EListError &e) {
    return std::string("EListError: ") + e.what();
  } catch (const EWriteError &e) {
    return std::string("EWriteError: ") + e.what();
  } catch (const EFOpenError &e) {
    return std::string("EFOpenError: ") + e.what();
  } catch (const EFCreateError &e) {
    return std::string("EFCreateError: ") + e.what();
  } catch (const EKraftbildError &e) {
    return std::string("other error: ") + e.what();
  }
}

inline std::string DecodeOutcome(const QByteArray &bytes, TProjectData &data) {
  return Outcome([&] { DecodeProject(bytes, data); });
}

inline const std::string kReadError = "EReadError: Stream-Lesefehler";
inline const std::string kPropertyError = "EPropertyError: Ungültiger Eigenschaftswert";
