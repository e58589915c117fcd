#include "chart/font_object.h"

#include <charconv>
#include <string_view>

#include "runtime/messages.h"

namespace tokiwa {

namespace {

int DefaultFontPoints() {
  int size = 0;
  std::string_view text = msg::DefaultFontSize;
  std::from_chars(text.data(), text.data() + text.size(), size);
  return size;
}

}  // namespace

std::unique_ptr<TFont> DefaultChartFont() {
  auto font = std::make_unique<TFont>();
  font->SetPixelsPerInch(96);
  font->SetName(std::string(msg::DefaultFontName));
  font->SetSize(DefaultFontPoints());
  font->SetColor(clBlack);
  font->SetStyle(0);
  return font;
}

bool IsDefaultChartFont(const TFont& font, TColor colour) {
  return font.Size() == DefaultFontPoints() && font.Name() == msg::DefaultFontName &&
         font.Color() == colour && font.Style() == 0;
}

TChartFontObject::TChartFontObject(TCustomAxisPanel* chart) : chart_(chart), font_(DefaultChartFont()) {
  font_->OnChange = ReportAsOwnChange();
}

void TChartFontObject::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TChartFontObject*>(&source)) {
    font_->Assign(*other->font_);
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace tokiwa
