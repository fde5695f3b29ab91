// A fixture: the platform reached from outside screen/.
#include "SDL.h"
