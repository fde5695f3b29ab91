// A screen file that reaches across to the command line, which stands beside it.
#include "cli/commandLine.h"
