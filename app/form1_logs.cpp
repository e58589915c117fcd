// The main window's hooks for the logs on show beyond the original viewer:
// following them as they grow, and their totals per program.
#include <QAction>
#include <QMenu>

#include "app/follow_mode.h"
#include "app/form1.h"
#include "app/summary_window.h"
#include "app/ui_text.h"
#include "runtime/messages.h"
#include "timeline/summary.h"

namespace tokiwa {

void TForm1::CreateLogMenuItems() {
  N4 = mnOption->addSeparator();
  mnFollow = mnOption->addAction(Text(msg::MenuFollow));
  mnFollow->setCheckable(true);
  mnSummary = mnOption->addAction(Text(msg::MenuSummary));
  // Qt has already inverted the check mark when triggered is raised.
  connect(mnFollow, &QAction::triggered, this, [this] { Guard([this] { follow_->Watch(); }); });
  connect(mnSummary, &QAction::triggered, this, [this] { Guard([this] { mnSummaryClick(); }); });
  follow_ = std::make_unique<FollowMode>(*this);
}

// As a click on the item: Qt inverts the check mark, and the triggered handler
// starts or stops watching.
void TForm1::mnFollowClick() { mnFollow->trigger(); }

void TForm1::mnSummaryClick() {
  if (!summary_) summary_ = new SummaryWindow(this);
  summary_->SetTotals(SummarizePrograms(ScanTimeline(CurrentSource())));
  summary_->show();
  summary_->raise();
  summary_->activateWindow();
}

void TForm1::ShownLogsChanged() {
  if (follow_) follow_->Watch();
}

void TForm1::TimelineChanged(const TimelineScan& scan) {
  if (summary_ && summary_->isVisible()) summary_->SetTotals(SummarizePrograms(scan));
  KeepTimelineDetails(scan);
}

}  // namespace tokiwa
