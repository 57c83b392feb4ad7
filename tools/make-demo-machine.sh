#!/usr/bin/env bash
# Makes a simulated Windows machine for the demo (and for trying the wizard by hand): four JAWS
# versions recorded in registry.reg with their program, settings and manuals folders, and a
# package folder holding the driver, the manifest and the files it names. JAWS 6.10 and 10.0 are
# laid out as they were; JAWS 2019 and 2025 as they are today: program folders
# "Freedom Scientific/JAWS/<year>", registry keys named by the year beside the keys "Common" and
# "Registration" (which name no folder), program files numbered from 1999 in dotted form
# (20.0.2014.0, 26.6.24.0), settings folders named by the year (SETTINGS shared, Settings the
# user's), the user's default.jcf in UTF-8 with its mark; JAWS 2025 keeps its jfw.ini in the
# shared settings' INIT folder, JAWS 2019 has none. The PE files (jfw.exe, QuorOlma.jlb) are
# real, 64-bit, with version resources, made by MinGW's resource compiler and linker.
# Usage: tools/make-demo-machine.sh ROOT   (ROOT is emptied first)
set -euo pipefail
root=${1:?usage: make-demo-machine.sh ROOT}
rm -rf "$root"
mkdir -p "$root"
root=$(cd "$root" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A resource-only PE file whose FileVersion is $2 (and binary version $5, product version $6).
pe_file() { # output version language block [binary-version product-version]
  cat > "$work/v.rc" <<RC
1 VERSIONINFO
FILEVERSION ${5:-1,0,0,0}
PRODUCTVERSION ${5:-1,0,0,0}
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "$4"
    BEGIN
      VALUE "FileVersion", "$2"
      VALUE "ProductVersion", "${6:-$2}"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", $3, 1200
  END
END
RC
  x86_64-w64-mingw32-windres -O coff -i "$work/v.rc" -o "$work/v.res"
  x86_64-w64-mingw32-ld --dll -e 0 --no-insert-timestamp -o "$1" "$work/v.res"
}

crlf() { sed 's/$/\r/' > "$1"; }

# JAWS up to 18: program folder "Freedom Scientific/JAWS<version>", jfw.ini in it, settings
# folders "<version>/Settings".
jaws_install() { # folder-name version-string settings-version
  local program="$root/Program Files/Freedom Scientific/$1"
  mkdir -p "$program/MANUALS/enu" "$program/MANUALS/fra"
  pe_file "$program/jfw.exe" "$2" 0x0409 040904b0
  cp "$program/jfw.exe" "$program/JFW.EXE" 2>/dev/null || true # the name the restart looks for
  displays | crlf "$program/jfw.ini"
  printf '[Focus 40 Blue]\nPort=USB\n' | crlf "$program/braille.ini"
  settings "$3/Settings" "$3/Settings" ''
}

# JAWS 2018 and later: program folder "Freedom Scientific/JAWS/<year>", settings named by the
# year.
jaws_today() { # year version-string binary-version product-version jfw.ini-in-INIT
  local program="$root/Program Files/Freedom Scientific/JAWS/$1"
  mkdir -p "$program/MANUALS/enu" "$program/MANUALS/fra"
  pe_file "$program/jfw.exe" "$2" 0x0409 040904b0 "$3" "$4"
  cp "$program/jfw.exe" "$program/JFW.EXE" 2>/dev/null || true
  printf '[Focus 40 Blue]\nPort=USB\n' | crlf "$program/braille.ini"
  settings "$1/SETTINGS" "$1/Settings" $'\xef\xbb\xbf'
  if [ "$5" = yes ]; then
    mkdir -p "$root/ProgramData/Freedom Scientific/JAWS/$1/SETTINGS/INIT"
    displays | crlf "$root/ProgramData/Freedom Scientific/JAWS/$1/SETTINGS/INIT/jfw.ini"
  fi
}

displays() {
  printf '[Options]\nVoice=Eloquence\n[BrailleDisplays]\nBraille1LongName=Focus 40 Blue\nBraille1Name=FOCUS\nBraille1Driver=focus\nBraille1Port=USB\n'
}

settings() { # shared-folder user-folder user-file-mark
  local language shared="$root/ProgramData/Freedom Scientific/JAWS/$1" user="$root/AppData/Roaming/Freedom Scientific/JAWS/$2"
  for language in enu deu fra ita sve; do
    mkdir -p "$shared/$language"
    printf '[Options]\nSpeech=0\n[Braille]\nBrailleTranslationTable=Old.jbt\n' | crlf "$shared/$language/default.jcf"
  done
  for language in enu fra; do
    mkdir -p "$user/$language"
    { printf '%s' "$3"; printf '[Options]\nBrailleDisplay=FOCUS\n' | sed 's/$/\r/'; } > "$user/$language/default.jcf"
    printf '[Keys]\nControl+Shift+B=BrailleToggle\n' | crlf "$user/$language/default.jkm"
  done
}

jaws_install "JAWS6.10" "6, 10, 0, 0" "6.10"
jaws_install "JAWS10.0" "10, 0, 1154, 0" "10.0"
jaws_today 2019 "20.0.2014.0" "20,0,2014,0" "2019.1906.10.0" no
jaws_today 2025 "26.6.24.0" "26,6,24,0" "2025.2508.120.400" yes
mkdir -p "$root/Windows/System32" "$root/Desktop" "$root/Documents" "$root/Startup"

# The registry, as the registry editor exports it: UTF-16LE with a byte-order mark. Each Target
# ends with a separator, as JAWS writes it.
programs="$root/Program Files/Freedom Scientific"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for entry in "6.10|JAWS6.10" "10.0|JAWS10.0" "2019|JAWS/2019" "2025|JAWS/2025" "Common|" "Registration|"; do
    IFS='|' read -r key folder <<<"$entry"
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Freedom Scientific\\JAWS\\%s]\r\n' "$key"
    [ -z "$folder" ] || printf '"Target"="%s/%s/"\r\n' "${programs//\\/\\\\}" "$folder"
    printf '\r\n'
  done
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$root/registry.reg"

