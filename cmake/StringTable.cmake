# Embeds a TSV string table (id <TAB> text, with \n and \t escapes) in a C++
# source, so texts stay data in the repository and in the binary.
function(kiv_string_table target tsv symbol)
  cmake_parse_arguments(ARG "" "NAMESPACE" "" ${ARGN})
  if(NOT ARG_NAMESPACE)
    set(ARG_NAMESPACE fw::detail)
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${tsv} -DOUT=${out} -DSYMBOL=${symbol} -DNAMESPACE=${ARG_NAMESPACE}
            -P ${CMAKE_SOURCE_DIR}/cmake/GenStringTable.cmake
    DEPENDS ${tsv} ${CMAKE_SOURCE_DIR}/cmake/GenStringTable.cmake
    COMMENT "String table ${symbol}")
  target_sources(${target} PRIVATE ${out})
endfunction()
