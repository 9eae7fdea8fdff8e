#include "tools/editor/hole_text.h"

#include <algorithm>

#include "base/profile.h"

namespace gp::editor {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return LowerName(TrimProfileBlanks(a)) == LowerName(TrimProfileBlanks(b));
}

// Splits into lines, each with its own ending. The reader ends a line at
// either '\n' or '\r'; "\r\n" is kept together here (the reader sees an empty
// line between, which it skips either way).
std::vector<TextLine> SplitLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = at;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    TextLine l{std::string(bytes.substr(at, end - at)), ""};
    if (end < bytes.size()) {
      const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      l.eol = crlf ? "\r\n" : std::string(1, bytes[end]);
      end += l.eol.size();
    }
    lines.push_back(std::move(l));
    at = end;
  }
  return lines;
}

// The section name of a section line, or false for any other line.
bool SectionName(const std::string& text, std::string& name) {
  const std::string_view t = TrimProfileBlanks(text);
  if (t.empty() || t.front() != '[') return false;
  const size_t close = t.find(']');
  if (close == std::string_view::npos) return false;
  name = LowerName(TrimProfileBlanks(t.substr(1, close - 1)));
  return true;
}

// A key line's key and value; false for lines the reader skips.
bool KeyLine(const std::string& text, std::string& key, std::string& value) {
  const std::string_view t = TrimProfileBlanks(text);
  if (t.empty() || t.front() == ';') return false;
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = std::string(TrimProfileBlanks(t.substr(0, eq)));
  value = std::string(TrimProfileBlanks(t.substr(eq + 1)));
  return !key.empty();
}

// The line with its value replaced, the blanks around it kept.
std::string WithValue(const std::string& text, const std::string& value) {
  const size_t eq = text.find('=');
  size_t from = eq + 1;
  while (from < text.size() && IsProfileBlank(text[from])) ++from;
  size_t to = text.size();
  while (to > from && IsProfileBlank(text[to - 1])) --to;
  return text.substr(0, from) + value + text.substr(to);
}

void Append(std::vector<const TextLine*>& out, const std::vector<TextLine>& lines) {
  for (const TextLine& l : lines) out.push_back(&l);
}

// Entry order for a section written in its order: known keys by their place
// in the list, the others right after the key line they followed.
std::vector<const Entry*> Ordered(const Section& s) {
  std::vector<std::pair<int, const Entry*>> ranked;
  int last = -1;
  for (const Entry& e : s.entries) {
    const auto it = std::find(s.order.begin(), s.order.end(), LowerName(e.key));
    if (it != s.order.end()) last = static_cast<int>(it - s.order.begin());
    ranked.emplace_back(last, &e);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const Entry*> out;
  for (const auto& r : ranked) out.push_back(r.second);
  return out;
}

}  // namespace

