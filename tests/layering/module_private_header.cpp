// Must not compile for the host or the runner: the module's inside is private.
#include "editor/window/editor_instance.h"
