#pragma once
// Small ImGui helpers for the editor's panels: fields that take effect when
// the designer is done with them (Enter, or leaving the field), so that each
// edit is one undo step.

#include <string>

namespace gp::editor {

// A number field showing `value`; true (with `out`) when an edit ends.
bool EditNumber(const char* id, int value, int& out, float width = 90);
// A text field showing `value`; true (with `out`) when an edit ends.
bool EditText(const char* id, const std::string& value, std::string& out, float width = -1);
// A hint shown while the pointer rests on the last item.
void Hint(const std::string& text);
// Text in the colour of a warning.
void Warning(const std::string& text);

}  // namespace gp::editor
