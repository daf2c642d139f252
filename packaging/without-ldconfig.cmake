# Run by CPack after it made the package: takes out the maintainer scripts it adds for any shared
# library below usr/lib. They only call ldconfig, which has nothing to do for the content library
# (no search path holds usr/lib/verdane), and a postrm would keep the package listed by dpkg after
# `apt remove`, waiting to be purged, where removing it should leave nothing behind.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    set(tree ${package}.tree)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    foreach(script IN ITEMS postinst postrm)
        if(EXISTS ${tree}/DEBIAN/${script})
            file(STRINGS ${tree}/DEBIAN/${script} lines REGEX "^[^#]")
            # Nothing but "set -e" and the ldconfig call: anything else is kept and shown.
            list(FILTER lines EXCLUDE REGEX "^(set -e|if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then|\tldconfig|fi)$")
            if(lines)
                message(FATAL_ERROR "${script} does more than call ldconfig: ${lines}")
            endif()
            file(REMOVE ${tree}/DEBIAN/${script})
        endif()
    endforeach()
    execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${package}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
