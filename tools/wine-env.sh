# Sourced by the tools: the project's Wine environment.
# Project-local prefix, Chinese locale (ANSI code page 936), no Mono/Gecko prompts.
source "$(dirname "${BASH_SOURCE[0]}")/paths.sh"
export WINEPREFIX="${VEK_WINEPREFIX:-$VEK_BUILD_ROOT/wine}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
if [ -x /usr/lib/wine/wine64 ]; then
  export VEK_WINE=/usr/lib/wine/wine64
else
  export VEK_WINE="$(command -v wine64 || command -v wine)"
fi
