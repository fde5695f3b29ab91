#include "screen/private/hostPaths.h"

#include <windows.h>

#include <cstdlib>

#include "screen/private/windowsRules.h"

namespace screen::host {

const std::string_view USER_DATA_UNKNOWN = "APPDATA is not set";

namespace {

// Folder names travel as UTF-8 inside the program.
std::string utf8(const std::wstring& text) {
  int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length,
                      nullptr, nullptr);
  return out;
}

std::string appData() {
  const wchar_t* folder = _wgetenv(L"APPDATA");
  return folder ? utf8(folder) : std::string();
}

std::filesystem::path programFolder() {
  std::wstring name(MAX_PATH, L'\0');
  DWORD length;
  while ((length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()))) ==
             name.size() &&
         name.size() < 32768) {
    name.resize(name.size() * 2);
  }
  name.resize(length);
  return std::filesystem::path(name).parent_path();
}

// Tried by making a file there, as permissions, a read-only medium and virtualisation all
// decide it.
bool canWriteIn(const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / L"quilloWriteProbe.tmp~";
  HANDLE handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

}  // namespace

std::string userDataDirectory() {
  return windowsRules::userDataDirectory(appData());
}

std::string defaultDataDirectory() {
  const std::filesystem::path folder = programFolder();
  std::error_code error;
  const bool installed = std::filesystem::exists(folder / windowsRules::INSTALLED_MARKER, error);
  return windowsRules::defaultDataDirectory(installed, !installed && canWriteIn(folder),
                                            utf8(folder.wstring()), appData());
}

std::filesystem::path pathOf(const std::string& name) {
  int length =
      MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), text.data(), length);
  return text;
}

}  // namespace screen::host
