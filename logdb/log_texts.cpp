#include "logdb/log_texts.h"

namespace sfxtal::logdb {

std::string InvalidFrequencyMessage(std::int32_t pointer, std::string_view freq) {
  std::string text = "交信番号 ";
  text += std::to_string(pointer);
  text += " の交信周波数は 無効です\n";
  text += freq;
  return text;
}

}  // namespace sfxtal::logdb
