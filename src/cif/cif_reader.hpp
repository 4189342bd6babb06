#pragma once

// The values of a CIF, one token at a time, streaming.
//
// Values are separated by blanks, tabs and line ends. A value that begins with
// ' or " ends at the next such mark followed by a blank, a tab or the line end
// ('O'Brien, P.' is O'Brien, P.), or at the line end when none follows. A line
// that begins with ";" opens a text field, which ends at the next line that
// begins with ";"; its value is the rest of the opening line. An unquoted "#"
// where a value would begin starts a comment.

#include <cstddef>
#include <string>
#include <string_view>

#include "records/text_input.hpp"

namespace cif2at {

enum class TokenKind {
  Value,     // any value, quoted or not, or a text field
  Name,      // an unquoted value beginning with "_"
  Loop,      // loop_
  Data,      // data_..., which opens a data block
  Reserved,  // save_..., global_, stop_
  End,       // the end of the file
};

struct CifToken {
  TokenKind kind = TokenKind::End;
  std::string_view text;  // valid until the next token is read
  long line = 0;
};

// A place between two tokens, to come back to.
struct CifMark {
  SourcePosition line_start;
  std::size_t column = 0;
};

class CifReader {
 public:
  explicit CifReader(LineSource& source) : source_(source) {}

  // The next token. A text field left open at the end of the file is a BadValue.
  CifToken next();

  // Passes over the lines ahead that cannot hold a data name, a reserved word
  // or the start of a text field: inside a loop they hold values alone.
  void skip_value_lines();

  // The next call of next() gives the last token again.
  void put_back() { put_back_ = true; }

  // Where the next token is looked for; seek() goes back there.
  CifMark mark() const;
  void seek(const CifMark& mark);

  const std::string& file_name() const { return source_.name(); }

 private:
  bool next_line();
  CifToken text_field();
  std::string_view quoted(char quote);  // the text between the quotes
  std::string_view unquoted();

  LineSource& source_;
  std::string_view line_;
  std::size_t pos_ = 0;
  bool have_line_ = false;
  SourcePosition line_start_;
  std::size_t resume_column_ = 0;  // set by seek(): where to go on in the line it reads
  std::string text_field_;
  CifToken last_;
  bool put_back_ = false;
};

// ASCII case-insensitive comparisons, as CIF data names and reserved words are compared.
bool iequals(std::string_view a, std::string_view b);
bool istarts_with(std::string_view text, std::string_view prefix);
std::string to_lower(std::string_view text);

}  // namespace cif2at
