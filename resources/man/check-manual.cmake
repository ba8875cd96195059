# cmake -DPROGRAM=<program> -DPAGES=<page;...> -P check-manual.cmake
# Fails when a command or an option that the program's --help names is not set in bold in each
# of its manual pages, so that the pages cannot fall behind the help text. A command is the
# word after the program's name at the start of a help line; an option is a word led by '-'.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status MATCHES "^[0-9]+$")
    message(FATAL_ERROR "cannot run ${PROGRAM}: ${status}")
endif()
string(APPEND help "\n${errors}")
string(REGEX MATCHALL "\n[ \t]*zolvera-[a-z]+ +[a-z]+" commands "${help}")
string(REGEX REPLACE "\n[ \t]*zolvera-[a-z]+ +" "" commands "${commands}")
string(REGEX MATCHALL "[ \t\n[(]--?[a-z][-a-z]*" options "${help}")
string(REGEX REPLACE "(^|;)[ \t\n[(]" "\\1" options "${options}")
set(words ${commands} ${options})
list(REMOVE_DUPLICATES words)

set(missing)
foreach(page IN LISTS PAGES)
    file(READ ${page} text)
    string(REPLACE "\\-" "-" text "\n${text}")
    # The bold text of the page: whole .B, .BI and .BR lines and what follows a \fB.
    string(REGEX MATCHALL "\n\\.B[IR]? [^\n]*|\\\\fB[^\\\n]*" bold "${text}")
    string(JOIN " " bold ${bold})
    foreach(word IN LISTS words)
        if(NOT " ${bold} " MATCHES "[^-a-z]${word}[^-a-z]")
            list(APPEND missing "${page}: ${word}")
        endif()
    endforeach()
endforeach()
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "The manual pages lack what ${PROGRAM} --help names:\n  ${missing}")
endif()
