#include <iconv.h>

#include <stdexcept>

#include "platform/system_cp932.h"

namespace sfxtal::platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The whole input converted, or false.
  bool Convert(std::string_view in, char* out, std::size_t& outSize) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out;
    std::size_t dstLeft = outSize;
    const std::size_t rc = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
    outSize -= dstLeft;
    return rc != static_cast<std::size_t>(-1) && srcLeft == 0;
  }

 private:
  iconv_t handle_;
};

}  // namespace

char32_t SystemDecodeCp932(std::string_view bytes) {
  thread_local Converter decoder("UTF-32LE", "CP932");
  unsigned char out[8];
  std::size_t size = sizeof out;
  if (!decoder.Convert(bytes, reinterpret_cast<char*>(out), size) || size != 4) return 0;
  return out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
}

std::string SystemEncodeCp932(char32_t codePoint) {
  thread_local Converter encoder("CP932", "UTF-32LE");
  const char in[4] = {
      static_cast<char>(codePoint & 0xFF), static_cast<char>((codePoint >> 8) & 0xFF),
      static_cast<char>((codePoint >> 16) & 0xFF), static_cast<char>(codePoint >> 24)};
  char out[8];
  std::size_t size = sizeof out;
  if (!encoder.Convert(std::string_view(in, 4), out, size)) return {};
  return std::string(out, size);
}

}  // namespace sfxtal::platform
