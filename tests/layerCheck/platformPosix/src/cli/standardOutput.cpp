// A fixture: the platform reached from outside screen/.
#include <unistd.h>
