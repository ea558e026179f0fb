# Each folder names its sources itself, in its own CMakeLists.txt:
#   quillmer_sources(<target> <file>... [ELSEWHERE <file>...])
# adds the files to the floor's library. ELSEWHERE names the folder's .cpp files that another
# target builds (main.cpp). A .cpp in the folder that is on neither list stops the configure
# step: a file added on one branch cannot drop out of the build unnoticed after a merge.
function(quillmer_sources target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "ELSEWHERE")
  set(listed ${ARG_UNPARSED_ARGUMENTS})
  target_sources(${target} PRIVATE ${listed})
  file(GLOB present CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(missing)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST listed AND NOT file IN_LIST ARG_ELSEWHERE)
      list(APPEND missing ${file})
    endif()
  endforeach()
  if(missing)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    message(FATAL_ERROR "${folder}/CMakeLists.txt: add to the source list: ${missing}")
  endif()
endfunction()
