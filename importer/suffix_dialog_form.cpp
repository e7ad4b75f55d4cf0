#include "importer/suffix_dialog_form.h"

#include "importer/suffix_dialog.h"

namespace sfxtal::importer {
namespace {

using platform::ControlDescription;
using platform::ControlKind;

constexpr ControlKind kLabel = ControlKind::kLabel;

// The QSO's texts in a row inside Frame1: record number, date, time, mode and frequency.
constexpr ControlDescription QsoLabel(std::string_view name, std::string_view caption, double left,
                                      double width) {
  return {.name = name,
          .kind = kLabel,
          .container = "Frame1",
          .left = left,
          .top = 300,
          .width = width,
          .height = 255,
          .caption = caption};
}

constexpr ControlDescription kControls[] = {
    {.name = "Label1",
     .kind = kLabel,
     .left = 240,
     .top = 180,
     .width = 4920,
     .height = 255,
     .caption = "下記交信のサフィックスを設定して下さい"},
    {.name = "Frame1",
     .kind = ControlKind::kFrame,
     .left = 240,
     .top = 540,
     .width = 4920,
     .height = 1335,
     .caption = "交信データ"},
    QsoLabel("Label2", "Pointer", 120, 780),
    QsoLabel("Label3", "年月日", 960, 1140),
    QsoLabel("Label4", "時刻", 2160, 600),
    QsoLabel("Label5", "Mode", 2820, 720),
    QsoLabel("Label6", "band", 3600, 1200),
    // The callsign the operator answers for, below the row and larger.
    {.name = "Label7",
     .kind = kLabel,
     .container = "Frame1",
     .left = 120,
     .top = 720,
     .width = 4680,
     .height = 420,
     .caption = "Label7",
     .font = {platform::kGothicFace, 14, true}},
    {.name = "Frame2",
     .kind = ControlKind::kFrame,
     .left = 240,
     .top = 2010,
     .width = 4920,
     .height = 855,
     .caption = "サフィックス"},
    {.name = "Text1",
     .kind = ControlKind::kTextBox,
     .container = "Frame2",
     .left = 120,
     .top = 300,
     .width = 1575,
     .height = 375,
     .font = {platform::kPGothicFace, 12},
     .tabStop = true},
    {.name = "Command1",
     .kind = ControlKind::kCommandButton,
     .container = "Frame2",
     .left = 1860,
     .top = 270,
     .width = 1335,
     .height = 435,
     .caption = "設定",
     .tabStop = true},
    {.name = "Command2",
     .kind = ControlKind::kCommandButton,
     .container = "Frame2",
     .left = 3360,
     .top = 270,
     .width = 1335,
     .height = 435,
     .caption = "スキップ",
     .tooltip = "今回はサフィックスの設定をしません",
     .tabStop = true},
};

}  // namespace

const platform::FormDescription kSuffixDialogForm{
    .name = "Form3",
    .caption = SuffixDialog::kCaption,
    .clientWidth = 5400,
    .clientHeight = 3060,
    .controls = kControls,
};

}  // namespace sfxtal::importer
