#include "frame/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace frame {
namespace {

// iconv descriptors carry conversion state, so each thread keeps its own.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; an input sequence that cannot be converted is skipped by
  // `skip` bytes and `replacement` is written in its place.
  std::string Run(std::string_view in, std::string_view replacement, size_t skip) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    size_t used = 0;
    while (src_left > 0) {
      char* dst = out.data() + used;
      size_t dst_left = out.size() - used;
      size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      used = out.size() - dst_left;
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ or EINVAL (truncated sequence at the end): replace and go on.
      out.replace(used, 0, replacement);
      used += replacement.size();
      if (out.size() < used + 16) out.resize(used + 16 + src_left * 2);
      size_t step = skip < src_left ? skip : src_left;
      src += step;
      src_left -= step;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

Text Gbk(std::string_view utf8) {
  thread_local Converter converter("GB18030", "UTF-8");
  return converter.Run(utf8, "?", 1);
}

std::string Utf8(std::string_view gbk) {
  thread_local Converter converter("UTF-8", "GB18030");
  return converter.Run(gbk, "\xEF\xBF\xBD", 1);
}

}  // namespace frame
