# The layer check itself: on a copy of src/ with one include planted that
# points up (world includes draw), it must fail and name the file and line.
#   cmake -DSOURCE=<repository> -DWORK=<scratch folder> -P upward_include_is_refused.cmake
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/src DESTINATION ${WORK})
file(READ ${WORK}/src/world/noise.cpp original)
file(WRITE ${WORK}/src/world/noise.cpp "// planted\n#include \"draw/frame.h\"\n${original}")
execute_process(COMMAND ${SOURCE}/scripts/check-layers.sh ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "the layer check passed a tree in which world includes draw:\n${output}${errors}")
endif()
if(NOT output MATCHES "src/world/noise.cpp:2: world includes \"draw/frame.h\" from the higher layer draw")
  message(FATAL_ERROR "the layer check failed without naming the planted include:\n${output}${errors}")
endif()
message(STATUS "refused as it should be:\n${output}")
