#pragma once
// The example gallery: named charts built in code and rendered to PNG files
// through the headless host. Each gallery_*.cpp adds its scenes with a
// file-scope RegisterScenes object; the program renders them all.
#include <functional>
#include <string>
#include <vector>

namespace tokiwa {
class TChart;
class TComponent;
}  // namespace tokiwa

namespace tokiwa::gallery {

struct Scene {
  std::string name;  // the PNG's file name without ".png"
  int width = 640;
  int height = 400;
  // Fills the chart; series are created with `owner` so they die with it.
  std::function<void(TChart& chart, TComponent& owner)> build;
};

std::vector<Scene>& Scenes();

struct RegisterScenes {
  explicit RegisterScenes(std::vector<Scene> scenes);
};

}  // namespace tokiwa::gallery
