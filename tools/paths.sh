# Sourced by the tools: where the repository and the builds are.
# VEK_BUILD_ROOT (default build/, relative to the repository or absolute) holds
# the builds and the Wine prefix, so that several work trees can build at once.
VEK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export VEK_ROOT
case "${VEK_BUILD_ROOT:=build}" in
  /*) ;;
  *) VEK_BUILD_ROOT="$VEK_ROOT/$VEK_BUILD_ROOT" ;;
esac
export VEK_BUILD_ROOT
