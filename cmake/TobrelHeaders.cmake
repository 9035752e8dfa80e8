# Each library shows its dependents its own headers and no others, so that
# the build, not only habit, keeps the layers: a library that includes a
# header of one it does not link fails to compile.
#
# Headers are included by their folder ("core/log_store.h"). For a folder
# FOLDER of the sources, build/include/FOLDER/ holds one symbolic link named
# FOLDER to it, and that folder is the library's public include folder.
function(tobrel_headers target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
