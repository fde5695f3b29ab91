// A screen file that reaches up to the program in angle brackets.
#include <app/program.h>
