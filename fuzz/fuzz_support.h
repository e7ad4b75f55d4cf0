#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "importer/import_user_interface.h"

/// Each fuzz target's entry, which libFuzzer calls with one input at a time.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace sfxtal::fuzz {

/// An operator who reads nothing and answers No to every question, skips every suffix dialog and
/// never asks to stop: a fuzzed file then runs its whole course.
using QuietUi = importer::QuietUserInterface;

/// A program folder of its own for the fuzz process, emptied for each input (in memory where the
/// system has a tmpfs at /dev/shm) and removed when the process ends.
const std::filesystem::path& ScratchFolder();
/// Empties the scratch folder.
void ClearScratchFolder();

/// Writes the bytes to a file, replacing it.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
/// The file's bytes ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

/// True when the text is well-formed UTF-8 (what every decoder must give).
bool IsUtf8(std::string_view text);

/// A finding that libFuzzer keeps: prints the message and aborts.
[[noreturn]] void Fail(const char* what);

/// The fuzzer's input as bytes.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace sfxtal::fuzz
