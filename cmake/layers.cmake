# The layers of src/, lowest first, and who may use whom; read by the build and by both checks.
# A layer is a static library of one or more folders. A file may use its own layer and the
# levels below it: layout/ (what is shown or printed: schedule text, the chart's layout, the
# fields' widths and masks) serves both faces, cli/ and the window's layers above screen/;
# screen/ and cli/ stand side by side and know nothing of each other, and
# controls/ and editor/ are one layer because they call each other. Files directly in src/
# (main.cpp) stand above every layer.
set(QUILLO_LAYER_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})
set(QUILLO_LAYERS money layout screen cli controls colours app)
set(LAYER_FOLDERS_money money)
set(LAYER_FOLDERS_layout layout)
set(LAYER_FOLDERS_screen screen)
set(LAYER_FOLDERS_cli cli)
set(LAYER_FOLDERS_controls controls editor)
set(LAYER_FOLDERS_colours colours)
set(LAYER_FOLDERS_app app)
set(LAYER_LEVEL_money 0)
set(LAYER_LEVEL_layout 1)
set(LAYER_LEVEL_screen 2)
set(LAYER_LEVEL_cli 2)
set(LAYER_LEVEL_controls 3)
set(LAYER_LEVEL_colours 4)
set(LAYER_LEVEL_app 5)
foreach(layer ${QUILLO_LAYERS})
  foreach(folder ${LAYER_FOLDERS_${layer}})
    set(LAYER_OF_${folder} ${layer})
  endforeach()
endforeach()

# Sets `result` to "up" when layer `user` may not use layer `used` because it stands higher,
# to "across" when it stands beside it, and to "" when the use is allowed.
function(layer_use_problem user used result)
  if(user STREQUAL used OR LAYER_LEVEL_${used} LESS LAYER_LEVEL_${user})
    set(${result} "" PARENT_SCOPE)
  elseif(LAYER_LEVEL_${used} EQUAL LAYER_LEVEL_${user})
    set(${result} "across" PARENT_SCOPE)
  else()
    set(${result} "up" PARENT_SCOPE)
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  return()
endif()

# What differs between the systems sits in a subfolder of screen/ named for the system; the
# build takes the one it builds for.
if(WIN32)
  set(QUILLO_HOST windows)
else()
  set(QUILLO_HOST posix)
endif()

# One static library per layer, quillo_<layer>, from the sources of its folders under
# `root`/src and of their subfolder for this system (the platform backends left out: they are
# chosen at link time). Each links only the
# layers below it, and none is compiled before the include check has passed, so a wrong include
# fails the build of the program itself.
function(quillo_add_layers root)
  file(GLOB_RECURSE layered ${root}/src/*)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/layerCheck.stamp
    COMMAND ${CMAKE_COMMAND} -DSOURCE_ROOT=${root} -DSTAMP=${CMAKE_BINARY_DIR}/layerCheck.stamp
            -P ${QUILLO_LAYER_SCRIPTS}/checkLayers.cmake
    DEPENDS ${layered} ${QUILLO_LAYER_SCRIPTS}/checkLayers.cmake ${QUILLO_LAYER_SCRIPTS}/layers.cmake
    COMMENT "Checking that includes keep to the layers"
    VERBATIM)
  add_custom_target(layerCheck DEPENDS ${CMAKE_BINARY_DIR}/layerCheck.stamp)
  set(built "")
  foreach(layer ${QUILLO_LAYERS})
    set(sources "")
    foreach(folder ${LAYER_FOLDERS_${layer}})
      file(GLOB found CONFIGURE_DEPENDS ${root}/src/${folder}/*.cpp
           ${root}/src/${folder}/${QUILLO_HOST}/*.cpp)
      list(FILTER found EXCLUDE REGEX "/src/screen/([a-z]+/)?platform[A-Za-z0-9]*\\.cpp$")
      list(APPEND sources ${found})
    endforeach()
    if(NOT sources)
      continue()
    endif()
    add_library(quillo_${layer} STATIC ${sources})
    target_include_directories(quillo_${layer} PUBLIC ${root}/src)
    foreach(below ${built})
      layer_use_problem(${layer} ${below} problem)
      if(problem STREQUAL "")
        target_link_libraries(quillo_${layer} PRIVATE quillo_${below})
      endif()
    endforeach()
    add_dependencies(quillo_${layer} layerCheck)
    list(APPEND built ${layer})
  endforeach()
  set(QUILLO_BUILT_LAYERS ${built} PARENT_SCOPE)
endfunction()

# Before `target` is linked, refuses a call from one layer's library into a layer above or
# beside it.
function(quillo_check_layer_calls target root)
  find_program(CXXFILT c++filt)
  set(libraries "")
  foreach(layer ${QUILLO_BUILT_LAYERS})
    list(APPEND libraries -DLIBRARY_${layer}=$<TARGET_FILE:quillo_${layer}>)
  endforeach()
  add_custom_command(TARGET ${target} PRE_LINK
    COMMAND ${CMAKE_COMMAND} -DSOURCE_ROOT=${root} ${libraries} -DNM=${CMAKE_NM}
            -DCXXFILT=${CXXFILT} -P ${QUILLO_LAYER_SCRIPTS}/checkLayerSymbols.cmake
    COMMENT "Checking that calls keep to the layers"
    VERBATIM)
endfunction()
