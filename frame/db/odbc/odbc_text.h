// Texts across the ODBC wide-character API: unixODBC's SQLWCHAR is a UTF-16
// code unit, so the frame's own UTF-16 conversions serve it.
#pragma once

#include <sql.h>
#include <sqlucode.h>

#include <cstdint>
#include <type_traits>

#include "frame/text/gbk.h"
#include "frame/text/utf16.h"

namespace frame {

static_assert(std::is_same_v<SQLWCHAR, uint16_t>, "ODBC wide texts are UTF-16 here");

using WideText = Utf16Text;

}  // namespace frame
