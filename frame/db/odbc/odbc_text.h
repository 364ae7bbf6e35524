// Texts across the ODBC wide-character API: the frame's code page on one
// side, UTF-16 code units (unixODBC's 2-byte SQLWCHAR) on the other.
#pragma once

#include <sql.h>
#include <sqlucode.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

using WideText = std::basic_string<SQLWCHAR>;

WideText WideFromGbk(std::string_view gbk);
// Unpaired surrogates become U+FFFD.
Text GbkFromWide(const SQLWCHAR* units, size_t count);
// The same, appended to `out`.
void AppendGbkFromWide(const SQLWCHAR* units, size_t count, std::string& out);
// Diagnostics stay UTF-8: they are for people, not for handlers.
std::string Utf8FromWide(const SQLWCHAR* units, size_t count);

}  // namespace frame
