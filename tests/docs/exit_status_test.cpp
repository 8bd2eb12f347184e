// Each program's exit statuses have one home, its table; every document
// that lists them must state each status of the table and none besides.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "player/exit_statuses.h"
#include "player/stop_signals.h"
#include "tools/dxsim/dxsim_exit_statuses.h"

namespace dx {
namespace {

using Lines = std::vector<std::string>;

Lines FileLines(const std::string& relative_path) {
  std::ifstream in(std::string(DX_SOURCE_DIR) + "/" + relative_path, std::ios::binary);
  Lines lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool StartsWith(const std::string& line, std::string_view prefix) { return line.rfind(prefix, 0) == 0; }

// The lines from the first that starts with `begin` (after the first that
// starts with `after`, when given) up to the first for which `ends` holds.
Lines Section(const Lines& lines, std::string_view after, std::string_view begin,
              const std::function<bool(const Lines&, std::size_t)>& ends) {
  std::size_t i = 0;
  while (!after.empty() && i < lines.size() && !StartsWith(lines[i], after)) ++i;
  while (i < lines.size() && !StartsWith(lines[i], begin)) ++i;
  Lines section;
  for (std::size_t j = i; j < lines.size() && (j == i || !ends(lines, j)); ++j) section.push_back(lines[j]);
  return section;
}

std::set<int> Numbers(const std::string& text, const std::regex& pattern = std::regex(R"(\b(\d+)\b)")) {
  std::set<int> out;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) out.insert(std::stoi((*it)[1]));
  return out;
}

// The statuses that open an entry: a man page's tagged paragraphs, a table
// column of a README, the manual's indented list or its "N what" prose.
enum class Form { ManPage, FirstColumn, LastColumn, Manual };

std::set<int> Entries(const Lines& section, Form form) {
  std::set<int> out;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const std::string& line = section[i];
    std::set<int> found;
    if (form == Form::ManPage && i > 0 && section[i - 1] == ".TP") found = Numbers(line);
    if ((form == Form::FirstColumn || form == Form::LastColumn) && StartsWith(line, "|")) {
      const std::size_t first = line.find('|', 1);
      const std::size_t last = line.rfind('|', line.size() - 2);
      found = Numbers(form == Form::FirstColumn ? line.substr(0, first) : line.substr(last));
    }
    if (form == Form::Manual) found = Numbers(line, std::regex(R"((?:^ +|Exit status: |, )(\d+) )"));
    out.insert(found.begin(), found.end());
  }
  return out;
}

bool NextSectionHeader(const Lines& lines, std::size_t i, std::string_view header) { return StartsWith(lines[i], header); }
bool BlankLine(const Lines& lines, std::size_t i) { return lines[i].empty(); }
// A blank line before a paragraph that is no part of the list.
bool ParagraphAfter(const Lines& lines, std::size_t i) {
  return lines[i].empty() && i + 1 < lines.size() && !lines[i + 1].empty() && lines[i + 1][0] != ' ';
}

std::set<int> DxplayStatuses() {
  std::set<int> out(std::begin(kDxplayExitStatuses), std::end(kDxplayExitStatuses));
  for (const int s : kStopSignals) out.insert(ExitStatusOfSignal(s));
  return out;
}

std::set<int> DxsimStatuses() { return {std::begin(dxsim::kExitStatuses), std::end(dxsim::kExitStatuses)}; }

TEST(ExitStatuses, EveryDocumentStatesTheProgramsTable) {
  const auto man_end = [](const Lines& l, std::size_t i) { return NextSectionHeader(l, i, ".SH "); };
  const auto readme_end = [](const Lines& l, std::size_t i) { return NextSectionHeader(l, i, "## "); };
  const struct Case {
    const char* file;
    std::string_view after, begin;
    std::function<bool(const Lines&, std::size_t)> ends;
    Form form;
    std::set<int> statuses;
  } cases[] = {
      {"docs/dxplay.1", "", ".SH EXIT STATUS", man_end, Form::ManPage, DxplayStatuses()},
      {"tools/dxplay/README.md", "", "## Exit status", readme_end, Form::FirstColumn, DxplayStatuses()},
      {"docs/dorvaxil.txt", "14. ", "Exit status:", ParagraphAfter, Form::Manual, DxplayStatuses()},
      {"docs/dxsim.1", "", ".SH EXIT STATUS", man_end, Form::ManPage, DxsimStatuses()},
      {"tools/dxsim/README.md", "", "| Line | Exit status |", BlankLine, Form::LastColumn, DxsimStatuses()},
      {"docs/dorvaxil.txt", "12. ", "Exit status:", ParagraphAfter, Form::Manual, DxsimStatuses()},
  };
  for (const Case& c : cases) {
    const Lines section = Section(FileLines(c.file), c.after, c.begin, c.ends);
    std::string text;
    for (const std::string& line : section) text += line + "\n";
    const std::set<int> mentioned = Numbers(text);
    for (const int status : c.statuses) EXPECT_TRUE(mentioned.count(status)) << c.file << " does not state " << status;
    for (const int entry : Entries(section, c.form)) {
      EXPECT_TRUE(c.statuses.count(entry)) << c.file << " states " << entry << ", which is no exit status";
    }
    EXPECT_FALSE(Entries(section, c.form).empty()) << c.file << ": no exit statuses found";
  }
}

}  // namespace
}  // namespace dx
