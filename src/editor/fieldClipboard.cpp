// Copy and paste of a field's text through the system clipboard, as plain text.

#include "editor/fieldEditor.h"
#include "screen/screen.h"

int copyToClipboard(std::string_view text) {
  if (text.empty()) return 0;
  screen::setClipboardText(text);
  return 1;
}

std::string pasteFromClipboard() {
  // Typed like any pasted text, so a numeric mask refuses it letter by letter.
  if (!screen::clipboardHasText()) return "unavailable";
  std::string text = screen::clipboardText();
  // Clipboard text ends at its first zero byte.
  size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return text;
}
