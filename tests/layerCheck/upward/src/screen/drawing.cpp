// A screen file that reaches up to the program: the layer check must refuse it.
#include "app/program.h"
