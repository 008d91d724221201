# Sourced by the Windows package checks, after check-support.sh, with root, build and packages set: the version
# of the build and its zip, and a Wine session of the check's own in its work folder (cmake/wine-session.sh),
# stopped at exit.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
zip=$packages/quendrith-tools-$version-win64.zip
session_script=$root/cmake/wine-session.sh
session=$work/session
clean_up() { bash "$session_script" stop "$session" 2>/dev/null || true; }
