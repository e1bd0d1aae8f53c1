# SPDX-License-Identifier: GPL-3.0-or-later
# The translation is complete: lupdate run on the sources with the build's options leaves
# translations/tessaroon_ru.ts exactly as it is (no marked text missing, none left over), the file
# holds no unfinished message, and no marked text is glued to another piece of text with "+",
# which would fix the English word order (whole sentences with %1 instead).
#
# cmake -DLUPDATE=<lupdate> -DGENERATOR=<GenerateLUpdateProject.cmake>
#       -DPROJECT=<the lupdate project's .cmake> -DTS=<the .ts> -DWORK=<scratch folder>
#       -DOPTIONS=<lupdate options, ;-separated> -DSOURCES=<marked sources, ;-separated>
#       -P translations_complete.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/tessaroon_ru.ts)
file(COPY_FILE ${TS} ${copy})

# The build's lupdate project, pointed at the copy.
execute_process(COMMAND ${CMAKE_COMMAND} -DIN_FILE=${PROJECT} -DOUT_FILE=${WORK}/project.json
                        -P ${GENERATOR}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot make the lupdate project from ${PROJECT}")
endif()
file(READ ${WORK}/project.json project)
string(REPLACE "\"${TS}\"" "\"${copy}\"" project "${project}")
file(WRITE ${WORK}/project.json "${project}")

execute_process(COMMAND ${LUPDATE} -project ${WORK}/project.json ${OPTIONS}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lupdate failed:\n${out}")
endif()

set(problems "")
file(READ ${TS} before)
file(READ ${copy} after)
if(NOT before STREQUAL after)
    string(APPEND problems "the marked texts and ${TS} differ (lupdate said: ${out}); build the "
           "target tessaroon_ui_lupdate and translate what it adds\n")
endif()
foreach(kind unfinished vanished obsolete)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"${kind}\""
           found "${after}")
    foreach(f ${found})
        string(REGEX REPLACE "[ \n]*<translation.*" "" f "${f}")
        string(APPEND problems "${kind}: ${f}\n")
    endforeach()
endforeach()

foreach(source ${SOURCES})
    file(STRINGS ${source} glued
         REGEX "(^|[^A-Za-z_])(tr|translate)\\([^;]*\\)[ ]*\\+|\\+[ ]*(QCoreApplication::|QObject::)?(tr|translate)\\(")
    foreach(line ${glued})
        string(APPEND problems "glued text in ${source}: ${line}\n")
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "${problems}")
endif()
message(STATUS "1 passed, 0 failed")
