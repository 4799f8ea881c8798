# Reads qst.dll's export table with the cross binutils' objdump and requires
# exactly the module's four exports, by name and undecorated.
#   cmake -DOBJDUMP=... -DDLL=qst.dll -P check_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${DLL}")
endif()

# The names: the lines "[   n] NAME" after "[Ordinal/Name Pointer] Table".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${DLL} has no export name table")
endif()
string(SUBSTRING "${dump}" ${start} -1 names_part)
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" lines "${names_part}")
set(names "")
foreach(line ${lines})
  string(REGEX REPLACE "^\n\t\\[ *[0-9]+\\] " "" name "${line}")
  list(APPEND names "${name}")
endforeach()

# Every exported address has its name: no export by ordinal only.
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] \\+base\\[ *[0-9]+\\] [0-9a-f]+ Export RVA" addresses "${dump}")
list(LENGTH addresses address_count)

set(expected QST_Create QST_Main QST_UpdateStructureGetChar WEP)
list(SORT names)
if(NOT names STREQUAL expected OR NOT address_count EQUAL 4)
  message(FATAL_ERROR "qst.dll exports [${names}] at ${address_count} addresses; expected exactly [${expected}]")
endif()
message(STATUS "qst.dll exports exactly: ${names}")
