# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of the game logic. Every folder of src/ is one library, and a folder may use (include
# and link) only the folders named when it is declared, together with everything those use. A
# folder can name only folders declared before it, so the folders form no cycle; and the build
# checks every source's #include "<folder>/..." lines against the folders it may use, so a header
# cannot reach around the graph either (cmake/check_includes.cmake).

# tessaroon_check_includes(<name> FOLDERS <folders...> MAY_USE <folders...> [FILES <files...>])
# Checks the .h and .cpp files of the given folders (plus FILES) before <name> builds: each
# #include "x/..." must name one of the folders themselves or one of MAY_USE.
function(tessaroon_check_includes name)
    cmake_parse_arguments(ARG "" "" "FOLDERS;MAY_USE;FILES" ${ARGN})
    set(files ${ARG_FILES})
    foreach(folder ${ARG_FOLDERS})
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h
             ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
        list(APPEND files ${found})
    endforeach()
    set(allowed ${ARG_FOLDERS} ${ARG_MAY_USE})
    list(REMOVE_DUPLICATES allowed)
    string(REPLACE ";" "," allowed_text "${allowed}")
    string(REPLACE ";" "," files_text "${files}")
    set(stamp ${CMAKE_BINARY_DIR}/layers/${name}.checked)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DNAME=${name} -DALLOWED=${allowed_text} -DFILES=${files_text}
                -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
        COMMENT "Checking what ${name} includes"
        VERBATIM)
    add_custom_target(${name}_includes DEPENDS ${stamp})
    add_dependencies(${name} ${name}_includes)
endfunction()

# tessaroon_library(<folder> [USES <folders...>] [LINKS <other targets...>] [PROGRAMS_ONLY])
# The static library tessaroon_<folder> of src/<folder>/*.cpp (files named qt_*.cpp excepted:
# they are the folder's Qt part, see tessaroon_qt_part). It links the libraries of USES and may
# include their headers and the headers of everything they use. A PROGRAMS_ONLY folder serves the
# programs, not the game logic: its sources stay out of the fuzz targets' copy of the logic.
function(tessaroon_library folder)
    cmake_parse_arguments(ARG "PROGRAMS_ONLY" "" "USES;LINKS" ${ARGN})
    set(may_use)
    set(libraries)
    foreach(used ${ARG_USES})
        if(NOT TARGET tessaroon_${used})
            message(FATAL_ERROR "src/${folder} uses src/${used}, which is not declared before it")
        endif()
        get_property(below GLOBAL PROPERTY TESSAROON_MAY_USE_${used})
        list(APPEND may_use ${used} ${below})
        list(APPEND libraries tessaroon_${used})
    endforeach()
    list(REMOVE_DUPLICATES may_use)
    set_property(GLOBAL PROPERTY TESSAROON_MAY_USE_${folder} ${may_use})

    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/qt_[^/]*\\.cpp$")
    if(NOT ARG_PROGRAMS_ONLY)
        set_property(GLOBAL APPEND PROPERTY TESSAROON_LOGIC_SOURCES ${sources})
    endif()
    add_library(tessaroon_${folder} STATIC ${sources})
    target_include_directories(tessaroon_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(tessaroon_${folder} PUBLIC ${libraries} ${ARG_LINKS})
    tessaroon_check_includes(tessaroon_${folder} FOLDERS ${folder} MAY_USE ${may_use})
endfunction()

# tessaroon_qt_part(<folder> [LINKS <Qt targets...>])
# The static library tessaroon_<folder>_qt of src/<folder>/qt_*.cpp: the part of a declared folder
# that needs Qt (sockets, the event loop). It links the folder's own library and may include what
# the folder may include; only Qt programs and Qt tests link it.
function(tessaroon_qt_part folder)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    if(NOT TARGET tessaroon_${folder})
        message(FATAL_ERROR "the Qt part of src/${folder} needs src/${folder} declared first")
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/qt_*.cpp
         ${PROJECT_SOURCE_DIR}/src/${folder}/qt_*.h)
    add_library(tessaroon_${folder}_qt STATIC ${sources})
    target_link_libraries(tessaroon_${folder}_qt PUBLIC tessaroon_${folder} ${ARG_LINKS})
    tessaroon_may_use(may_use ${folder})
    tessaroon_check_includes(tessaroon_${folder}_qt MAY_USE ${may_use} FILES ${sources})
endfunction()

# The folders a declared folder may include: itself and everything below it.
function(tessaroon_may_use out folder)
    get_property(below GLOBAL PROPERTY TESSAROON_MAY_USE_${folder})
    set(${out} ${folder} ${below} PARENT_SCOPE)
endfunction()