# The installation package.
package="$root/package"
mkdir -p "$package"
pe_file "$package/QuorOlma.jlb" "2, 1, 0, 7" 0x0000 000004b0
printf '[COPY]\nQuorOlma.jlb\n*.chm\n[DRIVERS_COPY]\nQuorOlma.jlb\n[MERGE]\nkorvalis_default.jcf\n[ENU_MANUALS_COPY]\nmanual_en.txt\n[FRA_MANUALS_COPY]\nmanual_fr.txt\n' \
  | crlf "$package/list.install"
for language in ENU:English FRA:French DEU:German ITA:Italian SVE:Swedish; do
  printf '[%s_KBD_BRAILLE_TABLE]\nBrailleTranslationTable=%s\n[%s_JBT_BRAILLE_TABLE]\nBrailleTranslationTable=%s.jbt\n' \
    "${language%%:*}" "${language#*:}_keys" "${language%%:*}" "${language#*:}" | crlf "$work/tables"
  cat "$work/tables" >> "$package/list.install"
done
printf '[Korvalis Olma (1.71 et plus r\xe9cent)]\nDriver=quorolma\nPort=COM1:9600,e,8,1\n[Korvalis Quor]\nDriver=quorolma\nPort=USB\n' | crlf "$package/braille.ini"
printf '[Options]\nSpeech=1\n[Korvalis]\nEnabled=1\n' | crlf "$package/korvalis_default.jcf"
printf 'QuorOlma driver help\n' > "$package/QuorOlma.chm"
printf 'Korvalis QuorOlma: user manual\n' > "$package/manual_en.txt"
printf 'Korvalis QuorOlma : manuel utilisateur\n' > "$package/manual_fr.txt"
echo "Demo machine: $root (set QUOROLMA_SYSTEM_ROOT to it; the package is $package)"
