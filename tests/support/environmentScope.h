#pragma once

// Sets or unsets an environment variable for one scope; a child process started within it
// inherits the setting.

#include <cstdlib>
#include <string>

struct EnvironmentScope {
  std::string name;
  bool wasSet;
  std::string old;
  EnvironmentScope(const char* variable, const char* value) : name(variable) {
    const char* current = std::getenv(variable);
    wasSet = current != nullptr;
    if (wasSet) old = current;
    set(value ? std::string(value).c_str() : nullptr);
  }
  ~EnvironmentScope() { set(wasSet ? old.c_str() : nullptr); }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

 private:
  void set(const char* value) {
#ifdef _WIN32
    // An empty value removes the variable on Windows.
    _putenv_s(name.c_str(), value ? value : "");
#else
    if (value) {
      setenv(name.c_str(), value, 1);
    } else {
      unsetenv(name.c_str());
    }
#endif
  }
};
