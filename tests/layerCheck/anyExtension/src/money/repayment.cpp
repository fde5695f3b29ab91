// A money file whose inline part reaches up to the program.
#include "money/monthSteps.inl"
