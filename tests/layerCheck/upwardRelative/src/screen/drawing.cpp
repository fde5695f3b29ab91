// A screen file that reaches up to the program through a relative path.
#include "../app/program.h"
