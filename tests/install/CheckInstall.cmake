# cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder to install into> -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "failed (${result}): ${command}\n${output}")
  endif()
  message(STATUS "ok: ${ARGN}")
endfunction()

foreach(tool desktop-file-validate appstreamcli)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(FATAL_ERROR "${tool} is missing: run scripts/install-deps.sh")
  endif()
endforeach()

run_checked(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

set(desktop ${PREFIX}/share/applications/vexa-transfer.desktop)
set(metainfo ${PREFIX}/share/metainfo/com.quorvane.VexaTransfer.metainfo.xml)
foreach(installed ${desktop} ${metainfo} ${PREFIX}/share/icons/hicolor/256x256/apps/vexa-transfer.png
                  ${PREFIX}/bin/vexa-transfer ${PREFIX}/bin/vexa ${PREFIX}/share/man/man1/vexa.1
                  ${PREFIX}/share/bash-completion/completions/vexa)
  if(NOT EXISTS ${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

run_checked(${found_desktop-file-validate} ${desktop})
# The command-line program runs from its launcher link.
run_checked(${PREFIX}/bin/vexa --help)
run_checked(${found_appstreamcli} validate --no-net ${metainfo})
# The whole tree: the metainfo's launchable must name an installed desktop entry.
run_checked(${found_appstreamcli} validate-tree --no-net ${PREFIX})
file(REMOVE_RECURSE ${PREFIX})
