#pragma once
// The program's own texts: every caption and message lives here, not as a literal
// at its point of use. Texts with %s / %d / %0:s are formats for FormatText().
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tokiwa::msg {

// Class library
inline constexpr std::string_view ListIndexError = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (%d)";
inline constexpr std::string_view FileOpenError = "ﾌｧｲﾙ %s は開けません";
inline constexpr std::string_view FileCreateError = "ﾌｧｲﾙ %s を作成できません";
inline constexpr std::string_view WriteError = "%s に書き込めません";
inline constexpr std::string_view InvalidDateTime = "'%s' は日付または時刻ではありません";
inline constexpr std::string_view InvalidDateEncode = "日付のエンコードに対する引数が無効です";
inline constexpr std::string_view InvalidTimeEncode = "時刻のエンコードに対する引数が無効です";
inline constexpr std::string_view InvalidDateTimeValue = "%s は有効な日付時刻の値ではありません";
inline constexpr std::string_view CannotAssign = "%s を %s に代入できません";
// Limits of the grid text loader
inline constexpr std::string_view NotRegularFile = "%s は通常のﾌｧｲﾙではありません";
inline constexpr std::string_view FileReadError = "ﾌｧｲﾙ %s を読み込めません";
inline constexpr std::string_view FileTooLarge = "ﾌｧｲﾙ %s は大きすぎます (上限 %d MB)";
inline constexpr std::string_view TooManyColumns = "ﾌｧｲﾙ %s の列が多すぎます (上限 %d 列)";
inline constexpr std::string_view TooManyRows = "ﾌｧｲﾙ %s の行が多すぎます (この大きさのﾌｧｲﾙでは上限 %d 行)";
inline constexpr std::string_view TooManyCells = "ﾌｧｲﾙ %s のｾﾙが多すぎます (上限 %d ｾﾙ)";
inline constexpr std::string_view FilesTooLarge = "選択したﾌｧｲﾙは合わせて大きすぎます (上限 %d MB)";

// Chart engine string table
inline constexpr std::string_view NoParentForDataSource =
    "DataSource を確認するための ParentChart が指定されていません。";
inline constexpr std::string_view InvalidDataSource = "DataSource %s が正しくありません。";
inline constexpr std::string_view CircularSource = "系列の循環参照は許されません";
inline constexpr std::string_view SampleCountTooSmall =
    "FillSampleValues の引数は１以上でなければなりません。";
inline constexpr std::string_view NegativePeriod = "関数の計算間隔は 0 以上でなければなりません";
inline constexpr std::string_view Chart3DPercentRange =
    "３次元効果の割合は %d から %d の間でなければなりません";
inline constexpr std::string_view NegativeMaxPointsPerPage =
    "MaxPointsPerPage は 0 以上でなければなりません";
inline constexpr std::string_view AxisMinAboveMax = "軸の最小値は最大値以下でなければなりません";   // 65343
inline constexpr std::string_view AxisMaxBelowMin = "軸の最大値は最小値以上でなければなりません";   // 65312
inline constexpr std::string_view NegativeIncrement = "軸の増加単位は 0 以上でなければなりません";  // 65342
inline constexpr std::string_view NegativeLabelsSeparation = "ﾗﾍﾞﾙの間隔は 0 以上でなければなりません";  // 65341
inline constexpr std::string_view LogDateTimeAxis = "日付時刻軸を対数軸にすることはできません";  // 65339
inline constexpr std::string_view LogNegativeRange = "対数軸の最大/最小値は 0 以上でなければなりません";  // 65340
inline constexpr std::string_view AngleRange = "%sの角度は 0 から 359 の間でなければなりません";  // 65338
inline constexpr std::string_view AxisLabelsWord = "軸ﾗﾍﾞﾙ";  // 65322
inline constexpr std::string_view AxisTitleWord = "軸ﾀｲﾄﾙ";   // 65321
inline constexpr std::string_view RotationWord = "回転";       // 65298
inline constexpr std::string_view LegendTopPosRange = "凡例の上端は 0 から 100% の間でなければなりません";  // 65332
inline constexpr std::string_view LegendFirstValue = "凡例の開始値は１以上でなければなりません。";  // 65333
inline constexpr std::string_view LegendColorWidthRange =
    "凡例のﾏｰｶの幅は 0 から 100% の間でなければなりません";  // 65334
inline constexpr std::string_view PointerSize = "ﾎﾟｲﾝﾀの大きさは 1 以上でなければなりません";
inline constexpr std::string_view BarWidthRange = "棒の幅は 1% から 100% でなければなりません";
inline constexpr std::string_view BarOffsetRange = "棒の位置は -100% から 100% でなければなりません";
inline constexpr std::string_view DefaultValueFormat = "#,##0.###";  // 65320
inline constexpr std::string_view DefaultPercentFormat = "##0.## %";  // 65319
inline constexpr std::string_view PercentOfTotal = "%1:s の %0:s";    // 65318
inline constexpr std::string_view DefaultFontName = "ＭＳ Ｐ明朝";     // 65264
inline constexpr std::string_view DefaultFontSize = "9";             // 65288
// Legend and series titles
inline constexpr std::string_view SeriesTitlePrefix = "Series ";  // followed by the item number
inline constexpr std::string_view UnknownSeriesTitle = "?";

// Series gallery and functions
inline constexpr std::string_view GalleryStandard = "標準";
inline constexpr std::string_view GalleryFunctions = "関数";
inline constexpr std::string_view GalleryGantt = "ｶﾞﾝﾄ";
inline constexpr std::string_view GalleryLine = "ﾘﾎﾞﾝ";
inline constexpr std::string_view GalleryBar = "縦棒";
inline constexpr std::string_view GalleryHorizBar = "横棒";
inline constexpr std::string_view GalleryArea = "面";
inline constexpr std::string_view GalleryPoint = "散布図";
inline constexpr std::string_view GalleryPie = "円";
inline constexpr std::string_view GalleryFastLine = "折れ線";
inline constexpr std::string_view FunctionAdd = "和";
inline constexpr std::string_view FunctionSubtract = "差分";
inline constexpr std::string_view FunctionMultiply = "積";
inline constexpr std::string_view FunctionDivide = "商";
inline constexpr std::string_view FunctionHigh = "最大";
inline constexpr std::string_view FunctionLow = "最小";
inline constexpr std::string_view FunctionAverage = "平均値";
inline constexpr std::string_view GanttSampleLabels[10] = {
    "Design", "Prototyping", "Development", "Sales", "Marketing",
    "Testing", "Manufac.", "Debugging", "New Version", "Banking"};
inline constexpr std::string_view PieSampleLabels[8] = {
    "Cars", "Phones", "Tables", "Monitors", "Lamps", "Keyboards", "Bikes", "Chairs"};

// Viewer
inline constexpr std::string_view AppTitle = "Tokiwa";
inline constexpr std::string_view SingleInstanceName = "TOKIWASINGLE!!";
inline constexpr std::string_view MenuFolder = "フォルダ(&F)";
inline constexpr std::string_view MenuOpen = "開く...";
inline constexpr std::string_view MenuExit = "終了";
inline constexpr std::string_view MenuOption = "オプション(&O)";
inline constexpr std::string_view MenuRestore = "非表示を解除する";
inline constexpr std::string_view MenuShowAll = "非表示リストを無視";
inline constexpr std::string_view MenuRenew = "ログ最新取得(&R)";
inline constexpr std::string_view MenuHide = "非表示";
inline constexpr std::string_view FolderDialogTitle = "フォルダを選択して下さい";
inline constexpr std::string_view HeaderDate = " 日付";
inline constexpr std::string_view HeaderTime = " 時刻";
inline constexpr std::string_view HeaderFile = " ﾌｧｲﾙ";
inline constexpr std::string_view HeaderPath = " ﾊﾟｽ";
inline constexpr std::string_view ChartTitle = "プログラム起動状況";
inline constexpr std::string_view FootFileName = "[ﾌｧｲﾙ名]";
inline constexpr std::string_view FootFileNamePrefix = "[ﾌｧｲﾙ名] ";
inline constexpr std::string_view FootPeriodPrefix = "[実行期間] ";
inline constexpr std::string_view FootPeriodSeparator = " ～ ";
inline constexpr std::string_view IdeographicSpace = "\u3000";
inline constexpr std::string_view SystemRunLabel = "system";
inline constexpr std::string_view TimelineTitleFont = "ＭＳ Ｐ明朝";
inline constexpr std::string_view TimelineUiFont = "MS UI Gothic";
inline constexpr std::string_view TimeAxisFont = "Times New Roman";
inline constexpr std::string_view TimeAxisFormat = "m/dd h:mm";
inline constexpr std::string_view MessageOfLog = "%s: %s";
// Viewer: following the logs and the totals per program
inline constexpr std::string_view MenuFollow = "自動更新";
inline constexpr std::string_view MenuSummary = "集計";
inline constexpr std::string_view SummaryTitle = "集計";
inline constexpr std::string_view SummaryColumns[8] = {"ﾌｧｲﾙ", "ﾊﾟｽ", "回数", "合計時間",
                                                      "最長", "最初の起動", "最後の終了", "終了推定"};
inline constexpr std::string_view SummaryEndInferred = "○";
inline constexpr std::string_view SummaryDateTimeFormat = "yyyy/mm/dd hh:nn:ss";
inline constexpr std::string_view SummaryCopy = "コピー";
inline constexpr std::string_view SummarySave = "CSV で保存...";
inline constexpr std::string_view SummaryClose = "閉じる";
inline constexpr std::string_view SummarySaveTitle = "集計を CSV で保存";
inline constexpr std::string_view SummarySaveFilter = "CSV (*.csv)";
// Viewer: reading the chart (row names, details on hover, saving the picture)
inline constexpr std::string_view MenuRowLabels = "プログラム名を表示";
inline constexpr std::string_view MenuSaveImage = "画像として保存...";
inline constexpr std::string_view SaveImageTitle = "画像として保存";
inline constexpr std::string_view ImageFilterPng = "PNG 画像 (*.png)";
inline constexpr std::string_view ImageFilterSvg = "SVG 画像 (*.svg)";
inline constexpr std::string_view ImageFilterPdf = "PDF 文書 (*.pdf)";
inline constexpr std::string_view SystemRowName = "システム";
inline constexpr std::string_view ElidedTail = "…";
inline constexpr std::string_view DetailStart = "開始 ";
inline constexpr std::string_view DetailEnd = "終了 ";
inline constexpr std::string_view DetailLength = "実行時間 ";
inline constexpr std::string_view EndedAtShutdown = "シャットダウン時に実行中";
inline constexpr std::string_view EndedBeforeNextStart = "終了行なし: 次の起動の直前まで";
inline constexpr std::string_view EndedWithLog = "終了行なし: ログの最後まで";
inline constexpr std::string_view UnknownImageFormat =
    "出力ファイル %s の形式が分かりません (拡張子は .png、.svg、.pdf のどれかにしてください)";
// Viewer: error display and command line
inline constexpr std::string_view UnknownError = "不明なエラーが発生しました";
inline constexpr std::string_view CloseRefused = "原因を取り除いてから、もう一度閉じてください。";
inline constexpr std::string_view ClosedWithoutSaving = "保存できなかった内容は失われます。終了します。";
inline constexpr std::string_view UnknownOption = "不明なオプションです: %s";
inline constexpr std::string_view MissingOptionValue = "オプション %s には値が必要です";
inline constexpr std::string_view OptionsExclusive = "オプション %s と %s は一緒に使えません";
inline constexpr std::string_view OptionNeedsFileMode =
    "オプション %s は --export, --render, --summary のどれかと一緒に使います";
inline constexpr std::string_view OptionNeedsRender = "オプション %s は --render と一緒に使います";
inline constexpr std::string_view OutputIsInput = "出力ファイル %s は入力ファイルと同じです";
inline constexpr std::string_view StandardOutput = "標準出力";
inline constexpr std::string_view RenderNeedsOutput = "--render には -o で出力ファイルを指定してください";
inline constexpr std::string_view BadImageSize = "画像の大きさ %s は 幅x高さ (それぞれ 1 から %d) で指定してください";
inline constexpr std::string_view Usage =
    "使い方:\n"
    "  tokiwa [フォルダ]\n"
    "      ビューアを開き、フォルダのログファイルを一覧します。\n"
    "  tokiwa --export ログファイル... [--hidden-list リスト] [--show-all]\n"
    "      ログの棒を UTF-8 の CSV で標準出力に書きます。見出し行は\n"
    "      index,start,end,row,colour,label で、1 行が 1 本の棒です (開始順)。\n"
    "  tokiwa --render ログファイル... -o 出力.png [--size 幅x高さ] [--hidden-list リスト] [--show-all]\n"
    "      ウィンドウと同じチャートを画像に描きます (既定の大きさ 800x500)。形式は出力\n"
    "      ファイルの拡張子で選びます: .png (拡張子なしも)、.svg、.pdf。\n"
    "  tokiwa --summary ログファイル... [--hidden-list リスト] [--show-all]\n"
    "      プログラムごとの集計を UTF-8 の CSV で標準出力に書きます。見出し行は\n"
    "      file,folder,runs,total,longest,first_start,last_end,end_inferred で、\n"
    "      長さは秒、end_inferred は終了行のない実行があれば 1 です。\n"
    "  tokiwa --screenshot 出力.png [--select-first] [フォルダ]\n"
    "      ウィンドウの画像を保存して終わります。\n"
    "  tokiwa --help\n"
    "      この説明を表示します。\n"
    "  tokiwa --version\n"
    "      バージョンを表示します。\n"
    "\n"
    "オプション:\n"
    "  --hidden-list リスト  非表示リストのファイル (既定はビューア自身の非表示リスト)\n"
    "  --show-all            非表示リストを無視します (F4 と同じ)\n"
    "  --select-first        一覧の最初のログを読み込みます\n"
    "\n"
    "ログファイルを複数指定すると、ウィンドウで複数選択したときと同じく\n"
    "1 本の時間軸にまとめます (各ファイルの最初の日時の順)。\n"
    "--export, --render, --summary はウィンドウを開かず、起動中のビューアとも同時に使えます。\n"
    "\n"
    "終了コード:\n"
    "  0   成功\n"
    "  1   ログファイルまたは非表示リストを開けない\n"
    "  2   日付または時刻の読めない行があった (その行より前の棒は出力済み)\n"
    "  64  コマンドラインの誤り (-o が入力ファイルと同じ場合、分からない拡張子の場合も)\n"
    "  73  出力ファイルを作成できない (元のファイルはそのまま)\n"
    "  74  標準出力に書き込めない\n";
// Rendering a chart into an image file
inline constexpr std::string_view NoGuiApplication = "画像を描くための GUI アプリケーションがありません";
inline constexpr std::string_view InvalidImageSize = "画像の大きさ %d × %d は正しくありません";

}  // namespace tokiwa::msg

namespace tokiwa {

using FormatArg = std::variant<std::string, long long, double>;

// Fills a message format: %s and %d take the next argument, %N:s / %N:d take
// argument N, %% is a percent sign. Missing arguments leave the directive as is.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

inline FormatArg Arg(std::string_view s) { return FormatArg(std::string(s)); }
inline FormatArg Arg(const char* s) { return FormatArg(std::string(s)); }
inline FormatArg Arg(long long v) { return FormatArg(v); }
inline FormatArg Arg(int v) { return FormatArg(static_cast<long long>(v)); }

}  // namespace tokiwa
