# Manual pages made by help2man from the programs' own --help and --version, so that they
# never say anything the programs do not. They install compressed, as man(1) finds them.
include_guard()

# The pages are made by running the programs, which a cross build cannot do.
if(CMAKE_CROSSCOMPILING)
  set(default_man OFF)
else()
  set(default_man ON)
endif()
option(SORVANE_BUILD_MAN "Make the manual pages with help2man (scripts/install-deps.sh installs it)" ${default_man})
if(NOT SORVANE_BUILD_MAN)
  return()
endif()
find_program(SORVANE_HELP2MAN help2man REQUIRED)
find_program(SORVANE_GZIP gzip REQUIRED)

set(sorvane_man_dir ${CMAKE_BINARY_DIR}/man)
# Sections --help cannot hold (the input format, EXAMPLES, FILES, COPYRIGHT) come from
# include files: common.h2m for every page, <program>.h2m for its own.
set(sorvane_man_includes ${CMAKE_CURRENT_LIST_DIR}/man)

# sorvane_man_page(program "one line for the NAME section" [help option])
function(sorvane_man_page program summary)
  set(help_option --help)
  if(ARGC GREATER 2)
    set(help_option ${ARGV2})
  endif()
  set(page ${sorvane_man_dir}/${program}.1)
  set(includes ${sorvane_man_includes}/common.h2m ${sorvane_man_includes}/${program}.h2m)
  list(TRANSFORM includes PREPEND --include= OUTPUT_VARIABLE include_options)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${sorvane_man_dir}
    # Every program's --version says "sorvane <version>"; given here, the page takes its
    # name from the program's own file name instead.
    COMMAND ${SORVANE_HELP2MAN} --no-info --no-discard-stderr --section=1 --name=${summary}
            --version-string=${PROJECT_VERSION} --help-option=${help_option} ${include_options}
            --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${SORVANE_GZIP} -9nf ${page}
    DEPENDS ${program} ${includes}
    COMMENT "Manual page ${program}.1"
    VERBATIM)
  add_custom_target(${program}-man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

sorvane_man_page(sorvane-cli "potential evapotranspiration from station weather files (command line)" --help-all)
if(TARGET sorvane)
  sorvane_man_page(sorvane "potential evapotranspiration from station weather files (desktop window)")
  sorvane_man_page(sorvane-plot "draw a Sorvane PET result file as a chart (run by sorvane-cli plot)")
endif()
