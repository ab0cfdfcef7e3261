# Script mode (cmake -P): writes the plug-in's string table, read from its resource script, as a C++ table
# for builds that have no resource compiler at run time (the native build). The texts stay in the .rc only.
# Arguments: -DRC=<resource script> -DHEADER=<resource.h naming the IDs> -DOUT=<header to write>.

cmake_minimum_required(VERSION 3.25)

if(NOT RC OR NOT HEADER OR NOT OUT)
    message(FATAL_ERROR "usage: cmake -DRC=<file.rc> -DHEADER=<resource.h> -DOUT=<file.h> -P TvlStringTable.cmake")
endif()

# The numbers behind the symbolic IDs.
file(STRINGS ${HEADER} _defines REGEX "^#define[ \t]+[A-Za-z_0-9]+[ \t]+[0-9]+[ \t]*$")
foreach(_define IN LISTS _defines)
    string(REGEX MATCH "^#define[ \t]+([A-Za-z_0-9]+)[ \t]+([0-9]+)" _ ${_define})
    set(_id_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
endforeach()

# The block between the STRINGTABLE's BEGIN and END.
file(READ ${RC} _rc)
string(FIND "${_rc}" "\nSTRINGTABLE" _start)
if(_start LESS 0)
    message(FATAL_ERROR "${RC}: no STRINGTABLE")
endif()
string(SUBSTRING "${_rc}" ${_start} -1 _rc)
string(FIND "${_rc}" "\nBEGIN" _begin)
string(FIND "${_rc}" "\nEND" _end)
if(_begin LESS 0 OR _end LESS _begin)
    message(FATAL_ERROR "${RC}: the STRINGTABLE has no BEGIN ... END")
endif()
math(EXPR _begin "${_begin} + 6")
math(EXPR _length "${_end} - ${_begin}")
string(SUBSTRING "${_rc}" ${_begin} ${_length} _block)
string(REPLACE ";" "\\;" _block "${_block}")
string(REPLACE "\n" ";" _lines "${_block}")

set(_rows "")
foreach(_line IN LISTS _lines)
    if(_line MATCHES "^[ \t]*$" OR _line MATCHES "^[ \t]*//")
        continue()
    endif()
    if(NOT _line MATCHES "^[ \t]*([A-Za-z_0-9]+)[ \t,]+\"(([^\"]|\"\")*)\"[ \t]*$")
        message(FATAL_ERROR "${RC}: a string table line this script does not read: ${_line}")
    endif()
    set(_name ${CMAKE_MATCH_1})
    set(_text "${CMAKE_MATCH_2}")
    if(_name MATCHES "^[0-9]+$")
        set(_id ${_name})
    elseif(DEFINED _id_${_name})
        set(_id ${_id_${_name}})
    else()
        message(FATAL_ERROR "${RC}: ${_name} is not defined in ${HEADER}")
    endif()
    # A doubled quote is the resource compiler's way of writing one; C escapes are read alike.
    string(REPLACE "\"\"" "\\\"" _text "${_text}")
    string(APPEND _rows "    {${_id}, L\"${_text}\"},  // ${_name}\n")
endforeach()

set(_content "// Written by cmake/TvlStringTable.cmake from the plug-in's resource script; do not edit.\n\n")
string(APPEND _content "static const StringTableRow kStringTable[] = {\n${_rows}};\n")
# Rewritten only when it changed, so that its users are not rebuilt for nothing.
if(EXISTS ${OUT})
    file(READ ${OUT} _old)
    if(_old STREQUAL _content)
        return()
    endif()
endif()
file(WRITE ${OUT} "${_content}")
