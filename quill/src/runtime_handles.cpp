// The editors' handles on the runtime and the blocks handed out through them.
#include <algorithm>

#include "quill/src/runtime_state.h"

namespace quill {

HostRuntime* Runtime::openHandle(HostPool* editorPool) {
  auto handle = std::make_unique<HostRuntime>();
  handle->runtime = this;
  handle->pool = editorPool;
  impl_->handles.push_back(std::move(handle));
  return impl_->handles.back().get();
}

void Runtime::closeHandle(HostRuntime* handle) {
  // Ended handles are kept until the runtime goes so that a late call through
  // one is refused instead of touching freed memory.
  for (const auto& owned : impl_->handles) {
    if (owned.get() == handle) {
      owned->live = false;
      owned->pool = nullptr;
    }
  }
}

int Runtime::liveHandles() const {
  return static_cast<int>(
      std::count_if(impl_->handles.begin(), impl_->handles.end(), [](const auto& handle) { return handle->live; }));
}

Runtime::Trail Runtime::trail(const HostRuntime* handle) const {
  for (const auto& owned : impl_->handles) {
    if (owned.get() == handle) return owned->trail;
  }
  return {};
}

int Runtime::liveBlocks() const { return static_cast<int>(impl_->blocks.size()); }

}  // namespace quill
