# Shared by ./play and ./test: install what is missing, then configure and build.
# Sourced, not run.

KV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages the build, the tests and the game need.
KV_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev zlib1g-dev
  fonts-linuxlibertine xvfb xauth
)

kv_install_packages() {
  local missing=()
  for p in "${KV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq || return 1
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
}

# kv_build DIR BUILD_TYPE [extra cmake args...]
kv_build() {
  local dir=$1 type=$2
  shift 2
  local gen=()
  command -v ninja >/dev/null && gen=(-G Ninja)
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$KV_ROOT" -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE="$type" "$@" || return 1
  else
    cmake "$dir" "$@" >/dev/null || return 1
  fi
  cmake --build "$dir" -j2
}
