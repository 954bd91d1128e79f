# shellcheck shell=bash
# Sourced by the scripts of this folder: moves to the project's root and holds the steps
# they share, so that each build folder is configured one way and each npm folder is
# installed one way.
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit

# configure DIR: configures the named build folder with its own options, quietly.
#   build          the program, its tests and benchmarks
#   build-asan     the tests under AddressSanitizer and UndefinedBehaviorSanitizer, without
#                  the window, whose X libraries leak by design
#   build-windows  the 64-bit Windows program and its tests, cross-built with mingw-w64
#   build-fuzz     the libFuzzer targets, built with clang
configure() {
  local dir=$1 compiler=() options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case $dir in
    build) ;;
    build-asan) options=(-DCMAKE_BUILD_TYPE=Debug -DTRACCIATO_SANITIZE=ON -DTRACCIATO_WINDOW=OFF) ;;
    build-windows) options+=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake) ;;
    build-fuzz)
      compiler=(CXX=clang++-14)
      options+=(-DTRACCIATO_FUZZ=ON -DTRACCIATO_WINDOW=OFF -DTRACCIATO_BENCH=OFF) ;;
    *) echo "configure: no build folder named $dir" >&2; return 2 ;;
  esac
  env "${compiler[@]}" cmake -S . -B "$dir" "${options[@]}" >/dev/null
}

# build DIR [TARGET...]: configures the named build folder and builds the targets in it
# (all of them without a target) on every core.
build() {
  local dir=$1
  shift
  configure "$dir"
  (($#)) && set -- --target "$@"
  cmake --build "$dir" -j "$(nproc)" "$@"
}

# npm_install DIR WHAT [NAME=VALUE...]: installs DIR/node_modules at the versions
# DIR/package-lock.json locks, with the npm of the node on the PATH and the environment
# given. An install from the same lock file is left alone, and one install at a time runs
# in a folder. Without node and npm, or when npm fails, it says that WHAT will be skipped,
# and fails where CI is set, as the tests would.
npm_install() {
  local dir=$1 what=$2
  shift 2
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "node and npm are missing (as root: apt-get install nodejs npm):" \
      "$what will be skipped" >&2
    if [[ -n ${CI:-} ]]; then return 1; fi
    return 0
  fi
  (
    cd "$dir" || exit
    exec 9<.
    flock 9
    stamp=node_modules/.installed-from-lock
    [[ -f $stamp ]] && cmp -s package-lock.json "$stamp" && exit 0
    if env "$@" npm ci --no-audit --no-fund --loglevel=error >/dev/null; then
      cp package-lock.json "$stamp"
    else
      echo "npm ci failed in $PWD: $what will be skipped" >&2
      if [[ -n ${CI:-} ]]; then exit 1; fi
    fi
  )
}

# The npm folders of the project.
install_browser_test_modules() {
  # No browser is downloaded: the tests drive Debian's chromium.
  npm_install src/testing/browser "the report's browser tests" PUPPETEER_SKIP_DOWNLOAD=1
}
install_vscode_modules() {
  npm_install editors/vscode "the VS Code grammar test"
}
