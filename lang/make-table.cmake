# Builds a language library's table from its texts file; run by tunesheet_language_library().
#   cmake -DSOURCE=<texts file, UTF-8> -DCODEPAGE=<1250> -DICONV=<iconv program> -DOUTPUT=<table.cpp>
#         [-DCOUNT=<indices>] -P make-table.cmake
# The texts are converted to the Windows code page with iconv first, so that every later step
# works on the library's own bytes. Each index from 1 to COUNT (by default every index of
# LanguageAbi.h's LanguageStringCount) must appear exactly once with at most 255 characters;
# anything else stops the build with the file and line at fault, before OUTPUT is written.
cmake_minimum_required(VERSION 3.25)

if(COUNT)
  set(count ${COUNT})
else()
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/LanguageAbi.h abi REGEX "LanguageStringCount = [0-9]+")
  string(REGEX MATCH "= ([0-9]+)" abi "${abi}")
  set(count ${CMAKE_MATCH_1})
endif()

function(fail line_no what)
  message(FATAL_ERROR "${SOURCE}:${line_no}: ${what}")
endfunction()

# CMake strings cannot carry every byte, so the converted text is handled as hexadecimal
# pairs, each followed by a space ("48 6c 0a ..."); a list of lines is then safe from the
# semicolons of the texts.
set(converted ${OUTPUT}.${CODEPAGE})
execute_process(COMMAND ${ICONV} -f UTF-8 -t WINDOWS-${CODEPAGE} ${SOURCE} OUTPUT_FILE ${converted}
                ERROR_VARIABLE iconv_error RESULT_VARIABLE iconv_result)
if(NOT iconv_result EQUAL 0)
  file(REMOVE ${converted})
  message(FATAL_ERROR "${SOURCE}: cannot convert to code page ${CODEPAGE}: ${iconv_error}")
endif()
file(READ ${converted} hex HEX)
file(REMOVE ${converted})
string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
string(REPLACE "0a " ";" lines "${bytes}")

set(line_no 0)
foreach(line IN LISTS lines)
  math(EXPR line_no "${line_no} + 1")
  string(REGEX REPLACE "0d $" "" line "${line}") # a file saved with CR LF
  if(line STREQUAL "" OR line MATCHES "^23 ")      # empty, or a "#" comment
    continue()
  endif()
  if(NOT line MATCHES "^((3[0-9] )+)(09|20) (.*)$")
    fail(${line_no} "expected the string index, a tab and the text")
  endif()
  set(text "${CMAKE_MATCH_4}")
  string(REGEX REPLACE "3([0-9]) " "\\1" index "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "^0+([0-9])" "\\1" index "${index}")
  if(index LESS 1 OR index GREATER count)
    fail(${line_no} "string index ${index} is outside 1 to ${count}")
  endif()
  if(DEFINED slot_${index})
    fail(${line_no} "string index ${index} appears a second time")
  endif()

  # Escapes: \\ is a backslash, \r the carriage return between the lines of a message.
  string(REPLACE "5c 5c " "BS " text "${text}")
  string(REPLACE "5c 72 " "0d " text "${text}")
  if(text MATCHES "5c ")
    fail(${line_no} "unknown escape: write \\r for a line break, \\\\ for a backslash")
  endif()
  string(REPLACE "BS " "5c " text "${text}")

  string(LENGTH "${text}" length)
  math(EXPR length "${length} / 3")
  if(length GREATER 255)
    fail(${line_no} "text ${index} has ${length} characters; at most 255 fit")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f]) " "0x\\1," text "${text}")
  set(slot_${index} "{${length},${text}}")
endforeach()

get_filename_component(source_name ${SOURCE} NAME)
set(table "")
foreach(index RANGE 1 ${count})
  if(NOT DEFINED slot_${index})
    message(FATAL_ERROR "${SOURCE}: string index ${index} is missing")
  endif()
  string(APPEND table "    /* ${index} */ ${slot_${index}},\n")
endforeach()

file(WRITE ${OUTPUT} "\
// Generated from ${source_name} by lang/make-table.cmake; edit the texts file instead.
// Entry n is string index n + 1: a length byte, the characters in code page ${CODEPAGE}, zeros.
extern const unsigned char LanguageStrings[][256];
extern const int LanguageStringsInTable;
const unsigned char LanguageStrings[${count}][256] = {
${table}};
const int LanguageStringsInTable = ${count};
")
