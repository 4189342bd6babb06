# Installs the build in BUILD_DIR under PREFIX and checks what arrives there:
# both programs, runnable, and both man pages, which groff (when GROFF names
# it) formats without a warning.

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

include(GNUInstallDirs)
foreach(program cif2at cif2at-batch)
  set(path "${PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}")
  execute_process(COMMAND "${path}" --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT version MATCHES "^${program} [0-9]")
    message(FATAL_ERROR "${path} --version gave ${status}: ${version}")
  endif()

  set(page "${PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/${program}.1")
  if(NOT EXISTS "${page}")
    message(FATAL_ERROR "no man page ${page}")
  endif()
  if(GROFF)
    execute_process(COMMAND "${GROFF}" -man -ww -z -Tutf8 "${page}" ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
      message(FATAL_ERROR "groff on ${page}: ${warnings}")
    endif()
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
