#include "chart/chart.h"

#include "chart/legend.h"

namespace tokiwa {

namespace {

constexpr TColor kLeftWallColour = 0x80FFFF;  // a light yellow

}  // namespace

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner) {
  title_ = std::make_unique<TChartTitle>(this);
  title_->OnChange = SubObjectChangedHandler();
  foot_ = std::make_unique<TChartTitle>(this);
  foot_->OnChange = SubObjectChangedHandler();
  gradient_ = std::make_unique<TChartGradient>();
  gradient_->OnChange = SubObjectChangedHandler();
  leftWall_ = std::make_unique<TChartWall>();
  leftWall_->OnChange = SubObjectChangedHandler();
  leftWall_->SetColor(kLeftWallColour);
  bottomWall_ = std::make_unique<TChartWall>();
  bottomWall_->OnChange = SubObjectChangedHandler();
  bottomWall_->SetColor(clWhite);
  backImageMode_ = TChartBackImageMode::pbmStretch;
  backImage_ = std::make_unique<TPicture>();
  backImage_->OnChange = SubObjectChangedHandler();
  CreateLegend();
  animatedZoomSteps_ = 8;
  allowZoom_ = true;
  allowPanning_ = TPanningMode::pmBoth;
  ClickConsumed = false;
  mustSaveAxes_ = true;
}

TCustomChart::~TCustomChart() {
  BeginDestroy();
  // Series go while the whole chart still exists; they may ask it questions on the way out.
  DestroyAllSeries();
  title_.reset();
  foot_.reset();
  bottomWall_.reset();
  leftWall_.reset();
  gradient_.reset();
  backImage_.reset();
}

void TCustomChart::SetGradient(const TChartGradient& g) {
  // Through the setters, not Assign (which copies silently for a whole-chart
  // copy): every setting that differs repaints.
  gradient_->SetVisible(g.Visible());
  gradient_->SetDirection(g.Direction());
  gradient_->SetStartColor(g.StartColor());
  gradient_->SetEndColor(g.EndColor());
}

void TCustomChart::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TCustomChart*>(&source)) {
    leftWall_->Assign(*other->leftWall_);
    bottomWall_->Assign(*other->bottomWall_);
    gradient_->Assign(*other->gradient_);
    allowPanning_ = other->allowPanning_;
    allowZoom_ = other->allowZoom_;
    animatedZoom_ = other->animatedZoom_;
    animatedZoomSteps_ = other->animatedZoomSteps_;
    foot_->Assign(*other->foot_);
    title_->Assign(*other->title_);
  }
  TCustomAxisPanel::Assign(source);
}

}  // namespace tokiwa
