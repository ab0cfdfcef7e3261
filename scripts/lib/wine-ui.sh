# Shared by scripts/ui and scripts/screenshots (sourced): packages, the Windows build and Wine.

# Installs what is missing with apt-get: the Windows build's tools, Wine, a virtual display and a font
# with Japanese glyphs for the windows' texts.
wine_ui_packages() {
    local packages=(cmake ninja-build g++ googletest nlohmann-json3-dev rapidjson-dev
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 xvfb xauth fonts-ipafont-gothic)
    local missing=() pkg sudo_cmd=()
    for pkg in "${packages[@]}"; do
        if [[ "$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)" != installed ]]; then
            missing+=("$pkg")
        fi
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "== installing: ${missing[*]}"
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures (once) and builds the Windows preset; the build is incremental.
wine_ui_build() {
    if [[ ! -f build/windows/build.ninja ]]; then
        cmake --preset windows
    fi
    cmake --build --preset windows --parallel 2
}

# Creates the Wine prefix $1 if needed. With "unmanaged", Wine draws the windows' frames itself and no
# window manager is waited for (a virtual display has none).
wine_ui_prefix() {
    local prefix="$1" mode="${2:-managed}"
    if [[ "$mode" == unmanaged ]]; then
        cmake -DWINE=/usr/lib/wine/wine64 "-DWINEPREFIX=$prefix" -P cmake/TvlWinePrefix.cmake >/dev/null
    elif [[ ! -f "$prefix/system.reg" ]]; then
        WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot --init
    fi
}

# Dialogs name Japanese fonts of Windows ("ＭＳ Ｐゴシック" and the like) that Wine does not have: it
# draws their texts with the IPA Gothic fonts instead, which have the glyphs. Once per prefix $1.
wine_ui_fonts() {
    local prefix="$1" face stamp="$1/tvl-font-replacements"
    [[ -f "$stamp" ]] && return 0
    local -A replacements=(
        ["ＭＳ Ｐゴシック"]=IPAPGothic ["MS PGothic"]=IPAPGothic ["ＭＳ ＵＩ ゴシック"]=IPAPGothic
        ["MS UI Gothic"]=IPAPGothic ["ＭＳ ゴシック"]=IPAGothic ["MS Gothic"]=IPAGothic)
    for face in "${!replacements[@]}"; do
        LC_ALL=C.UTF-8 WINEPREFIX="$prefix" WINEDEBUG=-all /usr/lib/wine/wine64 reg add \
            'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "${replacements[$face]}" /f >/dev/null
    done
    touch "$stamp"
}

# A Linux path as Wine sees it (drive Z: is the root folder).
wine_ui_path() {
    local abs
    abs="$(realpath -m "$1")"
    echo "Z:${abs//\//\\}"
}
