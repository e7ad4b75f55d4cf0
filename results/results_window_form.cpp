#include "results/results_window_form.h"

#include "results/results_window_size.h"
#include "results/totals.h"

namespace sfxtal::results {
namespace {

using platform::ControlDescription;
using platform::ControlKind;

constexpr ControlDescription kControls[] = {
    {.name = "MSFlexGrid1",
     .kind = ControlKind::kGrid,
     .left = 120,
     .top = 120,
     .width = 3300,
     .height = 2535,
     .tooltip = "黒がコンファーム済みです",
     .tabStop = true},
    {.name = "Command1",
     .kind = ControlKind::kCommandButton,
     .left = 3720,
     .top = 840,
     .width = 1815,
     .height = 495,
     .caption = "実績データ読込",
     .tooltip = "実績データを読込みます",
     .tabStop = true},
    {.name = "Text1",
     .kind = ControlKind::kTextBox,
     .left = 4080,
     .top = 240,
     .width = 1215,
     .height = 330,
     .tooltip = "ここにサフィックスを指定します",
     .font = {platform::kMinchoFace, 11.25},
     .tabStop = true},
    {.name = "Command2",
     .kind = ControlKind::kCommandButton,
     .left = 3720,
     .top = 1560,
     .width = 1815,
     .height = 495,
     .caption = "終了",
     .tooltip = "終了します",
     .tabStop = true},
    {.name = "Command3",
     .kind = ControlKind::kCommandButton,
     .left = 3720,
     .top = 2280,
     .width = 1815,
     .height = 495,
     .caption = "NEBU 出力",
     .tooltip = "NEBU 申請書の作成をします",
     .tabStop = true},
};

}  // namespace

const platform::FormDescription kResultsWindowForm{
    .name = "Form2",
    .caption = kResultsCaption,
    .clientWidth = kResultsClientWidth,
    .clientHeight = kResultsClientHeight,
    .controls = kControls,
};

}  // namespace sfxtal::results
