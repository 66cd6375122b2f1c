# Headers are included by their path from the source root ("grid/db/DBGrid.h"),
# but a target sees only the directories of what it links, not the whole root:
# the build tree holds one include root per directory, and in it a single link
# named like the directory. A target that includes a directory it does not
# link then fails to compile, which keeps the layers honest before the
# layering test runs.
#
#   stockin_include_root(TARGET DIR [DIR...] [PRIVATE])
#     TARGET's own directory (and any further one it reaches without linking
#     it, such as a test's view of a program's sources); PUBLIC unless PRIVATE.
function(stockin_include_root_dir out dir)
  string(REPLACE "/" "_" name ${dir})
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  get_filename_component(parent ${root}/${dir} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${dir})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${root}/${dir} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

function(stockin_include_root target)
  cmake_parse_arguments(ARG "PRIVATE" "" "" ${ARGN})
  set(scope PUBLIC)
  if(ARG_PRIVATE)
    set(scope PRIVATE)
  endif()
  foreach(dir IN LISTS ARG_UNPARSED_ARGUMENTS)
    stockin_include_root_dir(root ${dir})
    target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}>)
  endforeach()
endfunction()
