# SPDX-License-Identifier: GPL-3.0-or-later
# Runs inside `cmake --install` (and CPack's staging install), twice:
#   begin:  notes which of the install's folders exist already, and what an earlier install
#           under the same prefix recorded in its uninstall script;
#   finish: writes the menu entry and the uninstall script, which lists every file this
#           install put down (the manifest so far) and the folders it made.
# Paths in the script are relative to the prefix, without DESTDIR: they name the installed
# system, not the staging tree of a package build.

set(brixolan_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# The lists between the markers of an uninstall script, as CMake lists.
function(brixolan_read_script script files_var folders_var)
    set(files)
    set(folders)
    if(EXISTS "${script}")
        file(STRINGS "${script}" lines)
        set(section)
        foreach(line IN LISTS lines)
            if(line MATCHES "^installed_files\\(\\)")
                set(section files)
            elseif(line MATCHES "^installed_folders\\(\\)")
                set(section folders)
            elseif(line STREQUAL "END_OF_LIST")
                set(section)
            elseif(section AND NOT line MATCHES "cat <<" AND NOT line STREQUAL "")
                list(APPEND ${section} "${line}")
            endif()
        endforeach()
    endif()
    set(${files_var} "${files}" PARENT_SCOPE)
    set(${folders_var} "${folders}" PARENT_SCOPE)
endfunction()

if(BRIXOLAN_STEP STREQUAL "begin")
    set(BRIXOLAN_SCRIPT_PATH "${BRIXOLAN_DATA_DIR}/uninstall")
    set(BRIXOLAN_NEW_FOLDERS)
    foreach(dir IN LISTS BRIXOLAN_CANDIDATE_DIRS)
        # A staging tree (DESTDIR) tells nothing about the target system's folders: there only
        # the game's own folders count as made by the install.
        if(NOT "$ENV{DESTDIR}" STREQUAL "" AND NOT dir MATCHES "brixolan")
            continue()
        endif()
        if(NOT IS_DIRECTORY "${brixolan_root}/${dir}")
            list(APPEND BRIXOLAN_NEW_FOLDERS "${dir}")
        endif()
    endforeach()
    # Installing over an earlier install: what that one put down and is still there is ours to
    # remove too, or an uninstall would leave it behind.
    brixolan_read_script("${brixolan_root}/${BRIXOLAN_SCRIPT_PATH}" earlier_files
                         earlier_folders)
    set(BRIXOLAN_EARLIER_FILES)
    foreach(file IN LISTS earlier_files)
        if(file MATCHES "^/")
            set(path "$ENV{DESTDIR}${file}")
        else()
            set(path "${brixolan_root}/${file}")
        endif()
        if(EXISTS "${path}" OR IS_SYMLINK "${path}")
            list(APPEND BRIXOLAN_EARLIER_FILES "${file}")
        endif()
    endforeach()
    foreach(dir IN LISTS earlier_folders)
        if(IS_DIRECTORY "${brixolan_root}/${dir}")
            list(APPEND BRIXOLAN_NEW_FOLDERS "${dir}")
        endif()
    endforeach()
    return()
endif()

if(NOT BRIXOLAN_STEP STREQUAL "finish")
    message(FATAL_ERROR "RecordInstall.cmake: unknown step '${BRIXOLAN_STEP}'")
endif()
if(NOT DEFINED BRIXOLAN_SCRIPT_PATH)
    message(FATAL_ERROR "RecordInstall.cmake: the finish step ran without the begin step")
endif()

# Installs may run side by side (tests, package builds), each with its own files.
string(RANDOM LENGTH 12 work_name)
set(BRIXOLAN_WORK_DIR "${BRIXOLAN_WORK_DIR}/${work_name}")
file(MAKE_DIRECTORY "${BRIXOLAN_WORK_DIR}")

set(BRIXOLAN_EXEC "${CMAKE_INSTALL_PREFIX}/${BRIXOLAN_BIN_DIR}/brixolan")
if(BRIXOLAN_EXEC MATCHES "[ \t\"'\\$`]")
    # Exec takes a quoted argument with these four characters escaped.
    string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" BRIXOLAN_EXEC "${BRIXOLAN_EXEC}")
    set(BRIXOLAN_EXEC "\"${BRIXOLAN_EXEC}\"")
endif()
configure_file("${BRIXOLAN_DESKTOP_TEMPLATE}" "${BRIXOLAN_WORK_DIR}/brixolan.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${BRIXOLAN_WORK_DIR}/brixolan.desktop")

# The manifest holds absolute paths, with DESTDIR in front or without it depending on who runs
# the install (cmake --install or CPack).
set(files ${BRIXOLAN_EARLIER_FILES})
foreach(path IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    foreach(head IN ITEMS "${brixolan_root}/" "${CMAKE_INSTALL_PREFIX}/")
        string(LENGTH "${head}" head_length)
        string(FIND "${path}" "${head}" at)
        if(at EQUAL 0)
            string(SUBSTRING "${path}" ${head_length} -1 path)
            break()
        endif()
    endforeach()
    list(APPEND files "${path}")
endforeach()
list(APPEND files "${BRIXOLAN_SCRIPT_PATH}")
list(REMOVE_DUPLICATES files)
list(SORT files)

set(folders ${BRIXOLAN_NEW_FOLDERS})
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)

string(REPLACE "'" "'\\''" BRIXOLAN_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(BRIXOLAN_SELF "${BRIXOLAN_SCRIPT_PATH}")
set(BRIXOLAN_PROGRAM "${BRIXOLAN_BIN_DIR}/brixolan")
string(REPLACE ";" "\n" BRIXOLAN_FILES "${files}")
string(REPLACE ";" "\n" BRIXOLAN_FOLDERS "${folders}")
configure_file("${BRIXOLAN_UNINSTALL_TEMPLATE}" "${BRIXOLAN_WORK_DIR}/uninstall" @ONLY)
get_filename_component(script_dir "${CMAKE_INSTALL_PREFIX}/${BRIXOLAN_SCRIPT_PATH}" DIRECTORY)
file(INSTALL DESTINATION "${script_dir}" TYPE PROGRAM FILES "${BRIXOLAN_WORK_DIR}/uninstall")
file(REMOVE_RECURSE "${BRIXOLAN_WORK_DIR}")
