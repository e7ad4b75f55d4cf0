#include "app/spreadsheet_file.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>

#include "app/text_file.h"

namespace sfxtal::app {
namespace {

constexpr std::size_t kMaxCellBytes = 32767;

// libxlsxwriter writes the workbook by name; it is opened again to share and sync it.
bool SyncAndShare(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  return fd >= 0 && FinishSiblingTemp(fd, true);
}

}  // namespace

WorkbookFile::WorkbookFile(std::filesystem::path target) : target_(std::move(target)) {}

WorkbookFile::~WorkbookFile() {
  // An abandoned workbook is freed without writing it out.
  if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  if (!temp_.empty() && !committed_) std::remove(temp_.c_str());
}

lxw_workbook* WorkbookFile::Create() {
  const int fd = CreateSiblingTemp(target_, temp_);
  if (fd < 0) return nullptr;
  ::close(fd);
  workbook_ = workbook_new(temp_.c_str());
  return workbook_;
}

bool WorkbookFile::Commit() {
  if (workbook_ == nullptr) return false;
  const lxw_error error = workbook_close(workbook_);
  workbook_ = nullptr;
  if (error != LXW_NO_ERROR) return false;
  if (!SyncAndShare(temp_)) return false;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) return false;
  committed_ = true;
  return true;
}

std::string_view CellText(std::string_view utf8) {
  if (utf8.size() <= kMaxCellBytes) return utf8;
  std::size_t end = kMaxCellBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

}  // namespace sfxtal::app
