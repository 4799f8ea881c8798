// Compiles with what a host-side target sees: the contract, the host's and the
// module's public headers. The control for the two probes that must fail.
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "qst_editor/editor_fields.h"
#include "quill/host.h"
