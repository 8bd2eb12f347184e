#include "checker/report.h"

#include <cstdio>
#include <string>

namespace dx::check {
namespace {

std::string Plural(int count, std::string_view word) {
  return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

// Script texts are bytes of the ANSI code page: a byte above 127 is written
// as the code point of the same number, so the output is always valid JSON.
std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte > 0x7E) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

Counts CountOf(const std::vector<Diagnostic>& diagnostics) {
  Counts counts;
  for (const Diagnostic& d : diagnostics) {
    switch (d.severity()) {
      case Severity::Error: ++counts.errors; break;
      case Severity::Warning: ++counts.warnings; break;
      case Severity::Note: ++counts.notes; break;
    }
  }
  return counts;
}

void PrintText(std::ostream& out, std::string_view file, const std::vector<Diagnostic>& diagnostics) {
  for (const Diagnostic& d : diagnostics) {
    out << file;
    if (d.line > 0) out << ':' << d.line << ':' << d.column;
    out << ": " << SeverityName(d.severity()) << ": " << d.message << " [" << RuleOf(d.rule).name << "]\n";
    if (!d.suggestion.empty()) out << "  " << d.suggestion << '\n';
  }
  const Counts counts = CountOf(diagnostics);
  out << Plural(counts.errors, "error") << ", " << Plural(counts.warnings, "warning") << '\n';
}

void PrintJson(std::ostream& out, std::string_view file, const std::vector<Diagnostic>& diagnostics) {
  out << '[';
  const char* separator = "\n";
  for (const Diagnostic& d : diagnostics) {
    out << separator << "  {\"file\": " << JsonString(file) << ", \"line\": " << d.line << ", \"column\": " << d.column
        << ", \"severity\": \"" << SeverityName(d.severity()) << "\", \"rule\": \"" << RuleOf(d.rule).name
        << "\", \"message\": " << JsonString(d.message)
        << ", \"suggestion\": " << (d.suggestion.empty() ? "null" : JsonString(d.suggestion)) << '}';
    separator = ",\n";
  }
  out << (diagnostics.empty() ? "]\n" : "\n]\n");
}

}  // namespace dx::check
