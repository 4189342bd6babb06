#include "cif2at/failure.hpp"

#include <cstdio>

namespace cif2at {

namespace {

constexpr std::size_t kQuotedLength = 40;

}  // namespace

std::string visible(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 0x20 && byte != 0x7F) || c == '\t') {
      shown += c;
      continue;
    }
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    shown += escape;
  }
  return shown;
}

std::string in_quotes(std::string_view value) {
  if (value.size() <= kQuotedLength) return "'" + std::string(value) + "'";
  std::size_t cut = kQuotedLength;
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 character
  return "'" + std::string(value.substr(0, cut)) + "...'";
}

std::string describe(const Failure& failure) { return describe(failure, "cif2at"); }

std::string describe(const Failure& failure, std::string_view program) {
  std::string text(program);
  text += ": ";
  text += failure.file();
  if (failure.line() > 0) {
    text += ':';
    text += std::to_string(failure.line());
  }
  text += ": ";
  text += failure.what();
  return text;
}

int exit_status(const Failure& failure) { return failure.kind() == FailureKind::FileFailure ? 2 : 1; }

}  // namespace cif2at
