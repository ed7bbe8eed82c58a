# Sourced by the scripts beside it: the folders, the build, the Wine prefix and the virtual display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
deps=${QUARROW_DEPS_DIR:-$root/build/deps}

# Installs what is missing (as root only), configures and builds the given targets (all without any).
build_targets() {
  if [ "$(id -u)" = 0 ]; then "$root/scripts/setup"; fi
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUARROW_DEPS_DIR="$deps" >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build "$build" -j"$(nproc)" --target "$@"
  else
    cmake --build "$build" -j"$(nproc)"
  fi
}

# Exports the Wine environment of the prefix PREFIX and creates the prefix on first use, one creator
# at a time. Wine must never offer to download Mono or Gecko, and without a debugger a crashing
# program ends at once instead of waiting in Wine's crash dialog.
use_wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
      flock 9
      if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w
      fi
    ) 9>"$WINEPREFIX.lock"
  fi
}

# Runs a command on a virtual X display of its own.
virtual_display=(xvfb-run -a -s "-screen 0 1280x1024x24")
