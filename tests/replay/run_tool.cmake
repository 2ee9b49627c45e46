# Runs the replay tool once and checks its exit status and what it prints.
#
#   cmake -DTOOL=<quarrytop-replay> [-DEMULATOR=<launcher>] [-DARG1=.. -DARG2=.. -DARG3=..]
#         [-DINPUT=<file for standard input>] [-DWORKDIR=<folder>]
#         -DSTATUS=<expected exit status> [-DSTDOUT=<regex>] [-DSTDERR=<regex>]
#         -P run_tool.cmake
# The emulator's words come separated by '|'.
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
set(args "")
foreach(n 1 2 3)
  if(DEFINED ARG${n})
    list(APPEND args "${ARG${n}}")
  endif()
endforeach()
set(extra "")
if(DEFINED INPUT)
  list(APPEND extra INPUT_FILE ${INPUT})
endif()
if(DEFINED WORKDIR)
  list(APPEND extra WORKING_DIRECTORY ${WORKDIR})
endif()
execute_process(COMMAND ${EMULATOR} ${TOOL} ${args} ${extra}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  message(FATAL_ERROR "stdout does not match '${STDOUT}':\n${out}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match '${STDERR}':\n${err}")
endif()