std::string LowerName(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

const Entry* Section::Get(std::string_view key) const {
  for (const Entry& e : entries) {
    if (SameName(e.key, key)) return &e;
  }
  return nullptr;
}

void Section::Set(std::string_view key, const std::string& value) {
  bool seen = false;
  std::vector<Entry> kept;
  std::vector<TextLine> carried;  // notes of dropped later lines
  for (Entry& e : entries) {
    if (SameName(e.key, key) && seen) {
      carried.insert(carried.end(), e.notes.begin(), e.notes.end());
      continue;
    }
    e.notes.insert(e.notes.begin(), carried.begin(), carried.end());
    carried.clear();
    kept.push_back(std::move(e));
    seen = seen || SameName(kept.back().key, key);
  }
  entries = std::move(kept);
  tail.insert(tail.begin(), carried.begin(), carried.end());
  for (Entry& e : entries) {
    if (!SameName(e.key, key)) continue;
    if (e.value != value) {
      e.value = value;
      e.line.text = WithValue(e.line.text, value);
    }
    return;
  }
  Entry e;
  e.key = std::string(key);
  e.value = value;
  e.line.text = e.key + "=" + value;
  entries.push_back(std::move(e));
}

void Section::Remove(std::string_view key) {
  std::vector<TextLine> carried;
  std::vector<Entry> kept;
  for (Entry& e : entries) {
    if (SameName(e.key, key)) {
      carried.insert(carried.end(), e.notes.begin(), e.notes.end());
      continue;
    }
    if (!carried.empty()) {
      e.notes.insert(e.notes.begin(), carried.begin(), carried.end());
      carried.clear();
    }
    kept.push_back(std::move(e));
  }
  tail.insert(tail.begin(), carried.begin(), carried.end());
  entries = std::move(kept);
}

HoleText HoleText::Parse(std::string_view bytes) {
  HoleText t;
  std::vector<TextLine> pending;  // other lines waiting for the line they belong above
  for (TextLine& l : SplitLines(bytes)) {
    std::string name, key, value;
    if (SectionName(l.text, name)) {
      Section s;
      s.lead = std::move(pending);
      pending.clear();
      s.header = std::move(l);
      s.name = name;
      if (t.sections.empty()) std::swap(t.preamble, s.lead);
      t.sections.push_back(std::move(s));
    } else if (!t.sections.empty() && KeyLine(l.text, key, value)) {
      Entry e;
      e.notes = std::move(pending);
      pending.clear();
      e.key = std::move(key);
      e.value = std::move(value);
      e.line = std::move(l);
      t.sections.back().entries.push_back(std::move(e));
    } else {
      pending.push_back(std::move(l));
    }
  }
  if (t.sections.empty()) {
    t.preamble = std::move(pending);
  } else {
    t.sections.back().tail = std::move(pending);
  }
  t.finalnewline = bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r';
  // New lines end as the file's first line does.
  const size_t first = bytes.find_first_of("\r\n");
  if (first != std::string_view::npos) {
    t.eol = bytes.compare(first, 2, "\r\n") == 0 ? "\r\n" : std::string(1, bytes[first]);
  }
  return t;
}

std::string HoleText::Write() const {
  std::vector<const TextLine*> lines;
  Append(lines, preamble);
  for (const Section& s : sections) {
    Append(lines, s.lead);
    lines.push_back(&s.header);
    std::vector<const Entry*> entries;
    if (s.order.empty()) {
      for (const Entry& e : s.entries) entries.push_back(&e);
    } else {
      entries = Ordered(s);
    }
    for (const Entry* e : entries) {
      Append(lines, e->notes);
      lines.push_back(&e->line);
    }
    Append(lines, s.tail);
  }
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    out += lines[i]->text;
    // New lines, and a last line that had no ending once more follow, end as
    // the file's lines do; the file's last line ends as it did.
    const bool last = i + 1 == lines.size();
    out += !lines[i]->eol.empty() ? lines[i]->eol : last && !finalnewline ? "" : eol;
  }
  return out;
}

int HoleText::Find(std::string_view name) const {
  const std::string want = LowerName(TrimProfileBlanks(name));
  for (size_t i = 0; i < sections.size(); ++i) {
    if (sections[i].name == want) return static_cast<int>(i);
  }
  return -1;
}

Section* HoleText::Get(std::string_view name) {
  const int i = Find(name);
  return i < 0 ? nullptr : &sections[static_cast<size_t>(i)];
}

const Section* HoleText::Get(std::string_view name) const {
  const int i = Find(name);
  return i < 0 ? nullptr : &sections[static_cast<size_t>(i)];
}

Section& HoleText::Insert(size_t at, const std::string& name) {
  Section s;
  s.name = LowerName(name);
  s.header.text = "[" + name + "]";
  at = std::min(at, sections.size());
  return *sections.insert(sections.begin() + static_cast<std::ptrdiff_t>(at), std::move(s));
}

void HoleText::Rename(size_t at, const std::string& name) {
  Section& s = sections[at];
  std::string& h = s.header.text;
  const size_t open = h.find('['), close = h.find(']');
  size_t from = open + 1, to = close;  // the name inside its blanks
  while (from < to && IsProfileBlank(h[from])) ++from;
  while (to > from && IsProfileBlank(h[to - 1])) --to;
  h = h.substr(0, from) + name + h.substr(to);
  s.name = LowerName(name);
}

}  // namespace gp::editor
