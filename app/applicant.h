#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_text.h"

namespace sfxtal::app {

// The applicant's section of SFXTAL.INI and its keys.
inline constexpr const char* kApplicantSection = "申請者";
inline constexpr const char* kApplicantCallKey = "コールサイン";
inline constexpr const char* kApplicantNameKey = "氏名";
inline constexpr const char* kApplicantAddressKey = "住所";

/// Who applies for the award, as the application names them (UTF-8). An empty value is printed as
/// a blank line, to be filled in by hand.
struct Applicant {
  std::string call;
  std::string name;
  std::string address;

  bool operator==(const Applicant&) const = default;
};

/// The applicant stored in the section [申請者] of SFXTAL.INI in the program folder. A missing
/// file, section or key gives an empty value.
Applicant ReadApplicant(const std::filesystem::path& programFolder);
Applicant ReadApplicant(const platform::NarrowText auto&) = delete;

/// The values of the applicant to store; those not given keep what is stored.
struct ApplicantChange {
  std::optional<std::string> call;
  std::optional<std::string> name;
  std::optional<std::string> address;
};

/// The first character of a value that SFXTAL.INI cannot hold, as its bytes: one that CP932 has no
/// bytes for, a control character (a line break would end the line of its key), or a broken UTF-8
/// sequence. Empty when the whole value can be stored.
std::string_view UnstorableCharacter(std::string_view utf8);

/// The message for a value given as `what` (an option, a box's caption) that SFXTAL.INI cannot
/// hold, naming the character; empty when the value can be stored.
std::string UnstorableApplicantMessage(std::string_view what, std::string_view value);

/// Stores the values given in [申請者] of SFXTAL.INI in the program folder, all in one replacement
/// of the file, every other section, key and line kept. False, and the file left as it was, when a
/// value cannot be stored (UnstorableCharacter) or the file cannot be written.
bool StoreApplicant(const std::filesystem::path& programFolder, const ApplicantChange& change);
bool StoreApplicant(const platform::NarrowText auto&, const ApplicantChange&) = delete;

}  // namespace sfxtal::app
