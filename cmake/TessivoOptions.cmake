# Compiler settings shared by every target of the project.

# Sources are UTF-8; every narrow literal is compiled to code page 936 bytes, the program's
# text encoding.
function(tessivo_set_text_encoding target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /source-charset:utf-8 /execution-charset:.936)
  else()
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8;-fexec-charset=GBK>")
  endif()
endfunction()

function(tessivo_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra>")
    if(TESSIVO_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
    endif()
  endif()
endfunction()

function(tessivo_configure target)
  tessivo_set_text_encoding(${target})
  tessivo_set_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# The portable library, optionally with extra compile and link options (the sanitizer build).
function(tessivo_add_core_library name)
  cmake_parse_arguments(ARG "" "" "OPTIONS" ${ARGN})
  list(TRANSFORM TESSIVO_CORE_SOURCES PREPEND "${PROJECT_SOURCE_DIR}/" OUTPUT_VARIABLE sources)
  add_library(${name} STATIC ${sources})
  tessivo_configure(${name})
  if(ARG_OPTIONS)
    target_compile_options(${name} PUBLIC ${ARG_OPTIONS})
    target_link_options(${name} PUBLIC ${ARG_OPTIONS})
  endif()
endfunction()

set(TESSIVO_SANITIZER_OPTIONS
  -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
