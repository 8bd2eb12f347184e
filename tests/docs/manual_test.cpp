// The manual promises what its examples do; these tests run every example
// through the engine on the simulated desktop and compare the outcome with
// the manual's "=>" lines, so the manual cannot drift from the program.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/integer_rule.h"
#include "base/script_error.h"
#include "engine/run_script.h"
#include "scriptfile/script_file.h"
#include "sim/memory_file_system.h"
#include "sim/sim_log.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"
#include "tools/dxsim/run_words.h"

namespace dx {
namespace {

constexpr int kScreenWidth = sim_defaults::kScreenWidth;
constexpr int kScreenHeight = sim_defaults::kScreenHeight;
constexpr std::size_t kMostColumns = 80;
constexpr std::string_view kIndent = "    ";

std::string ManualBytes() {
  std::ifstream in(DX_MANUAL, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> ManualLines() {
  const std::string bytes = ManualBytes();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  return lines;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
}

struct Example {
  int first_line = 0;  // 1-based, in the manual
  std::vector<std::string> setup;
  std::vector<std::string> code;
  std::string effects;
};

enum class LineKind { Setup, Code, Effects, Other };

// The indented shapes of an example block: "with ...", "| code", "=> ...".
LineKind KindOf(const std::string& line, std::string& body) {
  if (!StartsWith(line, kIndent)) return LineKind::Other;
  const std::string_view rest = std::string_view(line).substr(kIndent.size());
  struct Shape {
    std::string_view prefix;
    LineKind kind;
  };
  for (const Shape& s : {Shape{"with ", LineKind::Setup}, Shape{"| ", LineKind::Code}, Shape{"=> ", LineKind::Effects}}) {
    if (StartsWith(rest, s.prefix)) {
      body = std::string(rest.substr(s.prefix.size()));
      return s.kind;
    }
  }
  if (rest == "|") {
    body.clear();
    return LineKind::Code;
  }
  return LineKind::Other;
}

std::vector<Example> ManualExamples() {
  std::vector<Example> examples;
  bool open = false;
  const std::vector<std::string> lines = ManualLines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string body;
    const LineKind kind = KindOf(lines[i], body);
    if (kind == LineKind::Other) {
      open = false;
      continue;
    }
    if (!open) examples.push_back({static_cast<int>(i + 1), {}, {}, {}});
    open = true;
    Example& ex = examples.back();
    // An error message quotes the line, so "=>" lines show blanks as code does.
    ReplaceAll(body, "<SP>", " ");
    ReplaceAll(body, "<TAB>", "\t");
    switch (kind) {
      case LineKind::Setup: ex.setup.push_back(body); break;
      case LineKind::Code: ex.code.push_back(body); break;
      case LineKind::Effects: ex.effects += (ex.effects.empty() ? "" : " ") + body; break;
      case LineKind::Other: break;
    }
  }
  return examples;
}

// What an example's "with" lines set up before the run.
struct Setup {
  int64_t max_lines = 10000;
};

std::pair<std::string, std::string> SplitAt(const std::string& text, char sep) {
  const std::size_t at = text.find(sep);
  if (at == std::string::npos) return {text, {}};
  return {text.substr(0, at), text.substr(at + 1)};
}

Setup ApplySetup(const std::vector<std::string>& lines, SimMainWindow& window, SimPlatform& platform) {
  Setup setup;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    std::string what, a, eq, b;
    in >> what >> a >> eq >> b;
    if (what == "location" && eq == "=") {
      const auto [x, y] = SplitAt(b, ',');
      window.SetLocation(StrToInt(a), x, y);
    } else if (what == "key" && eq == "=") {
      window.SetKeySlot(StrToInt(a), b);
    } else if (what == "pixel" && eq == "=") {
      const auto [x, y] = SplitAt(a, ',');
      platform.SetPixel(StrToInt(x), StrToInt(y), static_cast<uint32_t>(StrToInt(b)));
    } else if (what == "at" && a == "most") {
      setup.max_lines = StrToInt(eq);
    } else {
      ADD_FAILURE() << "unknown set-up line: with " << line;
    }
  }
  return setup;
}

std::string RunExample(const Example& ex) {
  SimLog log;
  SimMainWindow window(log);
  SimPlatform platform(log);
  platform.SetScreenSize(kScreenWidth, kScreenHeight);
  platform.SetClock(1000, 1);  // one millisecond a read: a wait's reads tell its length
  const Setup setup = ApplySetup(ex.setup, window, platform);
  window.SetCodeLines(ex.code);
  std::string ending;
  try {
    switch (window.ClickGo(platform, RunOptions{setup.max_lines})) {
      case RunOutcome::Ended: ending = "end"; break;
      case RunOutcome::LineBoundReached: ending = "..."; break;
      case RunOutcome::NotStarted: ending = "not started"; break;
    }
  } catch (const ScriptError& e) {
    ending = "error " + FullStopMessage(e.what());
  }
  return RunInWords(log.Events(), ending, kScreenWidth, kScreenHeight);
}

TEST(Manual, EveryExampleDoesWhatTheManualSays) {
  const std::vector<Example> examples = ManualExamples();
  EXPECT_GE(examples.size(), 30u) << "the examples are no longer found";
  for (const Example& ex : examples) {
    SCOPED_TRACE("example at line " + std::to_string(ex.first_line) + " of dorvaxil.txt");
    ASSERT_FALSE(ex.code.empty());
    ASSERT_FALSE(ex.effects.empty());
    EXPECT_EQ(RunExample(ex), ex.effects);
  }
}

// The file shown in the chapter on .dxs files is byte for byte one that
// Dorvaxil writes: reading it and saving it again changes nothing.
TEST(Manual, ShowsTheScriptFileAsItIsSaved) {
  std::string shown;
  bool inside = false;
  for (const std::string& line : ManualLines()) {
    inside = inside || line == "  Dorvaxil script";
    if (!inside) continue;
    if (StartsWith(line, "  * ")) break;
    shown += line.substr(std::min(line.size(), std::size_t{2})) + "\r\n";
  }
  while (shown.ends_with("\r\n\r\n")) shown.resize(shown.size() - 2);
  ASSERT_FALSE(shown.empty()) << "the file in the manual is no longer found";
  MemoryFileSystem files;
  files.files["shown.dxs"] = shown;
  ScriptDocument document;
  ReadScriptFile("shown.dxs", document, files);
  WriteScriptFile(document, "saved.dxs", files);
  EXPECT_EQ(files.files["saved.dxs"], shown);
}

// Notepad shows it as written: CR LF line ends, plain ASCII, 80 columns.
TEST(Manual, ReadsInNotepadAtEightyColumns) {
  const std::string bytes = ManualBytes();
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  int line = 1;
  std::size_t column = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    SCOPED_TRACE("line " + std::to_string(line));
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "CR without LF";
      continue;
    }
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF without CR";
      ++line;
      column = 0;
      continue;
    }
    ASSERT_TRUE(c >= 32 && c < 127) << "not printable ASCII: " << int{c};
    ASSERT_LE(++column, kMostColumns);
  }
}

}  // namespace
}  // namespace dx
