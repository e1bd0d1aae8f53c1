# SPDX-License-Identifier: GPL-3.0-or-later
# Regression run of the fuzz corpora in the normal build: every fuzz/<name>_fuzz.cpp is linked
# with a plain main() that feeds it each file of fuzz/corpus/<name>, and registered as a test.
include(${CMAKE_CURRENT_LIST_DIR}/sources.cmake)
file(GLOB fuzz_targets CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_fuzz.cpp)
foreach(src ${fuzz_targets})
    get_filename_component(target_name ${src} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" corpus ${target_name})
    add_executable(replay_${target_name} ${CMAKE_CURRENT_LIST_DIR}/replay_main.cpp ${src}
                                         ${${target_name}_sources})
    target_link_libraries(replay_${target_name} PRIVATE tessaroon_logic ${${target_name}_libs})
    add_test(NAME replay_${target_name}
             COMMAND replay_${target_name} ${CMAKE_CURRENT_LIST_DIR}/corpus/${corpus})
    set_tests_properties(replay_${target_name} PROPERTIES LABELS fuzz)
endforeach()
