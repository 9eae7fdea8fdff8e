#pragma once
// A profile file (a hole file, a course.ini) kept line by line, so that a file
// read and written again comes back byte for byte: every line keeps its own
// text and line ending, and only what was changed is written anew.
//
// Lines are classified as the game's reader classifies them: a section line
// ("[name]" after trimming), a key line ("key=value" inside a section), or any
// other line (comments, blanks, stray text), which is kept as a note on the key
// line or section below it.

#include <string>
#include <string_view>
#include <vector>

namespace gp::editor {

struct TextLine {
  std::string text;  // without the line ending
  std::string eol;   // "\n", "\r\n", "\r", or "" for a last line without one
};

struct Entry {
  std::vector<TextLine> notes;  // other lines just above the key line
  std::string key;              // as written, trimmed
  std::string value;            // trimmed, as the reader sees it
  TextLine line;                // the line as written
};

struct Section {
  std::vector<TextLine> lead;  // other lines above the section line
  TextLine header;             // "[area12]" as written
  std::string name;            // lower case, trimmed: "area12"
  std::vector<Entry> entries;
  std::vector<TextLine> tail;  // notes left below the last key line
  // Written with its keys in this order (lower-case names); keys not in the
  // list keep their place after the key they followed. Empty: as they stand.
  std::vector<std::string> order;

  // The first key line of that name (any case), or nullptr.
  const Entry* Get(std::string_view key) const;
  // Sets the first key line of that name (appended when missing) and drops
  // later ones, which the reader ignores. The line keeps its spacing.
  void Set(std::string_view key, const std::string& value);
  // Removes every key line of that name; their notes move to the next line.
  void Remove(std::string_view key);
};

class HoleText {
 public:
  // Any bytes are accepted.
  static HoleText Parse(std::string_view bytes);
  std::string Write() const;

  std::vector<TextLine> preamble;  // lines before the first section line
  std::vector<Section> sections;
  std::string eol = "\n";    // for new lines: the file's first line ending
  bool finalnewline = true;  // the file's last line had a line ending

  // The first section of that name (any case, trimmed); -1 when there is none.
  int Find(std::string_view name) const;
  Section* Get(std::string_view name);
  const Section* Get(std::string_view name) const;
  // A new empty section at position `at` (0..sections.size()).
  Section& Insert(size_t at, const std::string& name);
  // Renames a section, rewriting its section line.
  void Rename(size_t at, const std::string& name);
};

// The lower-case form of an ASCII name.
std::string LowerName(std::string_view s);

}  // namespace gp::editor
