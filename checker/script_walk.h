// What the checker carries from line to line: open blocks, declared
// variables and where each was last read from the screen, keys and buttons
// held down, whether the current point has been set. Every step costs the
// same whatever the length of the script, so a check stays linear.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "checker/code_line.h"
#include "engine/command_table.h"

namespace dx::check {

class ScriptWalk {
 public:
  // Messages name a line by the host's number: code line 1 is first_line.
  ScriptWalk(Findings& findings, int first_line) : findings_(findings), first_line_(first_line) {}
  std::string LineName(int line) const { return "line " + std::to_string(line - 1 + first_line_); }

  void Open(const CodeLine& line, Command opener);
  // Closes the innermost open block of the opener's kind; returns the line
  // number of its opening line, or 0 (reported) when none is open.
  int Close(const CodeLine& line, Command opener);

  void Declare(const CodeLine& line, std::string_view name);
  // Reports a name no earlier LONG declares; true when it is declared.
  bool CheckDeclared(const CodeLine& line, std::string_view name, std::string_view consequence);
  // The most recently declared name other than `other`, or "" when none.
  std::string_view DeclaredNameBesides(std::string_view other) const;
  void ReadFromScreen(std::string_view name, int line) { last_read_[std::string(name)] = line; }
  bool ReadSince(std::string_view name, int line) const;

  // A key (code 0..255) or button (its down flag), pressed or released.
  void Press(const CodeLine& line, uint32_t id, std::string what);
  void Release(uint32_t id) { held_.erase(id); }

  bool point_set = false;

  // ENDSCRIPT ends the run in the first pass of every block it stands in.
  void EndScript(const CodeLine& line);

  // The end of the script, after code line `last_line`: blocks still open,
  // inputs still held.
  void Finish(int last_line);

 private:
  struct Block {
    Command opener;
    int line;
    int column;
    bool closed = false;
    int endscript = 0;  // the first ENDSCRIPT line inside it, or 0
    int endscript_column = 0;
  };
  struct Held {
    int line;
    int column;
    std::string what;
  };
  struct Declared {
    std::string name;
    int line;
    std::string line_without_end_blanks;  // only for a name that ends in blanks
  };
  static std::string Folded(std::string_view name);
  void DropClosedTop();
  // A declared name one edit away from `name` (letter case aside), or "".
  std::string_view NearName(std::string_view name) const;
  void ReportSimilar(const CodeLine& line, std::string_view name, const Declared& similar);

  Findings& findings_;
  int first_line_;
  std::vector<Block> blocks_;                 // in the order of opening; closed ones leave once on top
  std::vector<std::size_t> loops_, repeats_;  // open blocks of each kind, indices into blocks_
  std::unordered_set<std::string> declared_;
  std::unordered_map<std::string, Declared> folded_;     // upper case, no trailing blanks -> first declaration
  // Each folded name with one character left out -> the first name that
  // gives it: two names one edit apart share such a key, so a near name is
  // found in a few lookups however many names there are.
  std::unordered_map<std::string, std::string> near_;
  std::string latest_[2];  // the two names declared last, the latest first
  std::unordered_map<std::string, int> last_read_;       // name -> line of its last GETCOLOR
  std::unordered_map<uint32_t, Held> held_;
};

}  // namespace dx::check
