// CP932 decoding and encoding: bytes to text and back give the same bytes, but for the 398
// characters with two spellings (lead bytes 87, ED, EE, FA), which come back in the one Windows
// writes; the text itself never changes on the way. Any bytes taken as UTF-8 encode safely.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/text_codec.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  const std::string text = platform::DecodeCp932(bytes);
  if (!fuzz::IsUtf8(text)) fuzz::Fail("decoding gave no UTF-8");
  const std::string back = platform::EncodeCp932(text);
  if (back.size() != bytes.size()) fuzz::Fail("the bytes came back in another length");
  if (platform::DecodeCp932(back) != text) fuzz::Fail("the text changed on the way back");
  const bool twins = bytes.find_first_of("\x87\xED\xEE\xFA") != std::string_view::npos;
  if (!twins && back != bytes) fuzz::Fail("the bytes came back otherwise");

  if (platform::EncodeCp932(platform::BytesAsCharacters(bytes)) != bytes) {
    fuzz::Fail("the log's bytes as characters came back otherwise");
  }
  // Any text, even broken UTF-8: encoding must not fail, and what it gives decodes.
  if (!fuzz::IsUtf8(platform::DecodeCp932(platform::EncodeCp932(bytes)))) {
    fuzz::Fail("encoded text does not decode");
  }
  return 0;
}
