#include "checker/script_walk.h"

#include <algorithm>

#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "base/script_error.h"

namespace dx::check {
namespace {

Command CloserOf(Command opener) { return opener == Command::Loop ? Command::EndLoop : Command::Until; }

}  // namespace

std::string ScriptWalk::Folded(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return AsciiUpper(name);
}

void ScriptWalk::Open(const CodeLine& line, Command opener) {
  (opener == Command::Loop ? loops_ : repeats_).push_back(blocks_.size());
  blocks_.push_back({opener, line.number, line.ColumnOf(line.stripped)});
}

void ScriptWalk::DropClosedTop() {
  while (!blocks_.empty() && blocks_.back().closed) blocks_.pop_back();
}

int ScriptWalk::Close(const CodeLine& line, Command opener) {
  std::vector<std::size_t>& open = opener == Command::Loop ? loops_ : repeats_;
  if (open.empty()) {
    findings_.At(line, line.stripped, Rule::NoOpenBlock,
                 WithFullStop(NoOpenBlockMessage(line.stripped, CommandName(opener))).Bytes());
    return 0;
  }
  const std::size_t index = open.back();
  open.pop_back();
  Block& block = blocks_[index];
  if (index + 1 != blocks_.size()) {
    const Block& inner = blocks_.back();
    findings_.At(line, line.stripped, Rule::CrossedBlocks,
                 "this closes the " + Name(opener) + " of " + LineName(block.line) + " while the " +
                     Name(inner.opener) + " of " + LineName(inner.line) +
                     " is still open; the highlight goes out of step with the run",
                 "close the " + Name(inner.opener) + " block first");
  }
  block.closed = true;
  if (block.endscript != 0) {
    findings_.At(line, line.stripped, Rule::ClosedAfterEndScript,
                 "this closes the " + Name(opener) + " block of " + LineName(block.line) + " after the " +
                     Name(Command::EndScript) + " on " + LineName(block.endscript) +
                     ", which ends the run in the block's first pass, so the block never repeats",
                 "move the " + Name(Command::EndScript) + " line below this one");
  }
  DropClosedTop();
  return block.line;
}

// Longer names are not looked at for near misses: the keys of a name grow
// with the square of its length.
constexpr std::size_t kLongestNearName = 32;

void ScriptWalk::Declare(const CodeLine& line, std::string_view name) {
  if (!declared_.insert(std::string(name)).second) return;
  const std::string folded = Folded(name);
  const bool end_blanks = !name.empty() && name.back() == ' ';
  folded_.emplace(folded, Declared{std::string(name), line.number,
                                   end_blanks ? std::string(TrimRight(line.raw)) : std::string()});
  if (folded.size() <= kLongestNearName) {
    for (std::size_t i = 0; i < folded.size(); ++i) near_.emplace(folded.substr(0, i) + folded.substr(i + 1), name);
  }
  if (name.find(' ') != std::string_view::npos) return;  // no use as a suggested operand
  latest_[1] = std::move(latest_[0]);
  latest_[0] = std::string(name);
}

std::string_view ScriptWalk::DeclaredNameBesides(std::string_view other) const {
  return latest_[0] != other ? latest_[0] : latest_[1];
}

std::string_view ScriptWalk::NearName(std::string_view name) const {
  const std::string folded = Folded(name);
  if (folded.size() > kLongestNearName) return {};
  std::vector<std::string_view> candidates;
  if (const auto it = near_.find(folded); it != near_.end()) candidates.push_back(it->second);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const std::string key = folded.substr(0, i) + folded.substr(i + 1);
    if (const auto it = folded_.find(key); it != folded_.end()) candidates.push_back(it->second.name);
    if (const auto it = near_.find(key); it != near_.end()) candidates.push_back(it->second);
  }
  for (const std::string_view candidate : candidates) {
    if (OneEditApart(folded, Folded(candidate))) return candidate;
  }
  return {};
}

