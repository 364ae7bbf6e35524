#include <iconv.h>

#include <bit>

#include "frame/text/system_code_pages.h"

namespace frame {
namespace {

class Decoder {
 public:
  explicit Decoder(const char* code_page)
      : cd_(iconv_open(std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE",
                       code_page)) {}
  // Never closed: the code-page modules stay loaded, so that no thread
  // unloads one while another loads it, which ThreadSanitizer would take
  // for a race.
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  char32_t Decode(const char* bytes, size_t length) const {
    if (!usable()) return 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char32_t c = 0;
    char* in = const_cast<char*>(bytes);
    char* out = reinterpret_cast<char*>(&c);
    size_t out_left = sizeof c;
    if (iconv(cd_, &in, &length, &out, &out_left) == static_cast<size_t>(-1) || length != 0 ||
        out_left != 0) {
      return 0;
    }
    return c;
  }

 private:
  const iconv_t cd_;
};

const Decoder& DecoderOf(SystemCodePage page) {
  static const Decoder cp936("CP936");
  static const Decoder gb18030("GB18030");
  return page == SystemCodePage::k936 ? cp936 : gb18030;
}

}  // namespace

bool SystemHasCodePage(SystemCodePage page) {
  return DecoderOf(page).usable();
}

char32_t SystemDecode(SystemCodePage page, const char* bytes, size_t length) {
  return DecoderOf(page).Decode(bytes, length);
}

}  // namespace frame
