# What every target of ours states for itself: the language standard and
# the warnings (errors under LV_WERROR), and which folders its sources may
# include from.

# C++20 without compiler extensions, and the warnings we keep at zero.
function(lv_target_defaults target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_compile_features(${target} INTERFACE cxx_std_20)
    return()
  endif()
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${LV_WERROR}>:-Werror>)
endfunction()

# Includes are written from the project root ("framework/runtime/Object.h"),
# yet the root itself is nobody's include folder: it would let any file
# include any other. Instead the target gets an include folder of its own in
# the build tree, holding links to exactly the source folders, or single
# headers where only part of a folder is an interface, that it may include,
# each at its place in the tree. An include of anything else does not
# compile. PUBLIC or INTERFACE hands the folder on to whoever links the
# target, the way a layer sees the layers below it.
#
#   lv_include_root(<target> <PRIVATE|PUBLIC|INTERFACE> <path from the root>...)
function(lv_include_root target scope)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  # Made afresh, so that a path taken off the list is no longer seen. Only
  # the links go; what they point to stays.
  file(REMOVE_RECURSE ${root})
  foreach(path IN LISTS ARGN)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${path})
      message(FATAL_ERROR "lv_include_root(${target}): there is no ${path} in the tree")
    endif()
    cmake_path(GET path PARENT_PATH parent)
    file(MAKE_DIRECTORY ${root}/${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()
