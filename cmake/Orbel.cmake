# Helpers shared by every component's CMakeLists.

# orbel_component_sources(<var> <dir>): the .cpp files of a component folder
# (not its subfolders), picked up as they are added. A folder without any is
# a broken checkout, not an empty component.
function(orbel_component_sources var dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    message(FATAL_ERROR "${dir} holds no .cpp file")
  endif()
  set(${var} ${_src} PARENT_SCOPE)
endfunction()

# orbel_add_test(<name> SOURCES ... LIBS ... [LOCK <resource>])
# One GoogleTest executable; its cases are registered with CTest one by one.
# Windows are offscreen in every test. Cases of executables naming the same
# LOCK never run at the same time (the real-window tests share the screen
# driver).
function(orbel_add_test name)
  cmake_parse_arguments(T "" "LOCK" "SOURCES;LIBS" ${ARGN})
  set(_lock)
  if(T_LOCK)
    set(_lock RESOURCE_LOCK ${T_LOCK})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORBEL_BIN_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Where the sample files are (tests/TestData.h reads it).
  target_compile_definitions(${name} PRIVATE
    ORBEL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${ORBEL_BIN_DIR}/tests
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300 ${_lock})
endfunction()

# orbel_add_plugin(<name> <extension> SOURCES ...)
# A plug-in library: its own copy of the model classes, nothing exported but
# GetPlugin, written to Plugins/<name><extension> beside the program.
function(orbel_add_plugin name ext)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${P_SOURCES})
  set_property(GLOBAL APPEND PROPERTY ORBEL_PLUGINS ${name})
  target_link_libraries(${name} PRIVATE orbel_plugin_common orbel_model ${P_LIBS})
  set_target_properties(${name} PROPERTIES
    PREFIX "" SUFFIX "${ext}"
    LIBRARY_OUTPUT_DIRECTORY ${ORBEL_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    BUILD_RPATH "\$ORIGIN/..")
  # GCC marks some inline variables as unique symbols, which no version
  # script can hide and which would keep the library loaded for good.
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
  target_link_options(${name} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/plugins/common/Exports.map)
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/plugins/common/Exports.map)
endfunction()

# orbel_platform_library(<target> <dir>): a shared library of the layer made of
# <dir>/src/*.cpp with public headers in <dir>/include. It exports only what
# those headers mark ORBEL_API.
function(orbel_platform_library target dir)
  orbel_component_sources(_src ${dir}/src)
  add_library(${target} SHARED ${_src})
  target_include_directories(${target} PUBLIC ${dir}/include)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# orbel_folder_test(<name> LIBS ...): the test program made of every .cpp in the
# calling folder.
function(orbel_folder_test name)
  cmake_parse_arguments(F "" "LOCK" "LIBS" ${ARGN})
  orbel_component_sources(_src ${CMAKE_CURRENT_SOURCE_DIR})
  if(F_LOCK)
    orbel_add_test(${name} SOURCES ${_src} LIBS ${F_LIBS} LOCK ${F_LOCK})
  else()
    orbel_add_test(${name} SOURCES ${_src} LIBS ${F_LIBS})
  endif()
endfunction()
