# Runs at install time, where CMAKE_INSTALL_PREFIX and DESTDIR are those of this install (cmake --install
# --prefix, or cpack's staging). RECEIPT_PROGRAM_DIR is the program's folder below the prefix; RECEIPT_STEP
# is "links" (part of the program and of the package) or "data" (a source install only: the package's
# postinst makes the data instead, so that no package ever carries or replaces data.mdb).

# The variable-data folder that goes with the prefix, as GNUInstallDirs places it: /var for /usr.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(data_dir /var/lib/receipt)
else()
    set(data_dir ${CMAKE_INSTALL_PREFIX}/var/lib/receipt)
endif()
set(program_dir ${CMAKE_INSTALL_PREFIX}/${RECEIPT_PROGRAM_DIR})

function(receipt_link target link)
    message(STATUS "Installing: ${link} -> ${target}")
    file(CREATE_LINK ${target} ${link} SYMBOLIC RESULT failure)
    if(failure)
        message(FATAL_ERROR "Cannot link ${link} to ${target}: ${failure}")
    endif()
endfunction()

if(RECEIPT_STEP STREQUAL "links")
    # The program finds data.mdb beside itself; the link leads there from the read-only program folder.
    receipt_link(${data_dir}/data.mdb $ENV{DESTDIR}${program_dir}/data.mdb)
    file(MAKE_DIRECTORY $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin)
    file(RELATIVE_PATH program ${CMAKE_INSTALL_PREFIX}/bin ${program_dir}/Receipt)
    receipt_link(${program} $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/receipt)
elseif(RECEIPT_STEP STREQUAL "data")
    file(MAKE_DIRECTORY $ENV{DESTDIR}${data_dir})
    execute_process(
        COMMAND $ENV{DESTDIR}${program_dir}/make-database $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/receipt/schema.sql
                $ENV{DESTDIR}${data_dir}/data.mdb
        RESULT_VARIABLE failure)
    if(failure)
        message(FATAL_ERROR "make-database failed (${failure}); ${data_dir}/data.mdb is not usable")
    endif()
endif()
