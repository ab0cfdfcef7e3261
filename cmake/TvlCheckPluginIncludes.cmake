# Script mode (cmake -P): fails when a file of the plug-in folders includes a header that only the host's
# own code may use. The plug-in is built against the SDK headers (host/sdk/include) alone, as a real
# plug-in is; the host object (host/sdk/hostinclude), the SDK's sources, the product stand-ins and the
# host tool are out of its reach.
# Arguments: -DSOURCE_DIR=<project> -DFOLDERS=<folder;...> -DSTAMP=<file written when the check passes>.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT FOLDERS OR NOT STAMP)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<dir> -DFOLDERS=<a;b> -DSTAMP=<file> -P TvlCheckPluginIncludes.cmake")
endif()

set(_patterns *.h *.hpp *.cpp *.rc)

# The plug-in's own files: a name of theirs is always the plug-in's, whatever the host has.
set(_plugin_files)
set(_own_names)
foreach(_folder IN LISTS FOLDERS)
    foreach(_pattern IN LISTS _patterns)
        file(GLOB_RECURSE _found ${SOURCE_DIR}/${_folder}/${_pattern})
        list(APPEND _plugin_files ${_found})
    endforeach()
endforeach()
foreach(_file IN LISTS _plugin_files)
    get_filename_component(_name ${_file} NAME)
    list(APPEND _own_names ${_name})
endforeach()

# Host-only files, by name.
set(_host_only_names)
foreach(_dir IN ITEMS host/sdk/hostinclude host/sdk/src host/products host/app host/ui)
    file(GLOB_RECURSE _found ${SOURCE_DIR}/${_dir}/*.h ${SOURCE_DIR}/${_dir}/*.hpp)
    foreach(_file IN LISTS _found)
        get_filename_component(_name ${_file} NAME)
        if(NOT _name IN_LIST _own_names)
            list(APPEND _host_only_names ${_name})
        endif()
    endforeach()
endforeach()

set(_errors)
foreach(_file IN LISTS _plugin_files)
    file(STRINGS ${_file} _lines REGEX "^[ \t]*#[ \t]*include")
    foreach(_line IN LISTS _lines)
        if(NOT _line MATCHES "#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
            continue()
        endif()
        set(_included ${CMAKE_MATCH_1})
        get_filename_component(_name ${_included} NAME)
        if(_name IN_LIST _host_only_names OR _included MATCHES "(^|/|\\\\)host[/\\\\]")
            file(RELATIVE_PATH _rel ${SOURCE_DIR} ${_file})
            list(APPEND _errors "  ${_rel}: ${_included}")
        endif()
    endforeach()
endforeach()

if(_errors)
    list(JOIN _errors "\n" _text)
    message(FATAL_ERROR "The plug-in includes headers of the host's own code; it may use the SDK headers "
                        "(host/sdk/include) only:\n${_text}")
endif()
file(WRITE ${STAMP} "plug-in includes checked\n")
