// The global state behind the screen services, in one place: the surface and its palette, the
// text grid's state, the images and the sounds. The key queue and the mouse states belong to
// the input services alone (windowAndInput.cpp), the open files to the file services.

#include "screen/private/surfaceState.h"

namespace screen {

Surface surface;
TextState textState;
ImageStore imageStore;
SoundStore soundStore;

}  // namespace screen
