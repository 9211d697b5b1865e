# A language library: the shared library "<name>.dll" exporting GetMyStr (lang/LanguageAbi.h),
# built from a UTF-8 texts file of one line per string index, which the build converts to the library's Windows
# code page (lang/make-table.cmake).
#
#   tunesheet_language_library(<name> TEXTS <texts file> LANGUAGE <language id> CODEPAGE <code page>
#       [PRODUCT_VERSION <version>] [OUTPUT_DIRECTORY <folder>] [TEXT_COUNT <indices>])
#
# The file keeps the name "<name>.dll" on every platform: the program's language choice file
# and its discovery of libraries rely on it. The version information is the one the program
# expects of a language library (fixed versions and the string "FileVersion" the program's own
# version, the string "ProductVersion" 1.0.0.0); PRODUCT_VERSION changes the fixed product version (for tests).
# TEXT_COUNT builds a library with fewer texts than the program knows, as an older one (for tests).
function(tunesheet_language_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TEXTS;LANGUAGE;CODEPAGE;PRODUCT_VERSION;OUTPUT_DIRECTORY;TEXT_COUNT" "")
  foreach(required TEXTS LANGUAGE CODEPAGE)
    if(NOT arg_${required})
      message(FATAL_ERROR "tunesheet_language_library(${name}): ${required} is missing")
    endif()
  endforeach()
  find_program(TUNESHEET_ICONV iconv REQUIRED)
  get_filename_component(texts ${arg_TEXTS} ABSOLUTE)

  set(table ${CMAKE_CURRENT_BINARY_DIR}/${name}_table.cpp)
  add_custom_command(OUTPUT ${table}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${texts} -DCODEPAGE=${arg_CODEPAGE} -DICONV=${TUNESHEET_ICONV}
            -DOUTPUT=${table} -DCOUNT=${arg_TEXT_COUNT} -P ${PROJECT_SOURCE_DIR}/lang/make-table.cmake
    DEPENDS ${texts} ${PROJECT_SOURCE_DIR}/lang/make-table.cmake ${PROJECT_SOURCE_DIR}/lang/LanguageAbi.h
    COMMENT "Converting the ${name} texts to code page ${arg_CODEPAGE}"
    VERBATIM)

  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/lang/GetMyStr.cpp ${table})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES
    PREFIX "" OUTPUT_NAME ${name} SUFFIX ".dll"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  if(arg_OUTPUT_DIRECTORY)
    set_target_properties(${name} PROPERTIES
      LIBRARY_OUTPUT_DIRECTORY ${arg_OUTPUT_DIRECTORY} RUNTIME_OUTPUT_DIRECTORY ${arg_OUTPUT_DIRECTORY})
  endif()
  # The file version and its string are the project's version; the fixed product version is
  # the language-library interface version of lang/LanguageAbi.h unless PRODUCT_VERSION gives
  # another.
  if(NOT arg_PRODUCT_VERSION)
    file(STRINGS ${PROJECT_SOURCE_DIR}/lang/LanguageAbi.h interface
         REGEX "define TUNESHEET_LANGUAGE_INTERFACE_VERSION \"[0-9.]+\"")
    string(REGEX MATCH "\"([0-9.]+)\"" interface "${interface}")
    set(arg_PRODUCT_VERSION ${CMAKE_MATCH_1})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/lang/LanguageAbi.h)
  endif()
  tunesheet_version_info(${name} PRODUCT_VERSION ${arg_PRODUCT_VERSION}
    LANGUAGE ${arg_LANGUAGE} CODEPAGE ${arg_CODEPAGE} PRODUCT_VERSION_STRING 1.0.0.0)
endfunction()
