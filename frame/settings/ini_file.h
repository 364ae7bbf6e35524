// INI settings files with the lookup rules of Windows profile files, so that a
// Config.ini written on Windows reads the same here and the other way round.
// Files are GBK, or UTF-16LE when they start with its byte-order mark; a
// write keeps the file's encoding (see ini_encoding.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

// ReadIniValue hands values back through a 10240-byte buffer that also holds
// the ending zero byte.
inline constexpr std::size_t kIniValueLimit = 10239;

// The value of the key in the file (see IniDocument::Find), cut to
// kIniValueLimit bytes without leaving half a GBK character. The default when
// the file, the section or the key is missing. The empty text when the path,
// the section or the key is empty once its leading bytes up to 0x20 are
// skipped; the file is not touched then. `path` is a GBK text as for
// FileSystemPath; the file name is resolved through ResolveFileName.
Text ReadIniValue(std::string_view path, std::string_view section, std::string_view key,
                  std::string_view default_text = "");

// Stores "key=value" in the section, creating the file when it is missing.
// An absent key removes the whole section, an absent value removes the key.
// True when stored. The file is replaced as a whole (see ReplaceFile), so a
// failure leaves the old file as it was; a read-only directory makes it be
// rewritten in place. Temporary files that earlier writes left behind when
// their process died are removed first. Safe to call from several threads
// and processes: a writer waits for the others writing in the same folder.
bool WriteIniValue(std::string_view path, std::string_view section,
                   std::optional<std::string_view> key, std::optional<std::string_view> value);

}  // namespace frame
