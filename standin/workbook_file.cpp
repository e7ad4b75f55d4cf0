#include "standin/workbook_file.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>

#include "platform/text_file.h"

namespace sfxtal::standin {
namespace {

constexpr std::size_t kMaxCellBytes = 32767;

}  // namespace

WorkbookFile::WorkbookFile(std::filesystem::path target)
    : target_(std::move(target)), file_(target_) {}

WorkbookFile::~WorkbookFile() {
  // An abandoned workbook is freed without writing it out.
  if (workbook_ != nullptr) lxw_workbook_free(workbook_);
}

lxw_workbook* WorkbookFile::Create() {
  // libxlsxwriter writes the temporary file by its name; the descriptor stays with file_.
  if (file_.Create() < 0) return nullptr;
  workbook_ = workbook_new(file_.TempPath().c_str());
  return workbook_;
}

bool WorkbookFile::WriteOut() {
  if (workbook_ == nullptr) return false;
  const lxw_error error = workbook_close(workbook_);
  workbook_ = nullptr;
  writtenOut_ = error == LXW_NO_ERROR;
  return writtenOut_;
}

bool WorkbookFile::Commit() {
  if (!writtenOut_ && !WriteOut()) return false;
  writtenOut_ = false;
  return file_.Commit(true);
}

std::string_view CellText(std::string_view utf8) {
  if (utf8.size() <= kMaxCellBytes) return utf8;
  std::size_t end = kMaxCellBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

}  // namespace sfxtal::standin
