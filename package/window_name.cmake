# The name each window program gives its window on the desktop: its title
# in each language of its notes, its class (its own name) and its icon,
# written at build time by window_name_source (package/) from the program's
# source and kept pictures into <program>_window_name.cpp, which the program
# is linked with. Its capture build is not: it opens no window.
function(add_window_name name)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}_window_name.cpp)
  file(GLOB pictures ${CMAKE_CURRENT_SOURCE_DIR}/${name}_[0-9][0-9].png)
  add_custom_command(OUTPUT ${output}
    COMMAND window_name_source ${source} ${output} ${pictures}
    DEPENDS window_name_source ${source} ${pictures}
    COMMENT "Writing the name of ${name}'s window")
  target_sources(${name} PRIVATE ${output})
endfunction()
