# Checks the export table of a Windows module (DLL or program), read with objdump -p.
#
#   cmake -DOBJDUMP=objdump -DMODULE=file [-DEXACTLY=a,b] [-DINCLUDES=a,b] -P CheckPeExports.cmake
#
# Every exported name must be plain: no @N of a 32-bit stdcall name, no leading underscore.
# EXACTLY: the sorted export names must be exactly these. INCLUDES: these names must be among them.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed: ${err}")
endif()

# The names follow the heading "[Ordinal/Name Pointer] Table", one "[ n] Name" a line.
string(FIND "${out}" "[Ordinal/Name Pointer] Table" at)
set(names "")
if(at GREATER_EQUAL 0)
  string(SUBSTRING "${out}" ${at} -1 table)
  string(REGEX MATCHALL "\n[ \t]*\\[ *[0-9]+\\] [^\n]+" entries "${table}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\n[ \t]*\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND names "${name}")
  endforeach()
endif()
list(SORT names)
get_filename_component(file ${MODULE} NAME)
string(REPLACE "," ";" EXACTLY "${EXACTLY}")
string(REPLACE "," ";" INCLUDES "${INCLUDES}")

set(decorated "")
foreach(name IN LISTS names)
  if(name MATCHES "@[0-9]+$" OR name MATCHES "^_")
    list(APPEND decorated ${name})
  endif()
endforeach()
if(decorated)
  message(FATAL_ERROR "${file} exports decorated names: ${decorated}")
endif()
if(EXACTLY)
  set(expected ${EXACTLY})
  list(SORT expected)
  if(NOT names STREQUAL expected)
    message(FATAL_ERROR "${file} exports [${names}], expected exactly [${expected}]")
  endif()
endif()
foreach(name IN LISTS INCLUDES)
  if(NOT name IN_LIST names)
    message(FATAL_ERROR "${file} does not export ${name}; it exports [${names}]")
  endif()
endforeach()
list(LENGTH names count)
message(STATUS "${file}: ${count} exports, all undecorated")
