# Fails when a layer's library calls into a layer above it or beside it, however it came to know
# the function (an include the other check missed, or a declaration written by hand): every
# symbol a layer's objects leave undefined must not be one that such a layer defines.
# Run as: cmake -DSOURCE_ROOT=<dir holding src/> -DLIBRARY_<layer>=<archive>... -DNM=<nm>
#         [-DCXXFILT=<c++filt>] -P checkLayerSymbols.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)

set(layers "")
foreach(layer ${QUILLO_LAYERS})
  if(NOT LIBRARY_${layer})
    continue()
  endif()
  list(APPEND layers ${layer})
  # POSIX format, one line per symbol: "archive[member.o]: name type value size".
  execute_process(COMMAND ${NM} -A -g -P ${LIBRARY_${layer}} OUTPUT_VARIABLE symbols
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot list the symbols of ${LIBRARY_${layer}}")
  endif()
  # Brackets would keep a CMake list from splitting at its semicolons.
  string(REPLACE "[" "<" symbols "${symbols}")
  string(REPLACE "]" ">" symbols "${symbols}")
  string(REGEX MATCHALL "<[^>\n]+>: [^ \n]+ U" undefined_${layer} "${symbols}")
  # Only strong definitions: inline functions and templates are defined weakly wherever used.
  string(REGEX MATCHALL ">: [^ \n]+ [TDBR]" defined "${symbols}")
  foreach(definition ${defined})
    string(REGEX REPLACE "^>: ([^ ]+) .$" "\\1" name "${definition}")
    set(DEFINED_BY_${name} ${layer})
  endforeach()
endforeach()

set(problems "")
foreach(layer ${layers})
  foreach(use ${undefined_${layer}})
    string(REGEX REPLACE "^<([^>]+)>: ([^ ]+) U$" "\\1;\\2" fields "${use}")
    list(GET fields 0 member)
    list(GET fields 1 name)
    set(owner ${DEFINED_BY_${name}})
    if(NOT owner)
      continue()  # the C++ library, the system, or the platform backend
    endif()
    layer_use_problem(${layer} ${owner} problem)
    if(problem STREQUAL "")
      continue()
    endif()
    # The object "textGrid.cpp.o" of the screen layer is src/screen/textGrid.cpp.
    string(REGEX REPLACE "\\.o(bj)?$" "" file ${member})
    foreach(folder ${LAYER_FOLDERS_${layer}})
      if(EXISTS ${SOURCE_ROOT}/src/${folder}/${file})
        set(file src/${folder}/${file})
        break()
      endif()
    endforeach()
    set(shown ${name})
    if(CXXFILT)
      execute_process(COMMAND ${CXXFILT} ${name} OUTPUT_VARIABLE shown
                      OUTPUT_STRIP_TRAILING_WHITESPACE)
    endif()
    if(problem STREQUAL "up")
      string(APPEND problems "  ${file} (layer ${layer}) calls ${shown} of ${owner}, a layer above\n")
    else()
      string(APPEND problems "  ${file} (layer ${layer}) calls ${shown} of ${owner}, a layer beside it\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Calls that cross the layers:\n${problems}")
endif()
