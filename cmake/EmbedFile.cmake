# Turns a data file into a C++ source holding its bytes, so built-in data
# (the English text table, pictures) travels inside the program.
#   quillmer_embed(<target> <file> <symbol>)
# defines `extern const unsigned char <symbol>[]` and `extern const size_t <symbol>_size`.
function(quillmer_embed target file symbol)
  get_filename_component(abs ${file} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFileRun.cmake
    DEPENDS ${abs} ${PROJECT_SOURCE_DIR}/cmake/EmbedFileRun.cmake
    COMMENT "Embedding ${file}")
  target_sources(${target} PRIVATE ${out})
endfunction()
