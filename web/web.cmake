# The web build, configured with Emscripten's toolchain by tools/build_web.sh:
# every window program compiled from the same sources and linked with the
# web kernel (web_kernel.cpp) into <program>.js, its WebAssembly inside, and the
# pages and gallery around them, all in TILINGS_SITE_DIR.
#
# tools/build_web.sh configures it from a copy of the sources in which long
# double is spelt x87_extended, the type of x87_extended.h that rounds as
# the native x87 does; every file is compiled with that header included
# first. The pages describe the programs from the sources themselves
# (TILINGS_PAGES_SOURCE_DIR).
set(TILINGS_SITE_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "Folder of the web site")
set(TILINGS_PAGES_SOURCE_DIR ${CMAKE_SOURCE_DIR} CACHE PATH
  "The sources whose comments and kept pictures the pages show")
set(TILINGS_WEB_DIR ${CMAKE_CURRENT_LIST_DIR})
add_compile_options(-include ${TILINGS_WEB_DIR}/x87_extended.h)

add_library(x87_rounding STATIC ${TILINGS_WEB_DIR}/x87_rounding.cpp
  ${TILINGS_WEB_DIR}/math_functions.cpp)
add_library(raster_web STATIC ${TILINGS_WEB_DIR}/web_kernel.cpp)
target_link_libraries(raster_web PUBLIC raster_core x87_rounding)
# The wait yields to the browser in the middle of main, which ASYNCIFY
# allows; nothing grows the memory beyond what the canvas, the fill's stack
# and the programs' fixed arrays take. The WebAssembly is inside the script
# (SINGLE_FILE), so that a page opened from a folder (file://), where the
# browser fetches nothing, runs as one served does.
target_link_options(raster_web INTERFACE -sASYNCIFY -sINITIAL_MEMORY=64MB -sENVIRONMENT=web
  -sSINGLE_FILE=1)

# The program's main is renamed program_main; the web kernel's main calls it
# and tells the page when it has returned.
function(add_web_program name sources libs)
  set_source_files_properties(${sources} PROPERTIES COMPILE_DEFINITIONS main=program_main)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${libs} raster_web)
  set_target_properties(${name} PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${TILINGS_SITE_DIR})
endfunction()

# The pages and the gallery, written by make_site.js from the registered
# programs, their sources' opening comments and their kept pictures.
function(add_web_site)
  set(programs "")
  foreach(entry ${TILINGS_WINDOW_PROGRAMS})
    get_filename_component(program ${entry} NAME)
    list(APPEND programs ${program})
  endforeach()
  find_file(TILINGS_LABEL_FONT LiberationSerif-Regular.ttf
    PATHS /usr/share/fonts/truetype/liberation /usr/share/fonts/truetype/liberation2 REQUIRED)
  string(REPLACE ";" "," entries "${TILINGS_WINDOW_PROGRAMS}")
  add_custom_target(site ALL
    COMMAND node ${TILINGS_WEB_DIR}/make_site.js ${TILINGS_PAGES_SOURCE_DIR} ${TILINGS_SITE_DIR}
      ${entries} ${TILINGS_LABEL_FONT}
    DEPENDS ${programs}
    COMMENT "Writing the pages and the gallery")
endfunction()
