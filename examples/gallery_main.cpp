// Renders every gallery scene to OUTDIR/NAME.png (OUTDIR defaults to
// "gallery"); with further arguments, only the scenes whose names contain one
// of them. Exits 1 when a scene fails to render.
#include <QDir>
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "chart/chart.h"
#include "examples/gallery.h"
#include "gui/chart_image_file.h"

namespace tokiwa::gallery {

std::vector<Scene>& Scenes() {
  static std::vector<Scene> scenes;
  return scenes;
}

RegisterScenes::RegisterScenes(std::vector<Scene> scenes) {
  for (auto& s : scenes) Scenes().push_back(std::move(s));
}

namespace {

bool Wanted(const Scene& scene, int argc, char** argv) {
  if (argc <= 2) return true;
  for (int i = 2; i < argc; ++i)
    if (scene.name.find(argv[i]) != std::string::npos) return true;
  return false;
}

bool Render(const Scene& scene, const std::string& dir) {
  TComponent owner{nullptr};
  auto* chart = new TChart(&owner);
  scene.build(*chart, owner);
  const std::string path = dir + "/" + scene.name + ".png";
  if (!RenderChartToFile(*chart, scene.width, scene.height, path, ImageFormat::Png)) return false;
  std::cout << path << '\n';
  return true;
}

}  // namespace
}  // namespace tokiwa::gallery

int main(int argc, char** argv) {
  using namespace tokiwa::gallery;
  // Without a display the pictures are still wanted.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  const std::string dir = argc > 1 ? argv[1] : "gallery";
  QDir().mkpath(QString::fromStdString(dir));
  int failed = 0;
  for (const Scene& scene : Scenes()) {
    if (!Wanted(scene, argc, argv)) continue;
    if (!Render(scene, dir)) {
      std::cerr << scene.name << ": not rendered\n";
      ++failed;
    }
  }
  return failed ? 1 : 0;
}
