// Must not compile for a target that only links the host: its src/ is private.
#include "quill/src/pool.h"
