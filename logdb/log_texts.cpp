#include "logdb/log_texts.h"

namespace sfxtal::logdb {

std::string InvalidFrequencyMessage(std::int32_t pointer, std::string_view freq) {
  std::string text = "交信番号 ";
  text += std::to_string(pointer);
  text += " の交信周波数は 無効です\n";
  text += freq;
  return text;
}

std::string AdifLeftOutMessage(const AdifLeftOut& leftOut) {
  std::string text = "ADIF ファイルの ";
  text += std::to_string(leftOut.Total());
  text += " 件の記録は読み込みませんでした";
  const auto reason = [&text](std::int32_t count, std::string_view why) {
    if (count == 0) return;
    text += '\n';
    text += why;
    text += ": ";
    text += std::to_string(count);
    text += " 件";
  };
  reason(leftOut.NoCall, "CALL がない");
  reason(leftOut.NoDate, "QSO_DATE がない、または正しくない");
  reason(leftOut.Unended, "<EOR> で終わっていない");
  return text;
}

}  // namespace sfxtal::logdb
