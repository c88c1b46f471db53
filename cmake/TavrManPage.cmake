# Writes the manual page of the program from its own help (cmake -P):
#   -DPROGRAM=path/to/tavr180 -DINCLUDE=desktop/tavr180.h2m -DOUTPUT=man/tavr180.1
#   [-DHELP2MAN=/usr/bin/help2man] [-DGZIP=/usr/bin/gzip]
# Every command that the general help names ("tavr180 WORD ...") gets its own
# part under COMMANDS, with the command's own help when it has one, so that a
# new command appears on the page without touching this file. With GZIP the
# page is also written compressed to OUTPUT.gz.
foreach(var IN ITEMS PROGRAM INCLUDE OUTPUT)
  if(NOT ${var})
    message(FATAL_ERROR "TavrManPage: ${var} is not set")
  endif()
endforeach()
if(NOT HELP2MAN)
  set(HELP2MAN help2man)
endif()
get_filename_component(program_name "${PROGRAM}" NAME)
get_filename_component(out_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${out_dir}")

execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE general RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "TavrManPage: ${PROGRAM} --help failed (${rc})")
endif()

# The commands: the first word after the program's name on a line of the
# help, when it is not an option.
set(commands)
string(REPLACE ";" "\\;" general_lines "${general}")
string(REPLACE "\n" ";" general_lines "${general_lines}")
foreach(line IN LISTS general_lines)
  if(line MATCHES "^(Usage:)?[ \t]+${program_name}[ \t]+([a-z][a-z0-9-]*)")
    list(APPEND commands "${CMAKE_MATCH_2}")
  endif()
endforeach()
list(REMOVE_DUPLICATES commands)

# Text shown as is on the page: backslashes and leading dots made harmless.
function(tavr_roff_literal text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(generated "${out_dir}/${program_name}-commands.h2m")
set(body "")
foreach(cmd IN LISTS commands)
  execute_process(COMMAND "${PROGRAM}" ${cmd} --help OUTPUT_VARIABLE own RESULT_VARIABLE rc)
  string(APPEND body ".SS \"${program_name} ${cmd}\"\n")
  if(NOT rc EQUAL 0 OR own STREQUAL "")
    string(APPEND body "See the usage above.\n")
  elseif(own STREQUAL general)
    string(APPEND body "Takes the options listed under OPTIONS.\n")
  else()
    tavr_roff_literal("${own}" own)
    string(APPEND body ".PP\n.nf\n${own}.fi\n")
  endif()
endforeach()
if(body STREQUAL "")
  file(WRITE "${generated}" "")
else()
  file(WRITE "${generated}" "[COMMANDS]\n${body}")
endif()

# help2man reads further forms of the usage as lines beginning with "or:";
# the help aligns them under the first one instead. It reads the help through
# a stand-in of the same name that gives it in that form.
set(usage_block FALSE)
set(help_for_man "")
foreach(line IN LISTS general_lines)
  if(line MATCHES "^Usage:")
    set(usage_block TRUE)
  elseif(line STREQUAL "")
    set(usage_block FALSE)
  elseif(usage_block AND line MATCHES "^[ \t]+(${program_name}[ \t].*)$")
    set(line "   or: ${CMAKE_MATCH_1}")
  endif()
  string(APPEND help_for_man "${line}\n")
endforeach()
string(REGEX REPLACE "\n$" "" help_for_man "${help_for_man}")
set(stand_in_dir "${out_dir}/help2man")
file(MAKE_DIRECTORY "${stand_in_dir}")
file(WRITE "${stand_in_dir}/help.txt" "${help_for_man}")
file(WRITE "${stand_in_dir}/${program_name}"
     "#!/bin/sh\ncase \"$1\" in\n--help) cat \"${stand_in_dir}/help.txt\" ;;\n*) exec \"${PROGRAM}\" \"$@\" ;;\nesac\n")
file(CHMOD "${stand_in_dir}/${program_name}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

execute_process(
  COMMAND "${HELP2MAN}" --no-info --section=1 --include=${INCLUDE} --include=${generated} --output=${OUTPUT}
          "${stand_in_dir}/${program_name}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "TavrManPage: help2man failed (${rc})")
endif()
if(GZIP)
  execute_process(COMMAND "${GZIP}" -9 -n -c "${OUTPUT}" OUTPUT_FILE "${OUTPUT}.gz" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "TavrManPage: gzip failed (${rc})")
  endif()
endif()
