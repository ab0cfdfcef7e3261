# Outside libraries, found or built once here so that every folder uses the same targets:
#   GTest::gtest, GTest::gtest_main      GoogleTest (both builds)
#   benchmark::benchmark, benchmark::benchmark_main   Google Benchmark (native builds with TVL_BUILD_BENCH)
#   nlohmann_json::nlohmann_json         JSON for reports and tests (both builds; header only)
#   RapidJSON::RapidJSON                 the fast JSON reader of scene files (both builds; header only)
# Included before the project's warning flags are set, so those never apply to the outside sources.

if(TVL_WINDOWS)
    # No Windows build of GoogleTest is packaged: compile Debian's sources with the cross compiler.
    set(TVL_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
    if(NOT EXISTS ${TVL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest sources not found in ${TVL_GOOGLETEST_SOURCE_DIR} (apt-get install googletest)")
    endif()
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    # Its own CMake files define the aliases GTest::gtest and GTest::gtest_main.
    add_subdirectory(${TVL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest 1.10 REQUIRED)
endif()

if(TVL_BUILD_BENCH)
    find_package(benchmark REQUIRED)
endif()

if(TVL_WINDOWS)
    # nlohmann-json is installed for the build machine only, and the cross build must not search /usr/include
    # (glibc's headers would shadow mingw's). The library is header only and the same for every target, so
    # copy just its headers into the build tree and offer them under the package's usual target name.
    find_path(TVL_NLOHMANN_JSON_INCLUDE_DIR nlohmann/json.hpp
        PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT TVL_NLOHMANN_JSON_INCLUDE_DIR)
        message(FATAL_ERROR "nlohmann/json.hpp not found (apt-get install nlohmann-json3-dev)")
    endif()
    set(_tvl_json_include ${CMAKE_BINARY_DIR}/_deps/nlohmann_json/include)
    file(COPY ${TVL_NLOHMANN_JSON_INCLUDE_DIR}/nlohmann DESTINATION ${_tvl_json_include})
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${_tvl_json_include}
        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${_tvl_json_include})
    # A later find_package(nlohmann_json) anywhere in the tree finds this target instead of searching.
    set(_tvl_json_config ${CMAKE_BINARY_DIR}/_deps/nlohmann_json/config)
    file(WRITE ${_tvl_json_config}/nlohmann_jsonConfig.cmake
        "# The target nlohmann_json::nlohmann_json is defined by the root project (cmake/TvlThirdParty.cmake).\n")
    file(WRITE ${_tvl_json_config}/nlohmann_jsonConfigVersion.cmake
        "set(PACKAGE_VERSION 3)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
    set(nlohmann_json_DIR ${_tvl_json_config} CACHE PATH "" FORCE)
else()
    find_package(nlohmann_json 3 REQUIRED)
endif()

# RapidJSON reads scene files. Header only, like nlohmann-json: the Windows build takes a copy of the
# headers for the same reason.
find_path(TVL_RAPIDJSON_INCLUDE_DIR rapidjson/reader.h PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TVL_RAPIDJSON_INCLUDE_DIR)
    message(FATAL_ERROR "rapidjson/reader.h not found (apt-get install rapidjson-dev)")
endif()
if(TVL_WINDOWS)
    set(_tvl_rapidjson_include ${CMAKE_BINARY_DIR}/_deps/rapidjson/include)
    file(COPY ${TVL_RAPIDJSON_INCLUDE_DIR}/rapidjson DESTINATION ${_tvl_rapidjson_include})
else()
    set(_tvl_rapidjson_include ${TVL_RAPIDJSON_INCLUDE_DIR})
endif()
add_library(RapidJSON::RapidJSON INTERFACE IMPORTED GLOBAL)
set_target_properties(RapidJSON::RapidJSON PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${_tvl_rapidjson_include}
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${_tvl_rapidjson_include})
