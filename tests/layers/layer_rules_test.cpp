// The layer rules of the source tree: a file includes headers only from its
// own folder and the folders below it, and nothing below gui/ includes Qt.
// The allowed directions are the layer table of docs/ARCHITECTURE.md, read
// from there so that the page and the check cannot disagree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tokiwa::testing {
namespace {

namespace fs = std::filesystem;

struct Layer {
  std::set<std::string> mayInclude;  // folders, the layer's own included
  bool qt = false;
};
using Layers = std::map<std::string, Layer>;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Rows of the form "| `chart/` | what lives there | `runtime/` |": the first
// cell names the folder, the last lists the folders it may include, and
// names Qt when it may include Qt.
Layers ReadLayerTable(const std::string& page) {
  static const std::regex row(R"(^\|\s*`(\w+)/`\s*\|.*\|([^|]*)\|\s*$)");
  static const std::regex folder(R"(`(\w+)/`)");
  Layers layers;
  std::istringstream lines(page);
  std::string line;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    Layer& layer = layers[m[1]];
    layer.mayInclude.insert(m[1]);
    const std::string allowed = m[2];
    for (std::sregex_iterator it(allowed.begin(), allowed.end(), folder), end; it != end; ++it)
      layer.mayInclude.insert((*it)[1]);
    layer.qt = std::regex_search(allowed, std::regex(R"(\bQt\b)"));
  }
  return layers;
}

// "file:line: include" for every include the file's layer may not use.
std::vector<std::string> Violations(const Layers& layers, const std::string& layer, const std::string& name,
                                    const std::string& text) {
  static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  static const std::regex qtHeader(R"(^Q[A-Za-z])");
  const Layer& own = layers.at(layer);
  std::vector<std::string> found;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::smatch m;
    if (!std::regex_search(line, m, include)) continue;
    const std::string header = m[2];
    const bool bad = m[1] == "<" ? std::regex_search(header, qtHeader) && !own.qt
                                 : !own.mayInclude.count(header.substr(0, header.find('/')));
    if (bad) found.push_back(name + ":" + std::to_string(number) + ": " + header);
  }
  return found;
}

const fs::path kSourceDir = TOKIWA_SOURCE_DIR;

Layers ProjectLayers() { return ReadLayerTable(ReadFile(kSourceDir / "docs" / "ARCHITECTURE.md")); }

TEST(LayerRules, EverySourceIncludesOnlyFromItsOwnLayerOrBelow) {
  const Layers layers = ProjectLayers();
  ASSERT_EQ(layers.size(), 7u) << "the layer table of docs/ARCHITECTURE.md was not found";
  std::vector<std::string> found;
  int files = 0;
  for (const auto& [layer, rules] : layers) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kSourceDir / layer)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".h" && ext != ".cpp") continue;
      ++files;
      const std::string name = fs::relative(entry.path(), kSourceDir).string();
      for (std::string& v : Violations(layers, layer, name, ReadFile(entry.path()))) found.push_back(std::move(v));
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
}

TEST(LayerRules, UpwardAndQtIncludesAreFound) {
  const Layers layers = ProjectLayers();
  struct Case {
    const char* layer;
    const char* line;
    bool violates;
  };
  const Case cases[] = {
      {"runtime", "#include \"chart/chart.h\"", true},
      {"chart", "#include \"series/gantt_series.h\"", true},
      {"series", " #  include \"timeline/timeline_scan.h\"", true},
      {"timeline", "#include \"gui/qt_canvas.h\"", true},
      {"gui", "#include \"app/form1.h\"", true},
      {"chart", "#include \"support/recording_host.h\"", true},
      {"timeline", "#include <QString>", true},
      {"runtime", "#include <QtCore/qglobal.h>", true},
      {"timeline", "#include \"series/gantt_series.h\"", false},
      {"series", "#include \"chart/series.h\"", false},
      {"gui", "#include <QPainter>", false},
      {"app", "#include \"timeline/log_timeline.h\"", false},
      {"chart", "#include <vector>", false},
      {"chart", "// #include \"gui/qt_canvas.h\" is not an include", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(!Violations(layers, c.layer, "x.cpp", c.line).empty(), c.violates) << c.layer << ": " << c.line;
}

}  // namespace
}  // namespace tokiwa::testing
