# What a distribution asks of the install beyond the programs: the level tool beside the game,
# manual pages, and the package's copyright and changelog, compressed as Debian wants them.
install(TARGETS quirlon95-levels RUNTIME DESTINATION games)

set(doc_out ${CMAKE_BINARY_DIR}/distribution)
file(MAKE_DIRECTORY ${doc_out})
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${doc_out}/changelog @ONLY)

# gzip -n leaves out the name and the time, so the same sources give the same bytes.
function(quirlon_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${source} ${target}
    DEPENDS ${source} VERBATIM)
endfunction()

set(compressed)
foreach(page quirlon95 quirlon95-editor quirlon95-levels)
  quirlon_gzip(${PROJECT_SOURCE_DIR}/docs/man/${page}.6 ${doc_out}/${page}.6.gz)
  list(APPEND compressed ${doc_out}/${page}.6.gz)
  install(FILES ${doc_out}/${page}.6.gz DESTINATION share/man/man6)
endforeach()
quirlon_gzip(${doc_out}/changelog ${doc_out}/changelog.gz)
list(APPEND compressed ${doc_out}/changelog.gz)
add_custom_target(distribution_files ALL DEPENDS ${compressed})

install(FILES ${doc_out}/changelog.gz ${PROJECT_SOURCE_DIR}/cmake/debian/copyright
  DESTINATION share/doc/quirlon95)
