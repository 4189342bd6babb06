#include "cif/cif_reader.hpp"

#include "cif2at/failure.hpp"

namespace cif2at {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Some editors begin a UTF-8 file with a byte-order mark; it is not part of the first value.
std::string_view without_byte_order_mark(std::string_view line) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (line.substr(0, kMark.size()) == kMark) line.remove_prefix(kMark.size());
  return line;
}

// A CR or a NUL byte would become part of a value. A NUL byte is never text: a
// damaged file, or one in UTF-16.
void check_line_bytes(std::string_view line, const LineSource& source) {
  refuse_lone_cr(line, source);
  if (line.find('\0') == std::string_view::npos) return;
  throw Failure(FailureKind::BadValue, source.name(), source.line_number(),
                "a NUL byte: the file is not ASCII or UTF-8 text");
}

}  // namespace

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string to_lower(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = lower(c);
  return lowered;
}

bool istarts_with(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && iequals(text.substr(0, prefix.size()), prefix);
}

namespace {

// By the first letter, as most values are numbers and labels that need no more.
TokenKind kind_of(std::string_view text) {
  switch (lower(text[0])) {
    case '_':
      return TokenKind::Name;
    case 'l':
      return iequals(text, "loop_") ? TokenKind::Loop : TokenKind::Value;
    case 'd':
      return istarts_with(text, "data_") ? TokenKind::Data : TokenKind::Value;
    case 's':
      return istarts_with(text, "save_") || iequals(text, "stop_") ? TokenKind::Reserved : TokenKind::Value;
    case 'g':
      return iequals(text, "global_") ? TokenKind::Reserved : TokenKind::Value;
    default:
      return TokenKind::Value;
  }
}

}  // namespace

bool CifReader::next_line() {
  line_start_ = source_.next_position();
  const auto line = source_.read_line(true);
  if (!line) return false;
  line_ = line_start_.offset == 0 ? without_byte_order_mark(*line) : *line;
  check_line_bytes(line_, source_);
  pos_ = resume_column_;
  resume_column_ = 0;
  have_line_ = true;
  return true;
}

CifToken CifReader::next() {
  if (put_back_) {
    put_back_ = false;
    return last_;
  }
  for (;;) {
    if (!have_line_) {
      if (!next_line()) return last_ = {TokenKind::End, {}, source_.line_number()};
      if (pos_ == 0 && !line_.empty() && line_[0] == ';') return last_ = text_field();
    }
    while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
    if (pos_ == line_.size() || line_[pos_] == '#') {
      have_line_ = false;
      continue;
    }
    // Put together here from the text alone, which comes back in registers:
    // a token returned through memory and copied at once into last_ stalled
    // every read on the store of its parts.
    const char c = line_[pos_];
    const bool is_quoted = c == '\'' || c == '"';
    const std::string_view text = is_quoted ? quoted(c) : unquoted();
    const CifToken token{is_quoted ? TokenKind::Value : kind_of(text), text, source_.line_number()};
    last_ = token;
    return token;
  }
}

CifToken CifReader::text_field() {
  const long opened = source_.line_number();
  text_field_.assign(line_.substr(1));
  // Skipped by first characters alone: embedded files of many megabytes are common.
  if (!source_.skip_to_line_starting_with(';')) {
    throw Failure(FailureKind::BadValue, source_.name(), opened,
                  "text field opened here is never closed (no line beginning with ';' follows)");
  }
  next_line();
  pos_ = 1;  // values may follow the closing ';'
  return {TokenKind::Value, text_field_, opened};
}

std::string_view CifReader::quoted(char quote) {
  const std::size_t begin = pos_ + 1;
  for (std::size_t i = begin; i < line_.size(); ++i) {
    if (line_[i] == quote && (i + 1 == line_.size() || is_blank(line_[i + 1]))) {
      pos_ = i + 1;
      return line_.substr(begin, i - begin);
    }
  }
  pos_ = line_.size();  // still open at the line end: it ends there
  return line_.substr(begin);
}

std::string_view CifReader::unquoted() {
  const std::size_t begin = pos_;
  while (pos_ < line_.size() && !is_blank(line_[pos_])) ++pos_;
  return line_.substr(begin, pos_ - begin);
}

void CifReader::skip_value_lines() {
  // Every data name holds "_", every reserved word one of these letters first,
  // and a text field begins with ";". Lines free of them are skipped unread.
  if (put_back_ || resume_column_ != 0) return;
  if (have_line_) {
    while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
    if (pos_ < line_.size() && line_[pos_] != '#') return;  // more values on this line
    have_line_ = false;
  }
  source_.skip_lines_without("_;dDsSlLgG");
}

CifMark CifReader::mark() const {
  if (!have_line_) return {source_.next_position(), 0};
  return {line_start_, pos_};
}

void CifReader::seek(const CifMark& mark) {
  source_.seek(mark.line_start);
  have_line_ = false;
  put_back_ = false;
  resume_column_ = mark.column;
}

}  // namespace cif2at
