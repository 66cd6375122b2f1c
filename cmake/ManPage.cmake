# Writes the manual page of a program from its --help text, so that the two
# cannot disagree. Run by the build (see stockin_man_page in Install.cmake):
#   cmake -DPROGRAM=path -DNAME=rqtool -DCOMMANDS=ON|OFF -DVERSION=x.y.z -DOUTPUT=rqtool.1.gz -P ManPage.cmake
#
# The help text is "Usage: NAME SYNOPSIS" (long ones go on in indented lines),
# the summary, a blank line and the rest (options, arguments, notes). The summary becomes the page's NAME line
# and a filled paragraph; the rest is kept as laid out. With COMMANDS, the
# commands listed under "Commands:" (two spaces, the name, two spaces, its
# summary) each get a section made from their own --help.

function(run_help out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help
    OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed (${status}): ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text for roff: backslashes and minus signs escaped, no line read as a request.
function(roff_escape out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Splits a help text into its usage (the first line and the indented lines
# that go on with it, without "Usage: "), its summary and the rest.
function(split_help text usage summary rest)
  string(REGEX MATCH "^Usage: [^\n]*(\n [^\n]*)*" first "${text}")
  string(LENGTH "${first}" length)
  math(EXPR start "${length} + 1")
  string(SUBSTRING "${text}" ${start} -1 text)
  string(REGEX REPLACE "^Usage: " "" first "${first}")
  string(FIND "${text}" "\n\n" gap)
  if(gap EQUAL -1)
    set(${summary} "${text}" PARENT_SCOPE)
    set(${rest} "" PARENT_SCOPE)
  else()
    string(SUBSTRING "${text}" 0 ${gap} head)
    math(EXPR start "${gap} + 2")
    string(SUBSTRING "${text}" ${start} -1 tail)
    set(${summary} "${head}" PARENT_SCOPE)
    set(${rest} "${tail}" PARENT_SCOPE)
  endif()
  set(${usage} "${first}" PARENT_SCOPE)
endfunction()

# A block of the page: the summary filled, then (unless the SYNOPSIS shows it)
# the usage line and the rest as laid out.
function(help_block out text)
  cmake_parse_arguments(ARG "NO_USAGE" "" "" ${ARGN})
  split_help("${text}" usage summary rest)
  roff_escape(usage "${usage}")
  roff_escape(summary "${summary}")
  roff_escape(rest "${rest}")
  set(usage_line "Usage: ${usage}\n\n")
  if(ARG_NO_USAGE)
    set(usage_line "")
  endif()
  set(${out} ".PP\n${summary}\n.PP\n.nf\n${usage_line}${rest}.fi\n" PARENT_SCOPE)
endfunction()

run_help(help)
split_help("${help}" usage summary rest)
string(TOUPPER "${NAME}" title)
roff_escape(name_line "${summary}")
roff_escape(synopsis "${usage}")
string(REGEX REPLACE "\\.$" "" name_line "${name_line}")
set(page ".TH ${title} 1 \"\" \"stockin ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${NAME} \\- ${name_line}\n")
string(APPEND page ".SH SYNOPSIS\n.nf\n${synopsis}\n.fi\n")
help_block(block "${help}" NO_USAGE)
string(APPEND page ".SH DESCRIPTION\n${block}")

if(COMMANDS)
  string(FIND "${help}" "\nCommands:\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} --help lists no commands")
  endif()
  string(SUBSTRING "${help}" ${at} -1 list)
  string(FIND "${list}" "\n\n" end)
  string(SUBSTRING "${list}" 0 ${end} list)
  string(REGEX MATCHALL "\n  [a-z][a-z-]*( [a-z][a-z-]*)*  " entries "${list}")
  string(APPEND page ".SH COMMANDS\n")
  foreach(entry IN LISTS entries)
    string(STRIP "${entry}" command)
    string(REPLACE " " ";" words "${command}")
    run_help(text ${words})
    help_block(block "${text}")
    string(APPEND page ".SS \"${NAME} ${command}\"\n${block}")
  endforeach()
endif()

get_filename_component(dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" plain ${OUTPUT})
file(WRITE ${plain} "${page}")
file(ARCHIVE_CREATE OUTPUT ${OUTPUT} PATHS ${plain} FORMAT raw COMPRESSION GZip MTIME 0)
