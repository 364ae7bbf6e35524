// The bytes of one INI file, looked up and edited with the rules of Windows
// profile files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

// The bytes of one INI file and the edits the programs make to it. Lines
// end in "\r\n", "\n" or a lone "\r". Section and key names match without
// regard to ASCII case and blanks (space, tab) around names and values do not
// count. The first matching section and, within it, the first matching key
// win. Edits keep every line they do not touch byte for byte.
class IniDocument {
 public:
  explicit IniDocument(std::string bytes = {}) : bytes_(std::move(bytes)) {}

  const std::string& bytes() const { return bytes_; }

  // The value stored under the key, without surrounding blanks or one pair of
  // enclosing quotes, and cut at its first zero byte. nullopt when the section
  // or the key is missing.
  std::optional<Text> Find(std::string_view section, std::string_view key) const;

  // Replaces the key's line by "key=value", or adds that line at the end of
  // the section, or adds the section at the end of the document.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes the key's line; nothing when it is missing.
  void RemoveKey(std::string_view section, std::string_view key);

  // Removes the section's header and all its lines; nothing when it is missing.
  void RemoveSection(std::string_view section);

 private:
  std::string bytes_;
};

// Without the blanks (space, tab) around it.
std::string_view TrimBlanks(std::string_view text);

// Texts end at their first zero byte.
std::string_view CutAtNul(std::string_view text);

}  // namespace frame
