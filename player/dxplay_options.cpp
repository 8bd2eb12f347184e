#include "player/dxplay_options.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "base/integer_rule.h"
#include "engine/window_entry.h"
#include "scriptfile/script_document.h"
#include "texts/dxplay_texts.h"

namespace dx {
namespace {

namespace t = dxplay_texts;

struct Word {
  std::string name;
  std::optional<std::string> value;  // from "--name=value"
};

// An unsigned 32-bit number of digits in `base` (10 or 16), nothing else.
std::optional<uint32_t> NumberOf(std::string_view digits, unsigned base) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : digits) {
    const char lower = static_cast<char>(c | 0x20);
    unsigned digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && lower >= 'a' && lower <= 'f') digit = static_cast<unsigned>(lower - 'a' + 10);
    else return std::nullopt;
    value = value * base + digit;
    if (value > UINT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

// --window: a window entry as `dxplay windows` prints it, or an id as other
// X tools print it, "0x" and hexadecimal digits or decimal. Eight decimal
// digits are an entry too; their decimal reading is kept for a run that
// finds no window by the entry.
bool ReadWindowId(std::string_view text, DxplayOptions& o) {
  o.window_id_otherwise.reset();
  if (const auto entry = StrictHandleOfWindowEntry(text)) {
    o.window_id = *entry;
    if (text.size() == kWindowHandleDigits) o.window_id_otherwise = NumberOf(text, 10);
    return true;
  }
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const auto id = hex ? NumberOf(text.substr(2), 16) : NumberOf(text, 10);
  if (id) o.window_id = *id;
  return id.has_value();
}

Word Split(const std::string& arg) {
  const std::size_t equals = arg.find('=');
  if (arg.rfind("--", 0) != 0 || equals == std::string::npos) return {arg, std::nullopt};
  return {arg.substr(0, equals), arg.substr(equals + 1)};
}

class Reader {
 public:
  Reader(const std::vector<std::string>& args, std::string& error) : args_(args), error_(error) {}

  bool Done() const { return at_ >= args_.size(); }
  Word Next() {
    Word w = Split(args_[at_++]);
    pending_value_ = w.value;
    return w;
  }
  // The value of the option just read: behind '=' or the next word.
  std::optional<std::string> Value(const std::string& option) {
    if (pending_value_) return std::exchange(pending_value_, std::nullopt);
    if (Done()) return Fail(t::MissingValue(option));
    return args_[at_++];
  }
  std::nullopt_t Fail(std::string message) {
    error_ = std::move(message);
    return std::nullopt;
  }

 private:
  const std::vector<std::string>& args_;
  std::string& error_;
  std::size_t at_ = 1;  // behind the command
  std::optional<std::string> pending_value_;
};

bool Bad(Reader& r, std::string message) {
  r.Fail(std::move(message));
  return false;
}

bool IsOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

std::optional<int> SlotNumber(const std::string& text, int last) {
  const auto n = TryStrToInt(text);
  if (!n || *n < 1 || *n > last) return std::nullopt;
  return static_cast<int>(*n);
}

bool SetTarget(DxplayOptions& o, DxplayOptions::Target target, const std::string& option, Reader& r) {
  if (o.target != DxplayOptions::Target::NoWindow) return Bad(r, t::OptionTwice(option));
  o.target = target;
  return true;
}

bool ReadStopKey(const Word& w, DxplayOptions& o, Reader& r) {
  const auto value = r.Value(w.name);
  if (!value) return false;
  const auto combination = ParseCombination(*value);
  if (!combination) return Bad(r, t::BadOptionValue(w.name, *value));
  o.stop_key = *combination;
  return true;
}

bool ReadRecordOption(const Word& w, DxplayOptions& o, Reader& r) {
  if (w.name == "--stop-key") return ReadStopKey(w, o, r);
  if (w.value) return Bad(r, t::UnknownWord(w.name));
  if (w.name == "--slots") return (o.record_slots = true);
  if (w.name == "--no-delays") return !(o.record_delays = false);
  if (w.name == "--append") return (o.append = true);
  return Bad(r, t::UnknownWord(w.name));
}

// One option of run; false with the error set.
bool ReadRunOption(const Word& w, DxplayOptions& o, Reader& r) {
  using Target = DxplayOptions::Target;
  if (w.name == "--quiet" && !w.value) return (o.quiet = true);
  if (w.name == "--pick" && !w.value) return SetTarget(o, Target::Pick, w.name, r);
  if (w.name == "--stop-key") return ReadStopKey(w, o, r);
  if (w.name != "--window" && w.name != "--window-name") return Bad(r, t::UnknownWord(w.name));
  const auto value = r.Value(w.name);
  if (!value) return false;
  if (w.name == "--window-name") {
    if (value->empty()) return Bad(r, t::BadOptionValue(w.name, *value));
    o.window_name = *value;
    return SetTarget(o, Target::Name, w.name, r);
  }
  if (!ReadWindowId(*value, o)) return Bad(r, t::BadOptionValue(w.name, *value));
  return SetTarget(o, Target::Entry, w.name, r);
}

bool ReadCaptureOption(const Word& w, DxplayOptions& o, Reader& r, bool& have_slot) {
  const bool location = w.name == "--location";
  if (!location && w.name != "--key") return Bad(r, t::UnknownWord(w.name));
  if (have_slot) return Bad(r, t::UnknownWord(w.name));
  const auto value = r.Value(w.name);
  if (!value) return false;
  const auto n = SlotNumber(*value, location ? kLocationSlotCount : kKeySlotCount);
  if (!n) return Bad(r, t::BadOptionValue(w.name, *value));
  o.slot = location ? DxplayOptions::Slot::Location : DxplayOptions::Slot::Key;
  o.slot_number = *n;
  have_slot = true;
  return true;
}

std::optional<DxplayOptions> ReadCommand(const std::vector<std::string>& args, DxplayOptions o, std::string& error) {
  Reader r(args, error);
  bool have_slot = false;
  while (!r.Done()) {
    const Word w = r.Next();
    if (!IsOption(w.name)) {
      if (o.command == DxplayOptions::Command::Windows || !o.script_path.empty()) return r.Fail(t::UnknownWord(w.name));
      o.script_path = w.name;
      continue;
    }
    const bool ok = o.command == DxplayOptions::Command::Run       ? ReadRunOption(w, o, r)
                    : o.command == DxplayOptions::Command::Capture ? ReadCaptureOption(w, o, r, have_slot)
                    : o.command == DxplayOptions::Command::Record  ? ReadRecordOption(w, o, r)
                                                                    : Bad(r, t::UnknownWord(w.name));
    if (!ok) return std::nullopt;
  }
  if (o.command != DxplayOptions::Command::Windows && o.script_path.empty()) return r.Fail(std::string(t::kMissingScript));
  if (o.command == DxplayOptions::Command::Capture && !have_slot) return r.Fail(std::string(t::kMissingSlot));
  return o;
}

}  // namespace

std::optional<DxplayOptions> ParseDxplayOptions(const std::vector<std::string>& args, std::string& error) {
  DxplayOptions o;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return (o.command = DxplayOptions::Command::Help), o;
    if (arg == "--version") return (o.command = DxplayOptions::Command::Version), o;
  }
  if (args.empty()) {
    error = t::kMissingCommand;
    return std::nullopt;
  }
  if (args[0] == "run") o.command = DxplayOptions::Command::Run;
  else if (args[0] == "capture") o.command = DxplayOptions::Command::Capture;
  else if (args[0] == "record") o.command = DxplayOptions::Command::Record;
  else if (args[0] == "windows") o.command = DxplayOptions::Command::Windows;
  else {
    const std::string_view word = args[0];
    error = word.starts_with("-") ? t::UnknownWord(word) : t::UnknownCommand(word);
    return std::nullopt;
  }
  return ReadCommand(args, o, error);
}

}  // namespace dx
