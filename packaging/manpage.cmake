# Writes the manual page of a program from its --help and --version, keeping the help's own
# layout (it is written for a terminal, one option a line).
#   cmake -DPROGRAM=path -DNAME=kapstat-cli -DSUMMARY="..." -DOUTPUT=kapstat-cli.1 -P manpage.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${PROGRAM} --help failed")
endif()
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE)

# Roff: a backslash is written \e, and a line must not start with a control character.
function(roff_escape text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

roff_escape("${help}" help)
roff_escape("${SUMMARY}" summary)
string(TOUPPER "${NAME}" title)
file(WRITE ${OUTPUT}
  ".TH ${title} 1 \"\" \"${version}\" \"Kapstat\"\n"
  ".SH NAZWA\n${NAME} \\- ${summary}\n"
  ".SH OPIS\n.nf\n${help}.fi\n"
  ".SH WERSJA\n${version}\n"
  ".SH ZOBACZ TAKŻE\nkapstat \\-\\-help, kapstat\\-cli(1), kapstat\\-sim(1)\n")
