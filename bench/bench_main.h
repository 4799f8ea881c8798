// The benchmark program's own entry points besides Google Benchmark's cases.
#pragma once

namespace quillbench {

// `quill-bench --memory-child MODE ROWS LIBRARY`: one measured run in a fresh process.
int RunMemoryChild(int argc, char** argv);

}  // namespace quillbench
