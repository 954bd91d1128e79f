# What `cmake --install` puts in place and what CPack packs: the program, the README and
# the example descriptions, and on Linux the man page and the bash completion. Test programs, the generator and the benchmarks stay out.
# Linux: the usual prefix layout. Windows: one folder, the README beside the program.
include(GNUInstallDirs)
if(WIN32)
  set(tracciato_program_dir .)
  set(tracciato_doc_dir .)
  set(CPACK_GENERATOR ZIP)
else()
  set(tracciato_program_dir ${CMAKE_INSTALL_BINDIR})
  set(tracciato_doc_dir ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_GENERATOR TGZ)
endif()

install(TARGETS tracciato RUNTIME DESTINATION ${tracciato_program_dir})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/description-format.md
        DESTINATION ${tracciato_doc_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${tracciato_doc_dir}/examples)
if(NOT WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/tracciato.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/completions/tracciato.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tracciato)
endif()

# tracciato-VERSION-linux-x86_64.tar.gz, tracciato-VERSION-windows-x86_64.zip; the program
# is stripped, its debug information stays in the build.
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" tracciato_platform_name)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${tracciato_platform_name})
set(CPACK_STRIP_FILES ON)
include(CPack)
