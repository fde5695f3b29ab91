// A fixture: the platform reached from outside screen/.
#include <X11/Xlib.h>
