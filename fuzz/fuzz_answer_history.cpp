// The answer history: any bytes as 履歴.txt, then a lookup, an append and the lookup again. The
// input's first byte splits the callsign (the log's bytes) and a suffix off its end.
// What the history knew it still knows; what it did not know, it knows after the append.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "importer/answer_history.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input = fuzz::Bytes(data, size);
  if (input.size() < 2) return 0;
  const std::size_t callsignBytes = static_cast<unsigned char>(input[0]) % 16 + 1;
  input.remove_prefix(1);
  if (input.size() < callsignBytes + 1) return 0;
  const std::string callsign(input.substr(0, callsignBytes));
  // The dialog gives one to three capitals.
  const std::size_t suffixLength = static_cast<unsigned char>(input[callsignBytes]) % 3 + 1;
  std::string suffix;
  for (std::size_t i = 0; i < suffixLength; ++i) {
    const auto byte = static_cast<unsigned char>(input[(callsignBytes + 1 + i) % input.size()]);
    suffix += static_cast<char>('A' + byte % 26);
  }
  const std::string_view file = input.substr(callsignBytes + 1);

  fuzz::QuietUi ui;
  importer::AnswerHistory history(fuzz::ScratchFolder(), ui);
  fuzz::WriteFile(history.Path(), file);
  const std::string before = history.Lookup(callsign);
  if (!fuzz::IsUtf8(before)) fuzz::Fail("an answer is not UTF-8");
  if (!history.Append(callsign, suffix)) fuzz::Fail("the append failed");
  const std::string after = history.Lookup(callsign);
  if (!before.empty() && after != before) fuzz::Fail("an answer changed with an append");
  if (before.empty() && after != suffix) fuzz::Fail("the appended answer is not found");
  // The file before the append is still there, byte for byte.
  const std::string now = fuzz::ReadFile(history.Path());
  if (now.compare(0, file.size(), file) != 0) fuzz::Fail("the append changed earlier lines");
  return 0;
}
