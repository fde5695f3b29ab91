#pragma once

// The one reading of options shared by the window program and `quillo schedule`: "--name",
// "--name=value" and "--name value".

#include <cstddef>
#include <string_view>
#include <vector>

enum class OptionValue {
  None,      // "--name" alone
  Required,  // "--name=value", or the next argument whatever it is
  Optional,  // "--name=value", or the next argument unless it is an option itself
};

// True when arguments[i] is the option `name`; `i` then stands on its last argument. `hasValue`
// says whether a value came with it; an option of kind None matches only its bare name.
bool readOption(const std::vector<std::string_view>& arguments, size_t& i, std::string_view name,
                OptionValue kind, bool& hasValue, std::string_view& value);
