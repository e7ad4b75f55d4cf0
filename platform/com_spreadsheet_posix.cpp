#include "platform/com_spreadsheet.h"

// No system here offers the operator's spreadsheet program by automation; the built-in stand-in
// does its work.
namespace sfxtal::platform {

ComApartment::ComApartment() = default;
ComApartment::~ComApartment() = default;

bool ComSpreadsheetFactory::Registered() {
  return false;
}

std::unique_ptr<SpreadsheetApplication> ComSpreadsheetFactory::Create(
    const std::filesystem::path& /*workbook*/) {
  return nullptr;
}

}  // namespace sfxtal::platform
