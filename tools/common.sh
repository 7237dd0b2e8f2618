# Shared by tools/run and tools/test: installs what a fresh Debian 12 machine lacks and builds.
set -euo pipefail

PARVELA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PARVELA_BUILD="$PARVELA_ROOT/build"
PARVELA_PACKAGES=(cmake g++ make qt6-base-dev libqt6sql6-sqlite qt6-qpa-plugins
                  fonts-ipafont-gothic fonts-ipafont-mincho poppler-utils
                  libcsv-dev libsqlite3-dev qt6-charts-dev libqt6opengl6-dev python3 qt6-translations-l10n
                  qt6-l10n-tools qt6-tools-dev)
# What the tests need besides: the checkers of the desktop entry and the AppStream metadata.
PARVELA_TEST_PACKAGES=(desktop-file-utils appstream)
# The pixel sizes of the application icon beside its SVG in the hicolor theme.
PARVELA_ICON_SIZES=(16 32 48 64 128 256)

# Installs those of the given packages (by default the build's and the tests') that are missing.
parvela_install_packages() {
    local wanted=("$@") missing=()
    [ ${#wanted[@]} -eq 0 ] && wanted=("${PARVELA_PACKAGES[@]}")
    for package in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages / 不足しているパッケージを入れます: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "These packages need root: run as root or install sudo." >&2
            echo "パッケージのインストールには root 権限が必要です。root で実行するか sudo を入れてください。" >&2
            exit 1
        fi
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

parvela_build() {
    cmake -S "$PARVELA_ROOT" -B "$PARVELA_BUILD" "$@"
    cmake --build "$PARVELA_BUILD" -j"$(nproc)"
}
