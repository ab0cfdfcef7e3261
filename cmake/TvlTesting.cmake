# Tests and benchmarks of the project.
#
#   tvl_add_test(<name> SOURCES <files...> [LIBS <targets...>]
#                [WINDOWS_SOURCES <files...>] [WINDOWS_LIBS <targets...>])
#       A GoogleTest executable <name> linked to GTest::gtest_main and LIBS; WINDOWS_SOURCES and WINDOWS_LIBS
#       are added in the Windows build only. Natively each test case is its own CTest test, named
#       <name>.<Suite>.<Case>. In the Windows build the whole executable is one CTest test, <name>, run
#       under Wine (each Wine process costs about a second to start). Tests run in the output folder
#       (${CMAKE_BINARY_DIR}/bin); TVL_SOURCE_DIR is defined as the project's source folder. Natively,
#       testing::TempDir() is build/<preset>/testtmp/<name>/ and the cases of one executable run in
#       parallel processes, so each case must use file names of its own there.
#
#   tvl_add_benchmark(<name> SOURCES <files...> [LIBS <targets...>])
#       A Google Benchmark executable <name> linked to benchmark::benchmark_main and LIBS, built only when
#       TVL_BUILD_BENCH is on (native builds). A CTest test <name>.smoke runs every benchmark once
#       (label `bench`); it checks that they run, not how fast.

include_guard(GLOBAL)
include(GoogleTest)
include(${CMAKE_CURRENT_LIST_DIR}/TvlThirdParty.cmake)

# Ceiling for a hung test (a dialog nobody closes), not a measure of speed.
set(TVL_TEST_TIMEOUT 300 CACHE STRING "Seconds after which CTest stops a hung test")

if(TVL_WINDOWS)
    include(${CMAKE_CURRENT_LIST_DIR}/TvlWindowsRuntime.cmake)

    if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
        message(FATAL_ERROR "The Windows build runs its tests under Wine: set CMAKE_CROSSCOMPILING_EMULATOR "
                            "(cmake/mingw-w64.cmake does).")
    endif()
    set(TVL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(TVL_WINE_ENVIRONMENT WINEDEBUG=-all WINEPREFIX=${TVL_WINEPREFIX} "WINEDLLOVERRIDES=mscoree,mshtml=")

    set(_TVL_WINEPREFIX_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/TvlWinePrefix.cmake)
endif()

# The Wine prefix is created by one setup test that every Windows test requires, so tests run in parallel
# never race to create it. Added with the first test, so that a tree without tests still has none.
function(_tvl_add_wineprefix_setup)
    get_property(_added GLOBAL PROPERTY _TVL_WINEPREFIX_SETUP_ADDED)
    if(_added)
        return()
    endif()
    set_property(GLOBAL PROPERTY _TVL_WINEPREFIX_SETUP_ADDED TRUE)
    add_test(NAME tvl_wineprefix
             COMMAND ${CMAKE_COMMAND} -DWINE=${CMAKE_CROSSCOMPILING_EMULATOR} -DWINEPREFIX=${TVL_WINEPREFIX}
                     -P ${_TVL_WINEPREFIX_SCRIPT})
    set_tests_properties(tvl_wineprefix PROPERTIES FIXTURES_SETUP tvl_wine LABELS windows
                                                   TIMEOUT ${TVL_TEST_TIMEOUT})
endfunction()

function(tvl_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS;WINDOWS_SOURCES;WINDOWS_LIBS")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tvl_add_test(${name}): unexpected arguments: ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT ARG_SOURCES)
        message(FATAL_ERROR "tvl_add_test(${name}): SOURCES is required")
    endif()

    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE TVL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

    if(TVL_WINDOWS)
        target_sources(${name} PRIVATE ${ARG_WINDOWS_SOURCES})
        target_link_libraries(${name} PRIVATE ${ARG_WINDOWS_LIBS})
        add_dependencies(${name} tvl_mingw_runtime)
        _tvl_add_wineprefix_setup()
        # CMake puts the emulator (Wine) in front of the executable.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "${TVL_WINE_ENVIRONMENT}"
            WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
            FIXTURES_REQUIRED tvl_wine
            LABELS windows
            TIMEOUT ${TVL_TEST_TIMEOUT})
    else()
        # testing::TempDir() is a folder of this build and executable, not the /tmp shared by every build
        # on the machine. Cases of one executable still run in parallel: name their files apart.
        set(_tmp ${CMAKE_BINARY_DIR}/testtmp/${name})
        file(MAKE_DIRECTORY ${_tmp})
        gtest_discover_tests(${name}
            TEST_PREFIX "${name}."
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 120
            WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
            PROPERTIES TIMEOUT ${TVL_TEST_TIMEOUT} ENVIRONMENT TEST_TMPDIR=${_tmp}/)
    endif()
endfunction()

function(tvl_add_benchmark name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tvl_add_benchmark(${name}): unexpected arguments: ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT ARG_SOURCES)
        message(FATAL_ERROR "tvl_add_benchmark(${name}): SOURCES is required")
    endif()
    if(NOT TVL_BUILD_BENCH)
        return()
    endif()

    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
    target_compile_definitions(${name} PRIVATE TVL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${name}.smoke COMMAND ${name} --benchmark_min_time=0)
    set_tests_properties(${name}.smoke PROPERTIES
        WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
        LABELS bench
        TIMEOUT ${TVL_TEST_TIMEOUT})
endfunction()
