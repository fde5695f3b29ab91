// A screen file that reaches up to the program with spaces after the "#".
// clang-format off
#  include "app/program.h"
