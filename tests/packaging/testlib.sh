# Shared by the packaging tests (sourced, bash).

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (make deps installs it)"
    done
}

# Everything below a folder, files and folders, relative to it and sorted.
tree_of() {
    (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
}

# The expected files of an install, without the comment line.
expected_files() {
    grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/installed-files.txt"
}

# Fails with the difference when two listings differ.
same_listing() {
    local what=$1 expected=$2 actual=$3
    if ! diff -u "$expected" "$actual" >"$actual.diff"; then
        cat "$actual.diff" >&2
        fail "$what"
    fi
}

# For an EXIT trap: removes the work folder after a pass, keeps it for a look after a failure.
keep_on_failure() {
    local status=$?
    if [ "$status" = 0 ]; then
        rm -rf "$1"
    else
        echo "the test's files are kept in $1" >&2
    fi
    return "$status"
}
