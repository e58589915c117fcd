// The main window's aids to reading the chart: program names beside the
// rows, the details of a bar on hover, the wheel and keys, and saving the
// chart as a picture.
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/bar_tooltip.h"
#include "app/chart_navigation.h"
#include "app/form1.h"
#include "app/ui_text.h"
#include "chart/chart.h"
#include "gui/chart_image_file.h"
#include "gui/chart_widget.h"
#include "gui/file_list_box.h"
#include "runtime/messages.h"
#include "timeline/row_labels.h"

namespace tokiwa {

void TForm1::CreateReadingAids() {
  mnSaveImage = new QAction(Text(msg::MenuSaveImage), Folder1);
  Folder1->insertAction(mnExit, mnSaveImage);
  connect(mnSaveImage, &QAction::triggered, this, [this] { Guard([this] { mnSaveImageClick(); }); });

  // With the other switch of what the chart shows, before following and totals.
  mnRowLabels = new QAction(Text(msg::MenuRowLabels), mnOption);
  mnRowLabels->setCheckable(true);
  mnOption->insertAction(N4, mnRowLabels);
  // Qt has already inverted the check mark when triggered is raised.
  connect(mnRowLabels, &QAction::triggered, this, [this] { Guard([this] { rowLabels_->SetVisible(mnRowLabels->isChecked()); }); });

  ChooseImageFile = StandardImageFileChooser();
  rowLabels_ = std::make_unique<RowLabels>(*Chart1);
  rowLabels_->SetNames(Details.RowNames);
  new BarTooltip(Chart1View, Series1, &Details);
  new ChartNavigation(Chart1View);
}

void TForm1::ShowRowLabels(bool shown) {
  mnRowLabels->setChecked(shown);
  rowLabels_->SetVisible(shown);
}

void TForm1::KeepTimelineDetails(const TimelineScan& scan) {
  Details = DetailsOf(scan);
  rowLabels_->SetNames(Details.RowNames);
}

void TForm1::mnRowLabelsClick() { mnRowLabels->trigger(); }

// Starts beside the log shown, named after it.
void TForm1::mnSaveImageClick() {
  QString start = QString::fromStdString(FileListBox1->Directory());
  if (FileListBox1->ItemIndex() >= 0) {
    const QFileInfo log(QFile::decodeName(QByteArray::fromStdString(FileListBox1->FileName())));
    start = log.absolutePath() + "/" + log.completeBaseName() + Text(ExtensionOf(ImageFormat::Png));
  }
  SaveChartImage(this, *Chart1, Chart1View->size(), start, ChooseImageFile);
}

}  // namespace tokiwa
