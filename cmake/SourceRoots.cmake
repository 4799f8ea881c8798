# Include roots that expose one source folder under its own name, so that
# "editor/rows/undo.h" resolves for the targets given the root and nothing
# else of the repository does. The repository's top folder is no include path:
# a target sees another's headers only through that target's include/ folder,
# or through its *_internals target when it is a white-box test of it.
function(quill_source_root out folder)
  set(root ${CMAKE_BINARY_DIR}/source-roots/${folder})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()
