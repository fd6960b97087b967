# The Windows program: bootspan.exe built with MinGW-w64 and tested under
# Wine. The product is the 32-bit program. Where this machine cannot run
# 32-bit code (Linux with its 32-bit emulation off), the same sources are
# also built for 64-bit Windows and tested under 64-bit Wine instead.

wine_prefix() {  # wine_prefix LOADER DIR [win98]: creates a prefix once
  local loader=$1 dir=$2
  if [ ! -f "$dir/system.reg" ]; then
    WINEPREFIX=$dir "$loader" wineboot -i >/dev/null 2>&1 || return 1
    if [ "${3:-}" = win98 ]; then
      WINEPREFIX=$dir "$loader" reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1 || return 1
    fi
    WINEPREFIX=$dir "$wineserver" -w
  fi
}

check_windows_exe() {  # the file that goes onto Windows machines
  local exe=build/windows-i686/bootspan.exe headers dlls
  headers=$(i686-w64-mingw32-objdump -p "$exe")
  grep -q '^Magic.*(PE32)$' <<<"$headers" || { echo "not a 32-bit program"; return 1; }
  grep -q '(Windows CUI)' <<<"$headers" || { echo "not a console program"; return 1; }
  dlls=$(grep 'DLL Name:' <<<"$headers" | awk '{print $3}' | sort | tr '\n' ' ')
  [ "$dlls" = "ADVAPI32.dll KERNEL32.dll msvcrt.dll " ] || { echo "imports: $dlls"; return 1; }
  i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null | grep -q '"PrivateBuild", "2006/01/27"' ||
    { echo "no version record"; return 1; }
  echo "bootspan.exe: PE32 console program, imports $dlls, version record present"
}

windows_stage() {
  cmake -S . -B build/windows-i686 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
  cmake --build build/windows-i686 -j "$jobs"
  check_windows_exe || return 1

  local build loader
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    build=build/windows-i686 loader=/usr/lib/wine/wine wineserver=/usr/lib/wine/wineserver32
  else
    echo "This machine cannot run 32-bit programs: testing the 64-bit build under 64-bit Wine."
    build=build/windows-x86_64 loader=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build "$build" -j "$jobs"
  fi
  [ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

  local prefix=$root/build/wine/prefix win98=$root/build/wine/win98 status=0
  mkdir -p build/wine
  export WINEDEBUG=-all
  # No prompt to fetch Wine Mono or Gecko: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  wine_prefix "$loader" "$prefix" && wine_prefix "$loader" "$win98" win98 || return 1
  # Servers that stay up for the whole stage: one start, not one per run.
  # Wine's own services start here too, away from the tests' output pipes,
  # which they would otherwise hold open.
  local p
  for p in "$prefix" "$win98"; do
    WINEPREFIX=$p "$wineserver" -p
    WINEPREFIX=$p "$loader" wineboot </dev/null >/dev/null 2>&1
  done
  WINEPREFIX=$prefix ctest --test-dir "$build" --output-on-failure || status=1
  BOOTSPAN_EXE=$root/$build/bootspan.exe BOOTSPAN_WINE=$loader \
    WINEPREFIX=$prefix BOOTSPAN_WIN98_PREFIX=$win98 \
    build/native/tests/bootspan_wine_tests || status=1
  WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
  WINEPREFIX=$win98 "$wineserver" -k 2>/dev/null || true
  return $status
}

stage "Windows build and tests under Wine"
if ! missing windows i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine; then
  run windows windows_stage
fi
