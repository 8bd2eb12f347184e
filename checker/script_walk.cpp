#include "checker/script_walk.h"

#include <algorithm>

#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "base/script_error.h"

namespace dx::check {
namespace {

std::string Name(Command command) { return std::string(CommandName(command)); }

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
  DropClosedTop();
  return block.line;
}

void ScriptWalk::Declare(std::string_view name) {
  declared_.insert(std::string(name));
  folded_.emplace(Folded(name), std::string(name));
}

bool ScriptWalk::CheckDeclared(const CodeLine& line, std::string_view name, std::string_view consequence) {
  if (declared_.count(std::string(name)) != 0) return true;
  const auto similar = folded_.find(Folded(name));
  if (similar != folded_.end()) {
    findings_.At(line, name, Rule::VariableNameMismatch,
                 "'" + std::string(name) + "' is not declared; names are compared byte for byte, and " +
                     Name(Command::Long) + " declared '" + similar->second + "'",
                 DidYouMean(line.Rewritten(name, similar->second)));
  } else {
    findings_.At(
        line, name, Rule::UndeclaredVariable,
        "no earlier " + Name(Command::Long) + " declares '" + std::string(name) + "'; " + std::string(consequence));
  }
  return false;
}

bool ScriptWalk::ReadSince(std::string_view name, int line) const {
  const auto it = last_read_.find(std::string(name));
  return it != last_read_.end() && it->second > line;
}

void ScriptWalk::Press(const CodeLine& line, uint32_t id, std::string what) {
  held_.try_emplace(id, Held{line.number, line.ColumnOf(line.stripped), std::move(what)});
}

void ScriptWalk::Finish() {
  for (const Block& block : blocks_) {
    if (block.closed) continue;
    findings_.Add(block.line, block.column, Rule::UnclosedBlock,
                  "this " + Name(block.opener) + " block is still open at the end of the script",
                  "close it with " + Name(CloserOf(block.opener)) +
                      (block.opener == Command::Repeat ? " or " + Name(Command::UntilNe) : ""));
  }
  for (const auto& [id, held] : held_) {
    findings_.Add(held.line, held.column, Rule::HeldAtEnd,
                  held.what + " is pressed down here and not released before the end of the script");
  }
}

}  // namespace dx::check
