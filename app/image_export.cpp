#include "app/image_export.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "app/ui_text.h"
#include "gui/chart_image_file.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

struct FormatFilter {
  ImageFormat format;
  std::string_view filter;
};

constexpr FormatFilter kFilters[] = {
    {ImageFormat::Png, msg::ImageFilterPng},
    {ImageFormat::Svg, msg::ImageFilterSvg},
    {ImageFormat::Pdf, msg::ImageFilterPdf},
};

// The chosen name has an extension of its own that names a format.
bool NamesAFormat(const QString& name) {
  const std::string bytes = QFile::encodeName(name).toStdString();
  const QString file = name.section('/', -1);
  return file.lastIndexOf('.') > 0 && ImageFormatOf(bytes).has_value();
}

}  // namespace

// The dialog adds the chosen filter's extension to a name without one, so
// that it asks before replacing the file that will really be written.
ImageFileChooser StandardImageFileChooser() {
  return [](QWidget* parent, const QString& title, const QString& start, const QString& filters,
            QString* selectedFilter) {
    QFileDialog dialog(parent, title, start, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto suffixOf = [](const QString& filter) {
      for (const FormatFilter& f : kFilters)
        if (filter == Text(f.filter)) return Text(ExtensionOf(f.format).substr(1));
      return Text(ExtensionOf(ImageFormat::Png).substr(1));
    };
    dialog.setDefaultSuffix(suffixOf(*selectedFilter));
    dialog.selectNameFilter(*selectedFilter);
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [&dialog, &suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
  };
}

QString ImageFileFilters() {
  QStringList filters;
  for (const FormatFilter& f : kFilters) filters << Text(f.filter);
  return filters.join(";;");
}

QString ImageFileNameFor(const QString& chosen, const QString& selectedFilter) {
  if (NamesAFormat(chosen)) return chosen;
  for (const FormatFilter& f : kFilters)
    if (selectedFilter == Text(f.filter)) return chosen + Text(ExtensionOf(f.format));
  return chosen + Text(ExtensionOf(ImageFormat::Png));
}

bool SaveChartImage(QWidget* parent, TCustomChart& chart, QSize size, const QString& startPath,
                    const ImageFileChooser& choose) {
  QString filter = Text(kFilters[0].filter);
  const QString chosen = choose(parent, Text(msg::SaveImageTitle), startPath, ImageFileFilters(), &filter);
  if (chosen.isEmpty()) return false;
  const std::string path = QFile::encodeName(ImageFileNameFor(chosen, filter)).toStdString();
  return RenderChartToFile(chart, size.width(), size.height(), path, ImageFormatOf(path).value_or(ImageFormat::Png));
}

}  // namespace tokiwa
