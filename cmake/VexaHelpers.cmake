# vexa_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One Qt Test program per module. Every test runs headless with its own user folders, so no test sees
# another's language file, backup log or simulated devices.
function(vexa_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  if(VEXA_SANITIZE STREQUAL "thread")
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/sanitizers/TsanReportFilter.cpp)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VEXA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VEXA_BIN_DIR="${VEXA_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  vexa_test_environment(${name} ${ARG_TIMEOUT} "")
endfunction()

# vexa_test_environment(<test> <timeout> <extra environment>): the headless set-up of one CTest test.
function(vexa_test_environment test timeout extra)
  set(home ${CMAKE_BINARY_DIR}/test-home/${test})
  # A temporary folder of its own: the per-device work folders live there, and a device arriving in one
  # test program sweeps away what it finds, so programs that run side by side must not share it.
  file(MAKE_DIRECTORY ${home}/tmp)
  # ThreadSanitizer runs the same work five to fifteen times slower; the AddressSanitizer build (unoptimised
  # debug code under the checks) two to four times.
  if(VEXA_SANITIZE STREQUAL "thread")
    math(EXPR timeout "${timeout} * 4")
  elseif(VEXA_SANITIZE STREQUAL "address")
    math(EXPR timeout "${timeout} * 2")
  endif()
  set_tests_properties(${test} PROPERTIES
    TIMEOUT ${timeout}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_DISABLE_STACK_DUMP=1;XDG_DATA_HOME=${home}/data;XDG_CONFIG_HOME=${home}/config;XDG_CACHE_HOME=${home}/cache;VEXA_SIM_ROOT=${home}/simulator;VEXA_BACKEND=sim;TMPDIR=${home}/tmp${extra}")
endfunction()

# vexa_add_bench(<name> SOURCES <files...> LIBS <targets...>): a program under bench/ that prints its figures.
function(vexa_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/bench)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  set_property(GLOBAL APPEND PROPERTY VEXA_BENCHMARKS ${name})
endfunction()

# vexa_add_uninstrumented_subdirectory(<folder>): adds a folder without the sanitizer flags, which a
# subdirectory otherwise inherits from the top folder's options at the moment it is added.
macro(vexa_add_uninstrumented_subdirectory folder)
  get_directory_property(_vexa_compile_options COMPILE_OPTIONS)
  get_directory_property(_vexa_link_options LINK_OPTIONS)
  set(_vexa_plain_compile ${_vexa_compile_options})
  list(REMOVE_ITEM _vexa_plain_compile ${VEXA_SANITIZE_FLAGS})
  set(_vexa_plain_link ${_vexa_link_options})
  list(REMOVE_ITEM _vexa_plain_link ${VEXA_SANITIZE_FLAGS})
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${_vexa_plain_compile}" LINK_OPTIONS "${_vexa_plain_link}")
  add_subdirectory(${folder})
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${_vexa_compile_options}" LINK_OPTIONS "${_vexa_link_options}")
endmacro()
