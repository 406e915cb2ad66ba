# Helpers shared by every directory of the project.

add_compile_options(-Wall -Wextra)

# A library made of every source file of the named directories under src/.
# Usage: tessaly_library(NAME DIRS dir... LIBS lib...)
function(tessaly_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp
      ${CMAKE_SOURCE_DIR}/src/${dir}/*.h
      ${CMAKE_SOURCE_DIR}/src/${dir}/*.qrc)
    list(APPEND sources ${found})
  endforeach()
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.(cpp|qrc)$")
  if(compiled)
    set(scope PUBLIC)
    add_library(${name} STATIC ${sources})
  else()
    # A layer with no sources yet still carries its include path and links.
    set(scope INTERFACE)
    add_library(${name} INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${ARG_LIBS})
  target_compile_definitions(${name} ${scope}
    TESSALY_VERSION="${PROJECT_VERSION}"
    TESSALY_COMPANY="${TESSALY_COMPANY}"
    TESSALY_COPYRIGHT="${TESSALY_COPYRIGHT}")
endfunction()

# One CTest test per tst_*.cpp file of the calling directory; support_*.cpp
# files of the same directory are compiled into each of them.
# Usage: tessaly_tests(LIBS lib... [DEFINITIONS def...])
function(tessaly_tests)
  cmake_parse_arguments(ARG "" "" "LIBS;DEFINITIONS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support_*.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/support_*.h)
  foreach(test IN LISTS tests)
    get_filename_component(name ${test} NAME_WE)
    add_executable(${name} ${test} ${support})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_definitions(${name} PRIVATE
      TESSALY_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ${ARG_DEFINITIONS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      # English, the language tests compare, whatever the locale of the machine.
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DBUS_SESSION_BUS_ADDRESS=disabled:;LANG=C.UTF-8;LANGUAGE=;LC_ALL=;LC_MESSAGES="
      TIMEOUT 300)
  endforeach()
endfunction()

# A directory's CMakeLists.txt, when its owner has written one.
function(tessaly_optional_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# The include rule of the layers, drawn from the link dependencies: the files
# of a directory may include the headers of their own directory and of every
# library its library links, directly or through another one. Writes FILE
# with one line "dir: allowed-dir..." per layer for the include-layer test.
# Usage: tessaly_layer_table(FILE path LAYERS dir=target...)
function(tessaly_layer_table)
  cmake_parse_arguments(ARG "" "FILE" "LAYERS" ${ARGN})
  set(targets)
  foreach(layer IN LISTS ARG_LAYERS)
    string(REPLACE "=" ";" layer ${layer})
    list(GET layer 0 dir)
    list(GET layer 1 target)
    if(TARGET ${target})
      set(dir_of_${target} ${dir})
      list(APPEND targets ${target})
    endif()
  endforeach()
  set(table "")
  foreach(target IN LISTS targets)
    set(seen ${target})
    set(queue ${target})
    set(allowed)
    while(queue)
      list(POP_FRONT queue current)
      list(APPEND allowed ${dir_of_${current}})
      get_target_property(type ${current} TYPE)
      if(type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
      else()
        get_target_property(links ${current} LINK_LIBRARIES)
      endif()
      foreach(link IN LISTS links)
        if(DEFINED dir_of_${link} AND NOT link IN_LIST seen)
          list(APPEND seen ${link})
          list(APPEND queue ${link})
        endif()
      endforeach()
    endwhile()
    list(SORT allowed)
    list(JOIN allowed " " allowed)
    string(APPEND table "${dir_of_${target}}: ${allowed}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${ARG_FILE} CONTENT "${table}")
endfunction()
