#pragma once
// Loading a launch log into the viewer's grid: comma-separated, quotes
// stripped, one row per line below the header row, then the header captions.
// The window and the command-line modes load through here.
#include <string>
#include <string_view>

#include "gridio/string_grid_io.h"
#include "runtime/string_grid.h"

namespace tokiwa {

// Launch logs are comma-separated.
inline constexpr std::string_view kLogDelimiter = ",";

// Resets io's target grid to its header row and one empty row, then loads the
// file (raises the loader's errors, leaving the grid reset).
void LoadLaunchLog(TStringGridIO& io, const std::string& path);

// The grid before a load: its header row and one empty row.
void ResetLogGrid(TStringGrid& grid);

// The captions of row 0.
void WriteHeaderCaptions(TStringGrid& grid);

// A grid as the window's design sets it up: five columns, one fixed row, two
// rows; io fills it, sizing it to each file.
void PrepareLogGrid(TStringGrid& grid, TStringGridIO& io);

}  // namespace tokiwa
