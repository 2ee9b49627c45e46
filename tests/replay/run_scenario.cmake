# Runs one replay scenario and compares what it prints, byte for byte, with
# the expected output.
#
#   cmake -DTOOL=<quarrytop-replay> -DDATA=<data folder> -DSCRIPT=<scenario.txt>
#         -DEXPECTED=<scenario.out> -DACTUAL=<where to keep the output>
#         [-DEMULATOR=<launcher, e.g. wine; words separated by |>] [-DBY_ARGUMENTS=ON]
#         -P run_scenario.cmake
#
# By default the tool runs inside the data folder and reads the script from
# standard input, as the game reads mdl/ relative to its working directory;
# no path has to be translated for an emulator. BY_ARGUMENTS passes
# --data DATA SCRIPT instead.
# The emulator's words come separated by '|'.
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
foreach(name TOOL DATA SCRIPT EXPECTED ACTUAL)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "run_scenario.cmake needs -D${name}=...")
  endif()
endforeach()

get_filename_component(actual_dir ${ACTUAL} DIRECTORY)
file(MAKE_DIRECTORY ${actual_dir})

if(BY_ARGUMENTS)
  execute_process(COMMAND ${EMULATOR} ${TOOL} --data ${DATA} ${SCRIPT}
    OUTPUT_FILE ${ACTUAL} ERROR_VARIABLE errors RESULT_VARIABLE status)
else()
  execute_process(COMMAND ${EMULATOR} ${TOOL}
    WORKING_DIRECTORY ${DATA} INPUT_FILE ${SCRIPT}
    OUTPUT_FILE ${ACTUAL} ERROR_VARIABLE errors RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SCRIPT}: the tool ended with status ${status}:\n${errors}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED}
  RESULT_VARIABLE differ)
if(differ)
  # Name the first line that differs, so a failure says where the world
  # changed.
  file(STRINGS ${ACTUAL} actual_lines)
  file(STRINGS ${EXPECTED} expected_lines)
  list(LENGTH actual_lines actual_count)
  list(LENGTH expected_lines expected_count)
  set(first "")
  foreach(i RANGE 0 ${expected_count})
    set(a "")
    set(e "")
    if(i LESS actual_count)
      list(GET actual_lines ${i} a)
    endif()
    if(i LESS expected_count)
      list(GET expected_lines ${i} e)
    endif()
    if(NOT a STREQUAL e)
      math(EXPR first "${i} + 1")
      break()
    endif()
  endforeach()
  message(FATAL_ERROR "${ACTUAL} differs from ${EXPECTED}"
    " (${actual_count} lines against ${expected_count}; first difference at line ${first}):\n"
    "  got:      ${a}\n  expected: ${e}")
endif()
