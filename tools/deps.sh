# Sourced by ./run and ./test: installs the Debian packages that are missing.
# Usage: ensure_packages pkg...
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and running the program needs.
BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libpng-dev zlib1g-dev
  nlohmann-json3-dev libcli11-dev libgl-dev libavformat-dev libavcodec-dev libavutil-dev
  libtesseract-dev tesseract-ocr-eng)
# What the tests need beyond that: the test framework, an independent decoder, an X server.
TEST_PACKAGES=(libgtest-dev libgmock-dev ffmpeg mkvtoolnix xvfb xauth libxml2-utils pngcheck clang
  libclang-rt-14-dev)
# Benchmarks (MARROWBY_BENCH=ON) and regenerating the letter sheet (tools/).
BENCH_PACKAGES=(libbenchmark-dev tesseract-ocr)
TOOL_PACKAGES=(libfreetype-dev fonts-liberation2)
