#include "cli/options.h"

bool readOption(const std::vector<std::string_view>& arguments, size_t& i, std::string_view name,
                OptionValue kind, bool& hasValue, std::string_view& value) {
  const std::string_view argument = arguments[i];
  if (!argument.starts_with(name)) return false;
  hasValue = false;
  if (argument.size() > name.size()) {
    if (kind == OptionValue::None || argument[name.size()] != '=') return false;
    hasValue = true;
    value = argument.substr(name.size() + 1);
    return true;
  }
  const bool next = i + 1 < arguments.size();
  if ((kind == OptionValue::Required && next) ||
      (kind == OptionValue::Optional && next && !arguments[i + 1].starts_with("-"))) {
    hasValue = true;
    value = arguments[++i];
  }
  return true;
}
