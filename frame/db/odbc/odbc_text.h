// Texts across the ODBC wide-character API: SQLWCHAR is a UTF-16 code unit
// on unixODBC and odbc32 alike, so the frame's own conversions serve it.
#pragma once

#include <cstdint>

#include "frame/db/odbc/odbc_api.h"
#include "frame/text/gbk.h"
#include "frame/text/utf16.h"

namespace frame {

static_assert(sizeof(SQLWCHAR) == sizeof(uint16_t), "ODBC wide texts are UTF-16 here");

using WideText = Utf16Text;

// unixODBC's SQLWCHAR is uint16_t, odbc32's is wchar_t: the same units under
// another name. Only the driver manager writes or reads them through
// SQLWCHAR, behind a call the compiler cannot see into.
inline SQLWCHAR* OdbcUnits(WideText& text) {
  return reinterpret_cast<SQLWCHAR*>(text.data());
}
inline const uint16_t* Utf16Units(const SQLWCHAR* units) {
  return reinterpret_cast<const uint16_t*>(units);
}

}  // namespace frame
