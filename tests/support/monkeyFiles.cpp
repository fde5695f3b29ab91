#include "support/monkeyFiles.h"

#include <filesystem>
#include <system_error>

#include "support/scratchDirectory.h"

namespace monkey {

namespace {

namespace fs = std::filesystem;

int below(std::mt19937& random, int bound) {
  return static_cast<int>(random() % static_cast<unsigned>(bound));
}

std::string randomBytes(std::mt19937& random, int length) {
  std::string bytes;
  for (int i = 0; i < length; ++i) bytes += static_cast<char>(below(random, 256));
  return bytes;
}

// Key codes a macro can name after a byte 255: the keys the screens react to, mouse actions at
// the last pointer position, and anything else now and then. Never 10: a Ctrl+Enter played by
// a random macro could start that same macro again, for ever.
int macroKeyCode(std::mt19937& random) {
  static constexpr unsigned char USEFUL[] = {80, 81, 118, 72, 75, 77, 71, 79, 82, 83,  15, 13, 27,
                                             9,  8,  3,   22, 24, 91, 92, 94, 95, 107, 1,  5,  9};
  if (below(random, 8) > 0) return USEFUL[below(random, sizeof USEFUL)];
  int code = below(random, 256);
  return code == 10 ? 11 : code;
}

std::string randomMacro(std::mt19937& random) {
  // Escape is rare: it ends most macros' runs at once.
  static constexpr std::string_view COMMANDS = ";;;#&\\/?\r\n.,";
  const int length = below(random, 10) == 0 ? below(random, 3000) : below(random, 120);
  std::string bytes;
  while (static_cast<int>(bytes.size()) < length) {
    const int kind = below(random, 100);
    if (kind < 45) {
      bytes += static_cast<char>('0' + below(random, 10));
    } else if (kind < 75) {
      bytes += below(random, 40) == 0 ? '^' : COMMANDS[below(random, COMMANDS.size())];
    } else if (kind < 88) {
      bytes += '\xff';
      bytes += static_cast<char>(macroKeyCode(random));
    } else {
      const char byte = static_cast<char>(below(random, 256));
      bytes += byte;
      if (byte == '\xff') bytes += static_cast<char>(macroKeyCode(random));
    }
  }
  return bytes;
}

// End, Backspace over anything a field can hold, then "9" and Ctrl+Enter.
std::string chainMacro() {
  std::string bytes = "\xffO";
  for (int i = 0; i < 30; ++i) bytes += "\xff\x08";
  return bytes + "9\xff\n";
}

std::string randomName(std::mt19937& random) {
  std::string name;
  const int length = below(random, 12);
  for (int i = 0; i < length; ++i) {
    char c = below(random, 4) == 0 ? static_cast<char>(below(random, 256))
                                   : static_cast<char>('a' + below(random, 26));
    name += c == '"' ? '\'' : c;
  }
  return name;
}

std::string optionsBytes(std::mt19937& random) {
  const std::string scheme = std::to_string(1 + below(random, 2));
  switch (below(random, 6)) {
    case 0:
      return randomBytes(random, below(random, 100));
    case 1:
      return randomName(random) + "," + scheme + "\r\n";
    case 2:
      return "\"" + randomName(random) + "\"\r\n" + std::to_string(below(random, 5)) + "\r\n";
    case 3:
      return "\"" + randomName(random) + "\"\r\n" + scheme + ".5\n";
    default:
      return "\"" + randomName(random) + "\"\r\n" + scheme + "\r\n";
  }
}

std::string paletteBytes(std::mt19937& random) {
  std::string bytes;
  for (int entry = 0; entry < 16; ++entry) {
    bytes += std::to_string(below(random, 64)) + "," + std::to_string(below(random, 64)) + "," +
             std::to_string(below(random, 64)) + "\r\n";
  }
  switch (below(random, 5)) {
    case 0:
      return randomBytes(random, below(random, 200));
    case 1:
      return bytes.substr(0, below(random, static_cast<int>(bytes.size())));  // cut short
    default:
      return bytes;
  }
}

void remove(const std::string& name) {
  std::error_code error;
  fs::remove_all(name, error);
}

// Puts a file, a directory or nothing under the name.
DirectoryEntry plant(const std::string& name, int percentMissing, int percentDirectory,
                     const std::string& bytes, std::mt19937& random) {
  remove(name);
  const int roll = below(random, 100);
  if (roll < percentMissing) return lookAt(name);
  if (roll < percentMissing + percentDirectory) {
    std::error_code error;
    fs::create_directory(name, error);
    return lookAt(name);
  }
  scratch::writeFile(name, bytes);
  return lookAt(name);
}

}  // namespace

DirectoryEntry lookAt(const std::string& name) {
  DirectoryEntry entry;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(name, error);
  entry.exists = fs::exists(status);
  entry.directory = fs::is_directory(status);
  if (entry.exists && !entry.directory) entry.bytes = scratch::readFile(name);
  return entry;
}

void plantFiles(std::mt19937& random, PlantedFiles& files) {
  for (const std::string& name : scratch::fileNames()) remove(name);
  static constexpr const char* SPELLINGS[] = {"QuilloOptions.txt", "quilloOptions.txt",
                                              "QUILLOOPTIONS.TXT"};
  files.optionsName = SPELLINGS[below(random, 3)];
  files.options = plant(files.optionsName, 30, 10, optionsBytes(random), random);
  for (int s = 0; s < 2; ++s) {
    files.palettes[s] = plant(PALETTE_FILE_NAMES[s], 40, 10, paletteBytes(random), random);
  }
  for (const char* name = MACRO_NAMES; *name; ++name) {
    const std::string fileName = std::string(1, *name) + ".mac";
    if (*name == '5') {
      scratch::writeFile(fileName, chainMacro());
    } else if (*name != '8') {
      plant(fileName, 10, 5, randomMacro(random), random);
    }
  }
}

std::string changeAFile(std::mt19937& random, PlantedFiles& files) {
  if (below(random, 2) == 0) {
    const std::string name = std::string(1, "12349"[below(random, 5)]) + ".mac";
    plant(name, 20, 10, randomMacro(random), random);
    return "replaced " + name;
  }
  const int s = below(random, 2);
  files.palettes[s] = plant(PALETTE_FILE_NAMES[s], 30, 20, paletteBytes(random), random);
  return std::string("replaced ") + PALETTE_FILE_NAMES[s];
}

}  // namespace monkey
