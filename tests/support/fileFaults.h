#pragma once

// Plays out file faults for one scope: a full disk, a file that cannot be read to its end.
// Leaving the scope puts the file services back to having none.

#include "screen/private/fileTable.h"

struct FileFaultScope {
  explicit FileFaultScope(screen::FileFaults faults) { screen::fileFaults = faults; }
  ~FileFaultScope() { screen::fileFaults = {}; }
  FileFaultScope(const FileFaultScope&) = delete;
  FileFaultScope& operator=(const FileFaultScope&) = delete;
};
