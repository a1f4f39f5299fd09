# scribolix_installer_compresse(<file> <destination>): installs <file>, taken
# from the current source folder, compressed as <name>.gz, as Debian's policy
# asks of manual pages and changelogs. gzip -9n keeps no name and no time, so
# that two builds give the same bytes.
find_program(SCRIBOLIX_GZIP gzip REQUIRED)

function(scribolix_installer_compresse fichier destination)
    get_filename_component(nom ${fichier} NAME)
    set(copie ${CMAKE_CURRENT_BINARY_DIR}/${nom})
    add_custom_command(OUTPUT ${copie}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${fichier} ${copie}
        COMMAND ${SCRIBOLIX_GZIP} -9nf ${copie}
        DEPENDS ${fichier}
        COMMENT "Compression de ${nom}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER "compresser_${nom}" cible)
    add_custom_target(${cible} ALL DEPENDS ${copie}.gz)
    install(FILES ${copie}.gz DESTINATION ${destination})
endfunction()
