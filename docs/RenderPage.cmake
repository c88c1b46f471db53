# cmake -DCMARK=... -DINPUT=page.md -DOUTPUT=page.html -DTEMPLATE=page.html.in -DVERSION=x -P RenderPage.cmake
# The page's title is its first heading.
execute_process(COMMAND ${CMARK} ${INPUT} OUTPUT_VARIABLE BODY RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmark failed on ${INPUT}")
endif()
file(STRINGS ${INPUT} heading REGEX "^# " LIMIT_COUNT 1)
string(REGEX REPLACE "^# +" "" TITLE "${heading}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
