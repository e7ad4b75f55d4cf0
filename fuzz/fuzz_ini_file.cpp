// The INI reader and a write round trip: any bytes as SFXTAL.INI and one key written. Every key
// readable before the write reads back the same after it, the written key reads back its value,
// and the file on disk is the document's bytes.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/ini_file.h"
#include "fuzz/fuzz_support.h"
#include "platform/ascii_text.h"
#include "platform/text_codec.h"

using namespace sfxtal;

namespace {

bool SameName(std::string_view a, std::string_view b) {
  a = platform::TrimBlanksAndTabs(a);
  b = platform::TrimBlanksAndTabs(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

// Takes a length byte and that many bytes as CP932 text.
std::string TakeText(std::string_view& input) {
  if (input.empty()) return {};
  const std::size_t length = static_cast<unsigned char>(input[0]) % 24;
  input.remove_prefix(1);
  const std::string_view bytes = input.substr(0, length);
  input.remove_prefix(bytes.size());
  return platform::DecodeCp932(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input = fuzz::Bytes(data, size);
  const std::string section = TakeText(input);
  const std::string key = TakeText(input);
  const std::string value = TakeText(input);
  const std::string file(input);

  // The names the file could answer for: every section header and every text before an "=".
  std::vector<std::string> sections{section}, keys{key};
  const std::string text = platform::DecodeCp932(file);
  std::size_t pos = 0;
  while (pos < text.size() && sections.size() < 8 && keys.size() < 16) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view line =
        platform::TrimBlanksAndTabs(std::string_view(text).substr(pos, end - pos));
    if (!line.empty() && line.front() == '[') {
      sections.emplace_back(line.substr(1, line.find(']') - 1));
    } else if (line.find('=') != std::string_view::npos) {
      keys.emplace_back(line.substr(0, line.find('=')));
    }
    pos = end + 1;
  }

  const app::IniDocument before(file);
  app::IniDocument after(file);
  const bool written = after.SetValue(section, key, value);
  for (const std::string& s : sections) {
    for (const std::string& k : keys) {
      const std::optional<std::string> old = before.Value(s, k);
      if (old && !fuzz::IsUtf8(*old)) fuzz::Fail("a value is not UTF-8");
      if (written && SameName(s, section) && SameName(k, key)) continue;
      if (after.Value(s, k) != old) fuzz::Fail("a write changed another key");
    }
  }
  if (!written) {
    if (after.Bytes() != file) fuzz::Fail("a refused write changed the file");
    return 0;
  }
  // The written key reads back as it was given, as far as the value survives CP932.
  const std::string cut = value.substr(0, value.find_first_of("\r\n"));
  const std::string expected = platform::DecodeCp932(platform::EncodeCp932(cut));
  const std::optional<std::string> back = after.Value(section, key);
  if (!back) fuzz::Fail("the written key cannot be read");
  if (*back != expected) fuzz::Fail("the written value reads back otherwise");

  const auto path = fuzz::ScratchFolder() / "SFXTAL.INI";
  fuzz::WriteFile(path, file);
  if (!app::WriteIniValue(path, section, key, value)) fuzz::Fail("the file was not written");
  if (fuzz::ReadFile(path) != after.Bytes()) fuzz::Fail("the file is not the document");
  if (app::ReadIniValue(path, section, key) != back) fuzz::Fail("the file reads otherwise");
  return 0;
}
