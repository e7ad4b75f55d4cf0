#include "tests/support/recording_spreadsheet.h"

namespace sfxtal::test_support {

class RecordingSpreadsheet : public platform::SpreadsheetApplication {
 public:
  explicit RecordingSpreadsheet(RecordingSpreadsheetFactory& factory) : factory_(factory) {}

  void SetVisible(bool visible) override {
    factory_.Record(std::string("Visible=") + (visible ? "true" : "false"));
  }
  bool OpenWorkbook(const std::filesystem::path& filename) override {
    // With "/" between the folders on every system, so that expectations read the same.
    const std::u8string generic = filename.generic_u8string();
    factory_.Record("Open " + std::string(generic.begin(), generic.end()));
    return factory_.openSucceeds;
  }
  bool RunMacro(const std::string& macro) override {
    factory_.Record("run " + macro);
    return factory_.macroSucceeds;
  }
  void Release() override { factory_.Record("release"); }

 private:
  RecordingSpreadsheetFactory& factory_;
};

std::unique_ptr<platform::SpreadsheetApplication> RecordingSpreadsheetFactory::Start(
    app::SpreadsheetJob /*job*/, const std::filesystem::path& /*workbook*/) {
  Record(creatable ? "create" : "create failed");
  if (!creatable) return nullptr;
  return std::make_unique<RecordingSpreadsheet>(*this);
}

std::vector<std::string> RecordingSpreadsheetFactory::Timeline() const {
  std::vector<std::string> timeline;
  std::size_t next = 0;
  auto callsUpTo = [&](std::size_t events) {
    while (next < calls_.size() && calls_[next].uiEventsBefore <= events) {
      timeline.push_back(calls_[next++].text);
    }
  };
  for (std::size_t i = 0; i < ui_.events.size(); ++i) {
    callsUpTo(i);
    const UiEvent& event = ui_.events[i];
    switch (event.kind) {
      case UiEvent::Kind::kBusyPointer:
        timeline.push_back("busy");
        break;
      case UiEvent::Kind::kNormalPointer:
        timeline.push_back("normal");
        break;
      case UiEvent::Kind::kYield:
        timeline.push_back("yield");
        break;
      case UiEvent::Kind::kMessage:
        timeline.push_back("message " + event.text);
        break;
      case UiEvent::Kind::kOpenFile:
        timeline.push_back("open file " + event.text);
        break;
      default:
        timeline.push_back("other " + event.text);
        break;
    }
  }
  callsUpTo(ui_.events.size());
  return timeline;
}

}  // namespace sfxtal::test_support
