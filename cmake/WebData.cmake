# The browser build's data packs: folders of the repository preloaded into
# emscripten's virtual file system under the same relative paths, written by
# emscripten's file packager as a script (quarrytop-data.js) and its data
# (quarrytop.data). The page loads the script before the game's, so the files
# are in place when the game starts.
find_program(QUARRYTOP_FILE_PACKAGER file_packager.py
  HINTS ${EMSCRIPTEN_ROOT_PATH}/tools /usr/share/emscripten/tools
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(QUARRYTOP_PYTHON python3 HINTS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# quarrytop_data_pack(TARGET OUTPUT_DIR FOLDER...): the pack of the folders
# in OUTPUT_DIR, made by TARGET, remade when a file in the folders changes.
function(quarrytop_data_pack target output_dir)
  set(preload "")
  set(inputs "")
  foreach(folder IN LISTS ARGN)
    list(APPEND preload --preload ${folder}@${folder})
    file(GLOB folder_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*)
    list(APPEND inputs ${folder_files})
  endforeach()
  add_custom_command(
    OUTPUT ${output_dir}/quarrytop-data.js ${output_dir}/quarrytop.data
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND ${QUARRYTOP_PYTHON} ${QUARRYTOP_FILE_PACKAGER} ${output_dir}/quarrytop.data ${preload}
      --js-output=${output_dir}/quarrytop-data.js
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DEPENDS ${inputs}
    COMMENT "Data pack ${target}: ${ARGN}")
  add_custom_target(${target} ALL DEPENDS ${output_dir}/quarrytop-data.js)
endfunction()
