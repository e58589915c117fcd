#pragma once
// "画像として保存...": the chart as the window shows it (its size, its zoom,
// its row names) saved as PNG, SVG or PDF through a file dialog.
#include <QSize>
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace tokiwa {

class TCustomChart;

// The save dialog: answers the chosen file (empty on cancel) and sets
// selectedFilter to the chosen filter. Tests replace it.
using ImageFileChooser = std::function<QString(QWidget* parent, const QString& title, const QString& start,
                                               const QString& filters, QString* selectedFilter)>;
ImageFileChooser StandardImageFileChooser();

// The dialog's filters, PNG first.
QString ImageFileFilters();

// The file meant: the name as chosen when its extension is one of the
// formats; otherwise with the chosen filter's extension added.
QString ImageFileNameFor(const QString& chosen, const QString& selectedFilter);

// Asks for a file, starting at startPath, and saves the chart there at size;
// a failure is shown by the error display. Returns whether a file was written.
bool SaveChartImage(QWidget* parent, TCustomChart& chart, QSize size, const QString& startPath,
                    const ImageFileChooser& choose);

}  // namespace tokiwa
