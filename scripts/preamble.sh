# Sourced first by every script: the source root, the build folder (BUILD_DIR, default
# build/, passed on to the scripts this one calls) and the Wine environment of wine-env.sh.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build
source "$root/scripts/wine-env.sh"
