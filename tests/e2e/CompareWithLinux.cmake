# Runs the example board through the Windows host (under the emulator) and through the Linux
# host, each on its own copy, and requires the two library documents to be identical byte for byte.
#
#   cmake -DEMULATOR=a,b -DWINDOWS_HOST=exe -DLINUX_HOST=program -DBOARD=file -DWORK=dir -P ...
#
# Exits with 77 (skipped) when the Linux host has not been built.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${LINUX_HOST}")
  message("Linux host ${LINUX_HOST} not built: build the default preset first")
  cmake_language(EXIT 77)
endif()
string(REPLACE "," ";" EMULATOR "${EMULATOR}")
get_filename_component(name "${BOARD}" NAME_WE)
file(REMOVE_RECURSE "${WORK}")
foreach(side windows linux)
  file(MAKE_DIRECTORY "${WORK}/${side}")
  file(COPY "${BOARD}" DESTINATION "${WORK}/${side}")
endforeach()
execute_process(COMMAND ${EMULATOR} "${WINDOWS_HOST}" "${WORK}/windows/${name}.PcbDoc"
                RESULT_VARIABLE windows_rc OUTPUT_VARIABLE windows_out ERROR_VARIABLE windows_out)
execute_process(COMMAND "${LINUX_HOST}" "${WORK}/linux/${name}.PcbDoc"
                RESULT_VARIABLE linux_rc OUTPUT_VARIABLE linux_out ERROR_VARIABLE linux_out)
if(NOT windows_rc EQUAL 0 OR NOT linux_rc EQUAL 0)
  message(FATAL_ERROR "host runs failed: Windows ${windows_rc}: ${windows_out}\nLinux ${linux_rc}: ${linux_out}")
endif()
foreach(side windows linux)
  if(NOT EXISTS "${WORK}/${side}/${name}.PcbLib")
    message(FATAL_ERROR "the ${side} host wrote no ${name}.PcbLib")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/windows/${name}.PcbLib"
                        "${WORK}/linux/${name}.PcbLib" RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the libraries differ: ${WORK}/windows/${name}.PcbLib and ${WORK}/linux/${name}.PcbLib")
endif()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "${name}.PcbLib is the same on Windows and Linux")
