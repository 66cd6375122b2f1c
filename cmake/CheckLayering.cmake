cmake_minimum_required(VERSION 3.25)
# Fails when a source file includes a header that its layer may not use:
#   cmake -DROOT=<source tree> [-DLAYERS=<table>] -P CheckLayering.cmake
# The table (cmake/Layers.cmake unless LAYERS names another) says which
# directory may use which, and the order of the folders inside each library.
#
# How an include is read: "x/y.h" is looked up beside the including file first
# (as the compiler does), then from the root when its first folder is one of
# the scanned directories; anything else (<QWidget>, generated files) is no
# part of the house and is passed over. A file belongs to its directory and,
# inside it, to the folder right below the directory ("." for the directory's
# own files); deeper folders count as their folder.
#
# Rules that are easy to break:
# - Every violation is reported, not just the first, each on a line of its own
#   starting with the including file, so that the message is a to-do list.
# - Siblings that include each other are one violation, reported once with an
#   include of each side.

if(NOT ROOT)
  message(FATAL_ERROR "CheckLayering: set ROOT to the source tree")
endif()
if(NOT LAYERS)
  set(LAYERS ${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
endif()

set(directories "")
function(layer_uses dir)
  set(uses_${dir} ${ARGN} PARENT_SCOPE)
  set(directories ${directories} ${dir} PARENT_SCOPE)
endfunction()

# Each folder gets its level (the position of its "<" group) and its unit
# (the knot it is tied into, or itself).
function(layer_order library order)
  set(folders "")
  string(REPLACE "<" ";" levels "${order}")
  set(level 0)
  foreach(group IN LISTS levels)
    string(STRIP "${group}" group)
    string(REGEX REPLACE "[ \t]+" ";" units "${group}")
    foreach(unit IN LISTS units)
      string(REPLACE "+" ";" tied "${unit}")
      foreach(folder IN LISTS tied)
        set(level_${library}/${folder} ${level} PARENT_SCOPE)
        set(unit_${library}/${folder} ${unit} PARENT_SCOPE)
        list(APPEND folders ${folder})
      endforeach()
    endforeach()
    math(EXPR level "${level} + 1")
  endforeach()
  set(ordered_${library} ON PARENT_SCOPE)
  set(folders_${library} ${folders} PARENT_SCOPE)
endfunction()

include(${LAYERS})

# How a folder is named in messages: "grid/" for the directory's own files.
function(folder_name dir folder out)
  if(folder STREQUAL ".")
    set(${out} "${dir}/" PARENT_SCOPE)
  else()
    set(${out} "${dir}/${folder}" PARENT_SCOPE)
  endif()
endfunction()

# The directory and the folder of a path relative to the root.
macro(place_of path dir_var folder_var)
  string(REPLACE "/" ";" parts "${path}")
  list(LENGTH parts depth)
  list(GET parts 0 ${dir_var})
  if(depth GREATER 2)
    list(GET parts 1 ${folder_var})
  else()
    set(${folder_var} ".")
  endif()
endmacro()

set(failures "")
set(sibling_pairs "")
foreach(dir IN LISTS directories)
  file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.cpp)
  list(SORT files)
  set(seen_folders "")
  foreach(file IN LISTS files)
    place_of("${file}" from_dir from_folder)
    if(ordered_${dir} AND NOT DEFINED level_${dir}/${from_folder})
      if(NOT from_folder IN_LIST seen_folders)
        folder_name(${dir} ${from_folder} name)
        string(APPEND failures "${file}: its folder ${name} is not in the order of ${dir}\n")
      endif()
      list(APPEND seen_folders ${from_folder})
      continue()
    endif()
    list(APPEND seen_folders ${from_folder})
    get_filename_component(file_dir ${file} DIRECTORY)
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" header "${line}")
      string(REGEX MATCH "^[^/]+" first "${header}")
      set(target "")
      if(line MATCHES "include[ \t]*\"" AND EXISTS ${ROOT}/${file_dir}/${header})
        get_filename_component(absolute ${ROOT}/${file_dir}/${header} ABSOLUTE)
        file(RELATIVE_PATH target ${ROOT} ${absolute})
      elseif(first IN_LIST directories)
        set(target ${header})
      endif()
      if(NOT target)
        continue()
      endif()
      place_of("${target}" to_dir to_folder)
      if(NOT to_dir IN_LIST directories)
        continue()
      endif()
      if(NOT to_dir STREQUAL from_dir)
        if(NOT to_dir IN_LIST uses_${from_dir})
          string(APPEND failures "${file}: includes ${target} (${from_dir} may not use ${to_dir})\n")
        endif()
        continue()
      endif()
      if(to_folder STREQUAL from_folder OR NOT ordered_${dir} OR NOT DEFINED level_${dir}/${to_folder})
        continue()  # an unordered folder is reported for its own files
      endif()
      set(from_unit ${unit_${dir}/${from_folder}})
      set(to_unit ${unit_${dir}/${to_folder}})
      set(from_level ${level_${dir}/${from_folder}})
      set(to_level ${level_${dir}/${to_folder}})
      if(from_unit STREQUAL to_unit)
        continue()
      elseif(to_level GREATER from_level)
        folder_name(${dir} ${from_folder} lower)
        folder_name(${dir} ${to_folder} higher)
        string(APPEND failures "${file}: includes ${target} (${lower} is below ${higher})\n")
      elseif(to_level EQUAL from_level)
        set(pair ${dir}/${from_unit}__to__${dir}/${to_unit})
        if(NOT DEFINED first_include_${pair})
          set(first_include_${pair} "${file}: includes ${target}")
          list(APPEND sibling_pairs ${pair})
        endif()
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES seen_folders)
  list(LENGTH seen_folders folder_count)
  if(folder_count GREATER 1 AND NOT ordered_${dir})
    string(APPEND failures "${dir}: code in the folders ${seen_folders}, but no layer_order for ${dir}\n")
  endif()
endforeach()

foreach(pair IN LISTS sibling_pairs)
  string(REPLACE "__to__" ";" ends "${pair}")
  list(GET ends 0 one)
  list(GET ends 1 other)
  if(DEFINED first_include_${other}__to__${one} AND one STRLESS other)
    string(APPEND failures "${first_include_${pair}} (${one} and ${other} include each other: "
                           "${first_include_${other}__to__${one}})\n")
  endif()
endforeach()

if(failures)
  # Printed as it is (an error message would be wrapped), one violation a line.
  string(REGEX MATCHALL "\n" lines "${failures}")
  list(LENGTH lines count)
  message("${failures}")
  message(FATAL_ERROR "layering: ${count} violation(s), listed above")
endif()
