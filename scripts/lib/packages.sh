# Installs the Debian packages the guide needs to build, run and test, when some are
# missing: directly as root, through sudo otherwise; if neither works, it prints the exact
# apt-get line and stops.

VTGUIDE_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libjpeg62-turbo-dev libfontconfig-dev fonts-wqy-microhei fonts-dejavu-core
  libgtest-dev libbenchmark-dev
  xvfb openbox xdotool x11-utils libx11-dev libxcb1-dev
  clang libclang-rt-14-dev
)

vtguide_ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local line="apt-get install -y --no-install-recommends ${missing[*]}"
  echo "Installing missing packages: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -q && DEBIAN_FRONTEND=noninteractive $line && return 0
  elif command -v sudo >/dev/null 2>&1; then
    sudo apt-get update -q && sudo DEBIAN_FRONTEND=noninteractive $line && return 0
  fi
  echo "Could not install the packages. Please run this, then try again:" >&2
  echo "  sudo apt-get update && sudo $line" >&2
  exit 1
}
