// File names between the programs' Windows-style GBK path texts and the
// file system (bytes on Linux, UTF-16 on Windows).
#pragma once

#include <filesystem>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

// The programs build paths such as program directory + "\Config.ini". The
// text is turned into UTF-8 before '\' becomes '/', because a GBK trail byte
// can be 0x5C.
std::filesystem::path FileSystemPath(std::string_view gbk_path);

// A file-system path as a GBK text.
Text PathText(const std::filesystem::path& path);

// `path` when an entry of that name exists. Otherwise the entry of its
// directory whose name matches without regard to ASCII letter case (the first
// in byte order when several do), so "Config.ini" and "config.ini" name one
// file as they do on the programs' home platform. `path` unchanged when none
// matches.
std::filesystem::path ResolveFileName(const std::filesystem::path& path);

// The file a chain of symbolic links ends at, so that writing keeps the links.
std::filesystem::path FollowLinks(std::filesystem::path path);

}  // namespace frame