void ScriptWalk::ReportSimilar(const CodeLine& line, std::string_view name, const Declared& similar) {
  std::string message = "'" + std::string(name) + "' is not declared; names are compared byte for byte, and " +
                        Name(Command::Long) + " declared '" + similar.name + "'";
  Suggestion hint;
  if (!similar.line_without_end_blanks.empty() && TrimRight(similar.name) == name) {
    // A name that ends in a blank cannot be written where a blank ends the
    // name: the declaration is what to change.
    message += " with a blank at its end on " + LineName(similar.line);
    hint = Suggestion("delete the blank at the end of " + LineName(similar.line) + ", so that it reads '" +
                          similar.line_without_end_blanks + "'",
                      {similar.line, similar.line_without_end_blanks});
  } else if (TrimRight(name) == similar.name) {
    hint = DeleteBlanksAround(line, name);
  } else {
    hint = DidYouMean(line, line.Rewritten(name, similar.name));
  }
  findings_.At(line, name, Rule::VariableNameMismatch, std::move(message), std::move(hint));
}

bool ScriptWalk::CheckDeclared(const CodeLine& line, std::string_view name, std::string_view consequence) {
  if (declared_.count(std::string(name)) != 0) return true;
  if (const auto similar = folded_.find(Folded(name)); similar != folded_.end()) {
    ReportSimilar(line, name, similar->second);
    return false;
  }
  const std::string_view near = NearName(name);
  findings_.At(
      line, name, Rule::UndeclaredVariable,
      "no earlier " + Name(Command::Long) + " declares '" + std::string(name) + "'; " + std::string(consequence),
      near.empty() ? Suggestion() : DidYouMean(line, line.Rewritten(name, near)));
  return false;
}

bool ScriptWalk::ReadSince(std::string_view name, int line) const {
  const auto it = last_read_.find(std::string(name));
  return it != last_read_.end() && it->second > line;
}

void ScriptWalk::Press(const CodeLine& line, uint32_t id, std::string what) {
  held_.try_emplace(id, Held{line.number, line.ColumnOf(line.stripped), std::move(what)});
}

void ScriptWalk::EndScript(const CodeLine& line) {
  for (Block& block : blocks_) {
    if (block.closed || block.endscript != 0) continue;
    block.endscript = line.number;
    block.endscript_column = line.ColumnOf(line.stripped);
  }
}

void ScriptWalk::Finish(int last_line) {
  int endscript_told = 0;  // one finding for an ENDSCRIPT inside several blocks
  for (const Block& block : blocks_) {
    if (block.closed) continue;
    const std::string closer =
        Name(CloserOf(block.opener)) + (block.opener == Command::Repeat ? " (or " + Name(Command::UntilNe) + ")" : "");
    // Its end belongs where the block's lines end: before the ENDSCRIPT
    // that would otherwise end the run inside it, else at the latest
    // behind the script's last line.
    const std::string where = block.endscript != 0
                                  ? "above the " + Name(Command::EndScript) + " on " + LineName(block.endscript)
                                  : "behind the block's last line (at the latest behind " + LineName(last_line) + ")";
    findings_.Add(block.line, block.column, Rule::UnclosedBlock,
                  "this " + Name(block.opener) + " block is still open at the end of the script",
                  "close it with " + closer + " " + where);
    if (block.endscript != 0 && block.endscript != endscript_told) {
      endscript_told = block.endscript;
      findings_.Add(block.endscript, block.endscript_column, Rule::EndScriptInBlock,
                    Name(Command::EndScript) + " stands inside the " + Name(block.opener) + " block of " +
                        LineName(block.line) + ", which no " + Name(CloserOf(block.opener)) +
                        " closes: the run ends in the block's first pass");
    }
  }
  for (const auto& [id, held] : held_) {
    findings_.Add(held.line, held.column, Rule::HeldAtEnd,
                  held.what + " is pressed down here and not released before the end of the script");
  }
}

}  // namespace dx::check
