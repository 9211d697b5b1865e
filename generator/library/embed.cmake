# Turns the library page's shell, style sheet and scripts into a C++ source file, so that they
# stay real HTML, CSS and JavaScript files in the source tree and the program needs nothing
# beside it. Lines end in CR LF, as in every page the program writes. The shell is cut at its
# markers (<!--@name-->), where the program writes what the page holds.
#
#   cmake -DOUTPUT=file.cpp -DSHELL=page.html -DSTYLE=page.css "-DSCRIPTS=a.js|b.js" -P embed.cmake

function(crlf_hex text out_var)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  set(scratch "${OUTPUT}.part")
  file(WRITE "${scratch}" "${text}")
  file(READ "${scratch}" hex HEX)
  file(REMOVE "${scratch}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n    " hex "${hex}")
  set(${out_var} "${hex}" PARENT_SCOPE)
endfunction()

function(byte_array name text out_var)
  crlf_hex("${text}" hex)
  set(${out_var} "const unsigned char ${name}[] = {\n    ${hex}0};\n" PARENT_SCOPE)
endfunction()

set(body "// Made by generator/library/embed.cmake from the files beside it; do not edit.\n")
string(APPEND body "#include \"generator/LibraryAssets.h\"\n\nnamespace {\n\n")

file(READ "${STYLE}" style)
byte_array(style "${style}" array)
string(APPEND body "${array}")

set(script "")
string(REPLACE "|" ";" SCRIPTS "${SCRIPTS}")
foreach(file ${SCRIPTS})
  file(READ "${file}" part)
  string(APPEND script "${part}")
endforeach()
byte_array(script "${script}" array)
string(APPEND body "${array}")

file(READ "${SHELL}" shell)
set(pieces "")
set(index 0)
set(more ON)
while(more)
  string(REGEX MATCH "<!--@([a-z]+)-->" marker "${shell}")
  if(marker STREQUAL "")
    set(name "")
    set(before "${shell}")
  else()
    set(name "${CMAKE_MATCH_1}")
    string(FIND "${shell}" "${marker}" at)
    string(SUBSTRING "${shell}" 0 ${at} before)
    string(LENGTH "${marker}" length)
    math(EXPR after "${at} + ${length}")
    string(SUBSTRING "${shell}" ${after} -1 shell)
  endif()
  byte_array(piece${index} "${before}" array)
  string(APPEND body "${array}")
  string(APPEND pieces "    {{reinterpret_cast<const char*>(piece${index}), sizeof piece${index} - 1}, \"${name}\"},\n")
  math(EXPR index "${index} + 1")
  if(name STREQUAL "")
    set(more OFF)
  endif()
endwhile()

string(APPEND body "\n} // namespace\n\n")
string(APPEND body "const std::string_view LibraryStyle(reinterpret_cast<const char*>(style), sizeof style - 1);\n")
string(APPEND body "const std::string_view LibraryScript(reinterpret_cast<const char*>(script), sizeof script - 1);\n")
string(APPEND body "const ShellPiece LibraryShell[] = {\n${pieces}};\n")
string(APPEND body "const std::size_t LibraryShellPieces = ${index};\n")

# Rewritten only when it changes, so that an unchanged page costs no rebuild.
file(WRITE "${OUTPUT}.new" "${body}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
