# SPDX-License-Identifier: GPL-3.0-or-later
# Runs inside `cmake --install` (and CPack's staging install), once per manual page: the pages
# name the installed paths, so they are written for this install's prefix (`make install`:
# /usr/local, the package: /usr) and go out compressed as Debian wants them, gzip -9n with
# neither name nor time stamp, so that the same sources give the same files.

# The prefix as roff text: a backslash is printed by \e, and a hyphen in a path is a real one.
string(REPLACE "\\" "\\e" BRIXOLAN_MAN_PREFIX "${CMAKE_INSTALL_PREFIX}")
string(REPLACE "-" "\\-" BRIXOLAN_MAN_PREFIX "${BRIXOLAN_MAN_PREFIX}")

string(RANDOM LENGTH 12 work_name)
set(work "${BRIXOLAN_WORK_DIR}/${work_name}")
configure_file("${BRIXOLAN_MAN_TEMPLATE}" "${work}/brixolan.6" @ONLY)
execute_process(COMMAND gzip -9nf "${work}/brixolan.6" COMMAND_ERROR_IS_FATAL ANY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${BRIXOLAN_MAN_DIR}" TYPE FILE
     FILES "${work}/brixolan.6.gz")
file(REMOVE_RECURSE "${work}")
