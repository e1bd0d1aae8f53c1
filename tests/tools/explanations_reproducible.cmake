# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped explanations of the English words are exactly what tools/dicts makes of the shipped
# list and WordNet: a list regenerated without them, or a hand-edited file, fails here.
# Usage: cmake -DSOURCE=<source dir> -DWORK=<scratch file> -P explanations_reproducible.cmake
execute_process(
    COMMAND python3 ${SOURCE}/tools/dicts/make_en_explain.py ${SOURCE}/game/Dicts/General_eng.txt
            ${WORK}
    RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "make_en_explain.py failed (${made})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}
                        ${SOURCE}/game/Dicts/General_eng.tqe RESULT_VARIABLE same)
file(REMOVE ${WORK})
if(NOT same EQUAL 0)
    message(FATAL_ERROR "game/Dicts/General_eng.tqe differs from what tools/dicts/make_en_explain.py "
                        "makes of game/Dicts/General_eng.txt: run the script and commit the file")
endif()
