# The web build, configured with Emscripten's toolchain by tools/build_web.sh:
# every window program compiled from the same sources and linked with the
# web kernel (web_kernel.cpp) into <program>.js, its WebAssembly inside, the
# explorer into tilings_explore.js (explore/), and the pages and gallery
# around them, all in TILINGS_SITE_DIR.
#
# The type of extended-precision values (raster/extended.h) is a pair of
# doubles (extended_pair.h), about 106 bits where the native x87 has 64:
# every frame of every program, and every preset of the explorer, comes
# out exactly as natively all the same, and the figures that compute in it
# run at double's speed. TILINGS_WEB_EXTENDED=binary128 builds the pages
# with WebAssembly's own long double instead (113 bits, but done in
# software, five to fifteen times slower), and =double with plain double,
# to see what the extra precision buys (frames of tri_axis_edges and of
# both hexagon programs differ then). The runtime's own sin, cos, tan and atan
# give every frame exactly too. The pages describe the programs from their
# sources' opening comments, read by the notes reader built for this machine
# (TILINGS_NOTES_TOOL, which tools/build_web.sh builds first), and from
# their kept pictures.
set(TILINGS_SITE_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "Folder of the web site")
set(TILINGS_WEB_DIR ${CMAKE_CURRENT_LIST_DIR})
set(TILINGS_NOTES_TOOL ${CMAKE_SOURCE_DIR}/build-wasm/host/program_notes CACHE FILEPATH
  "The notes reader (notes/program_notes_main.cpp) built for this machine")
set(TILINGS_WEB_EXTENDED pair CACHE STRING "The web build's extended type: pair, binary128 or double")
if(TILINGS_WEB_EXTENDED STREQUAL "pair")
  set(TILINGS_EXTENDED_HEADER ${TILINGS_WEB_DIR}/extended_pair.h)
elseif(TILINGS_WEB_EXTENDED STREQUAL "double")
  set(TILINGS_EXTENDED_HEADER ${TILINGS_WEB_DIR}/extended_double.h)
elseif(NOT TILINGS_WEB_EXTENDED STREQUAL "binary128")
  message(FATAL_ERROR "TILINGS_WEB_EXTENDED is pair, binary128 or double, not ${TILINGS_WEB_EXTENDED}")
endif()

# The kernel's canvas on the page (web_canvas), and with it the wait of the
# window programs (raster_web); the explorer (explore/) draws when its page
# asks, and needs no wait.
add_library(web_canvas STATIC ${TILINGS_WEB_DIR}/web_canvas.cpp)
target_link_libraries(web_canvas PUBLIC raster_core)
add_library(raster_web STATIC ${TILINGS_WEB_DIR}/web_kernel.cpp)
target_link_libraries(raster_web PUBLIC web_canvas)
# The wait yields to the browser in the middle of main, which ASYNCIFY
# allows; nothing grows the memory beyond what the canvas, the fill's stack
# and the programs' fixed arrays take. The WebAssembly is inside the script
# (SINGLE_FILE), so that a page opened from a folder (file://), where the
# browser fetches nothing, runs as one served does. The programs read no
# files (the labels' font is the page's), so the runtime has no file system
# to set up as the page starts.
target_link_options(raster_web INTERFACE -sASYNCIFY -sINITIAL_MEMORY=64MB -sENVIRONMENT=web
  -sSINGLE_FILE=1 -sFILESYSTEM=0)

# The program's main is renamed program_main; the web kernel's main calls it
# and tells the page when it has returned.
function(add_web_program name sources libs)
  set_source_files_properties(${sources} PROPERTIES COMPILE_DEFINITIONS main=program_main)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${libs} raster_web)
  set_target_properties(${name} PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${TILINGS_SITE_DIR})
endfunction()

# The pages and the gallery, written by make_site.js from the registered
# programs, their notes (read by TILINGS_NOTES_TOOL) and their kept
# pictures, and the explorer's page with the presets explore_presets.js
# prints.
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
    COMMAND node ${TILINGS_WEB_DIR}/make_site.js ${CMAKE_SOURCE_DIR} ${TILINGS_SITE_DIR}
      ${entries} ${TILINGS_LABEL_FONT} ${TILINGS_NOTES_TOOL} $<TARGET_FILE:explore_presets>
    DEPENDS ${programs} ${TILINGS_NOTES_TOOL} tilings_explore explore_presets
    COMMENT "Writing the pages and the gallery")
endfunction()
