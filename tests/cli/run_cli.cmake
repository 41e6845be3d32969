# Runs zelmora-cli and checks what a script calling it would see.
#   CLI            the program
#   ARGS           its arguments, separated by "@@"
#   EXPECT_EXIT    the exit status
#   EXPECT_OUT     texts stdout must contain, separated by "@@"
#   REFUSE_OUT     texts stdout must not contain, separated by "@@"
#   EXPECT_ERR     a text stderr must contain; stderr must then be one line
#   SAME_FILES     two files, separated by "@@", that must be byte for byte equal afterwards
string(REPLACE "@@" ";" args "${ARGS}")
execute_process(COMMAND "${CLI}" ${args} RESULT_VARIABLE exit_status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT exit_status STREQUAL EXPECT_EXIT)
  message(FATAL_ERROR "exit status ${exit_status}, expected ${EXPECT_EXIT}\n${out}\n${err}")
endif()
if(DEFINED EXPECT_OUT)
  string(REPLACE "@@" ";" wanted "${EXPECT_OUT}")
  foreach(text IN LISTS wanted)
    string(FIND "${out}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "stdout lacks: ${text}\n${out}")
    endif()
  endforeach()
endif()
if(DEFINED REFUSE_OUT)
  string(REPLACE "@@" ";" unwanted "${REFUSE_OUT}")
  foreach(text IN LISTS unwanted)
    string(FIND "${out}" "${text}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "stdout holds: ${text}\n${out}")
    endif()
  endforeach()
endif()
if(DEFINED EXPECT_ERR)
  string(FIND "${err}" "${EXPECT_ERR}" at)
  string(REGEX MATCHALL "\n" breaks "${err}")
  list(LENGTH breaks lines)
  if(at EQUAL -1 OR NOT lines EQUAL 1)
    message(FATAL_ERROR "stderr is not one line with: ${EXPECT_ERR}\n${err}")
  endif()
endif()
if(DEFINED SAME_FILES)
  string(REPLACE "@@" ";" files "${SAME_FILES}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${files} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "files differ: ${SAME_FILES}")
  endif()
endif()
