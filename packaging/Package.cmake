# `make package`: a Debian package of everything `cmake --install` puts in place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmaker)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QUILL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the programs link, as dpkg-shlibdeps reads them;
# the private folder holds libraries of this package, not of another.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
# quill-lib graph --svg runs dot.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS graphviz)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "structure editor of the Quillmaker development environment")
# CPack puts the summary first and indents the lines; an empty line parts paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillmaker edits the structures of a library file: named record types, each
an ordered list of variables with a name, a type and, for decimals, the
number of decimal positions. The desktop program quillmaker shows a structure
as rows to type into, cut, copy, paste, drag, undo, save and print.

quill-lib lists, shows, checks, compares, exports and imports the structures
of a library from the command line; quill-script runs scenario files against
the editor without a screen.")
include(CPack)
