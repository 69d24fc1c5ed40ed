# `nuvik-new NAME`: a new program project from the installed template (sdk/template/), with its
# first golden written by building it once. A script beside the runner rather than a `nuvik new`
# subcommand: the runner's command line is options only, and every program built with
# nuvik_add_program is a runner with the same command line, where `new` would make no sense.
set(NUVIK_TEMPLATE_DIR share/nuvik/template)
configure_file(sdk/nuvik-new.in "${CMAKE_CURRENT_BINARY_DIR}/nuvik-new" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
install(PROGRAMS "${CMAKE_CURRENT_BINARY_DIR}/nuvik-new" DESTINATION bin)
install(DIRECTORY sdk/template/ DESTINATION ${NUVIK_TEMPLATE_DIR})
