// Every caption, header and foot text of the window, written out as users
// read them, so that a slip in the program's texts shows here.
#include <QAction>
#include <QMenu>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/file_list_box.h"
#include "series/gantt_series.h"
#include "tests/app/form_fixture.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

std::string Caption(const QAction* item) { return item->isSeparator() ? "-" : item->text().toStdString(); }

TEST(WindowTexts, EveryCaptionHeaderAndFootTextReadsAsDesigned) {
  const std::pair<const char*, const char*> kTexts[] = {
      {"window", "Tokiwa"},
      {"Folder1", "フォルダ(&F)"},
      {"mnOpen", "開く..."},
      {"mnExit", "終了"},
      {"mnOption", "オプション(&O)"},
      {"mnReact", "非表示を解除する"},
      {"N3", "-"},
      {"mnAllDisp", "非表示リストを無視"},
      {"mnRenew", "ログ最新取得(&R)"},
      {"mnIgno", "非表示"},
      {"mnSaveImage", "画像として保存..."},
      {"mnRowLabels", "プログラム名を表示"},
      {"folder dialog", "フォルダを選択して下さい"},
      {"header 0", ""},
      {"header 1", " 日付"},
      {"header 2", " 時刻"},
      {"header 3", " ﾌｧｲﾙ"},
      {"header 4", " ﾊﾟｽ"},
      {"foot at start", "[ﾌｧｲﾙ名]\r\n\u3000"},  // an ideographic space
      {"foot after a load", "[ﾌｧｲﾙ名]\r\n\u3000"},
      {"foot after a click", "[ﾌｧｲﾙ名] C:\\T\\a.exe\r\n[実行期間] 2024/04/15 8:10:00 ～ 2024/04/15 9:00:00"},
      {"foot after F5", "[ﾌｧｲﾙ名] \r\n\u3000"},
  };

  FormFixture f;
  const std::string folder = f.dir.File("logs");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/day.log", LogBytes({{"vvv", "2024/04/15", "8:00:00", "", ""},
                                            {"C", "2024/04/15", "8:10:00", "a.exe", "C:\\T"},
                                            {"###", "2024/04/15", "9:00:00", "", ""}}));
  TForm1& form = f.Create(false);
  std::map<std::string, std::string> shown;
  const auto foot = [&](const std::string& when) {
    const std::vector<std::string> lines = form.Chart1->Foot().Text();
    ASSERT_EQ(lines.size(), 2u) << when;
    shown[when] = lines[0] + "\r\n" + lines[1];
  };

  shown["window"] = form.windowTitle().toStdString();
  const std::pair<const char*, const QAction*> items[] = {
      {"Folder1", form.Folder1->menuAction()}, {"mnOpen", form.mnOpen}, {"mnExit", form.mnExit},
      {"mnOption", form.mnOption->menuAction()}, {"mnReact", form.mnReact->menuAction()}, {"N3", form.N3},
      {"mnAllDisp", form.mnAllDisp}, {"mnRenew", form.mnRenew}, {"mnIgno", form.mnIgno},
      {"mnSaveImage", form.mnSaveImage}, {"mnRowLabels", form.mnRowLabels}};
  for (const auto& [name, item] : items) shown[name] = Caption(item);
  form.ChooseFolder = [&](QWidget*, const QString& title, const QString&) {
    shown["folder dialog"] = title.toStdString();
    return QString::fromStdString(folder);
  };
  form.mnOpenClick();
  foot("foot at start");

  form.SelectFirstLog();
  for (int col = 0; col < 5; ++col) shown["header " + std::to_string(col)] = form.Grid().Cells(col, 0);
  foot("foot after a load");
  form.Series1Click(form.Series1, 1, TMouseButton::mbLeft, {}, 0, 0);
  foot("foot after a click");
  form.mnRenewClick();
  foot("foot after F5");

  for (const auto& [where, text] : kTexts) EXPECT_EQ(shown[where], text) << where;
  EXPECT_EQ(shown.size(), std::size(kTexts));
}

}  // namespace
}  // namespace tokiwa::testing
