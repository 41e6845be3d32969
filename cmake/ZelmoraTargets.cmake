# Build rules shared by every target of our own code.

# Warnings are errors in the code we write, and only there: the output of
# moc and rcc is compiled with the same warnings but never fails the build,
# and Qt, GoogleTest and Benchmark are found as system headers, whose
# warnings the compiler does not report. A compiler newer than ours may warn
# about more: -DZELMORA_WERROR=OFF then still builds.
function(zelmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  if(NOT ZELMORA_WERROR)
    return()
  endif()
  target_compile_options(${target} PRIVATE -Werror)
  get_target_property(automoc ${target} AUTOMOC)
  if(automoc)
    get_target_property(binary_dir ${target} BINARY_DIR)
    set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
                                TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS -Wno-error)
  endif()
endfunction()

# Qt resources compiled into `target`, exempt from -Werror like moc output.
function(zelmora_resources target)
  qt_add_resources(generated ${ARGN})
  set_source_files_properties(${generated} PROPERTIES COMPILE_OPTIONS -Wno-error)
  target_sources(${target} PRIVATE ${generated})
endfunction()
