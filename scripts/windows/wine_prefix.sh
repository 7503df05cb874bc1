# The Wine set-up the Windows runs share, sourced by scripts/test-windows.sh and
# scripts/test-release.sh. prepare_wine BUILD_DIR makes (once) the 64-bit prefix BUILD_DIR/wine-prefix
# where no Mono or Gecko installer asks anything, plays sound into ALSA's null device, maps the
# countdown's Courier New to Liberation Mono, and sets `temp` to Wine's temporary folder as a Unix
# path. Prints a FAIL line and returns 1 when something of that cannot be had.
prepare_wine() {
  local build=$1
  export WINEPREFIX=$build/wine-prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The track is decoded and played and nobody hears it.
  export ALSA_CONFIG_PATH=$build/alsa-null.conf
  printf 'pcm.!default { type null }\n' >"$ALSA_CONFIG_PATH"

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== making the Wine prefix"
    wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot"; return 1; }
  fi
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /t REG_SZ /d "Liberation Mono" /f \
    >/dev/null 2>&1 || { echo "FAIL: the font replacement cannot be set"; return 1; }
  temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
  wineserver -w
  [ -n "$temp" ] && [ -d "$temp" ] || { echo "FAIL: Wine's temporary folder not found"; return 1; }
}
