#include "standin/workbook_file.h"

#include <xlsxwriter.h>

#include "platform/standard_error.h"

namespace sfxtal::standin {
namespace {

constexpr std::size_t kMaxCellBytes = 32767;

}  // namespace

bool WorkbookFile::Build(const std::function<bool(lxw_workbook*)>& fill, bool constantMemory) {
  // libxlsxwriter writes the temporary file by its name, and on Windows it must be the only one
  // with the file open; file_ gives the file its permissions and syncs it when it is committed.
  if (file_.Create() < 0) return false;
  file_.ReleaseDescriptor();
  const platform::QuietStandardError quiet;
  lxw_workbook_options options{};
  options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
  lxw_workbook* workbook = workbook_new_opt(file_.TempPath().c_str(), &options);
  if (workbook == nullptr) {
    file_.Discard();
    return false;
  }
  const bool filled = fill(workbook);
  if (!filled) {
    // An abandoned workbook is freed without writing it out.
    lxw_workbook_free(workbook);
    file_.Discard();
    return false;
  }
  if (workbook_close(workbook) != LXW_NO_ERROR) {
    file_.Discard();
    return false;
  }
  return true;
}

std::string_view CellText(std::string_view utf8) {
  if (utf8.size() <= kMaxCellBytes) return utf8;
  std::size_t end = kMaxCellBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

}  // namespace sfxtal::standin
