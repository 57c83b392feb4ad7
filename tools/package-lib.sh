# Shared by tools/package-windows.sh and the Windows suite's package tests: sourced, never run.
# The Windows Installer package (wixl and msibuild, from msitools) and Authenticode signing
# (osslsigncode).
#
# Signing takes its certificate from the environment:
#   IQO_SIGN_PFX        the code-signing certificate with its private key (a PKCS#12 file)
#   IQO_SIGN_PASSWORD   its password: handed to osslsigncode and openssl on their standard input or
#                       through the environment, never on a command line, never written or printed
#   IQO_SIGN_TIMESTAMP  optional: an RFC 3161 timestamp server (http://timestamp.digicert.com)

IQO_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Whether a certificate was given; stops when one is given without what goes with it.
iqo_signing_requested() {
  [ -n "${IQO_SIGN_PFX:-}" ] || return 1
  if [ ! -f "$IQO_SIGN_PFX" ]; then
    echo "IQO_SIGN_PFX names no file: $IQO_SIGN_PFX" >&2
    exit 1
  fi
  if [ -z "${IQO_SIGN_PASSWORD+set}" ]; then
    echo "IQO_SIGN_PFX is given, IQO_SIGN_PASSWORD is not (set it, empty for a certificate without one)" >&2
    exit 1
  fi
  return 0
}

# Signs each file in place (PE files and MSI packages alike), SHA-256, timestamped when a server
# is given.
iqo_sign() {
  local file out
  for file in "$@"; do
    local timestamp=()
    [ -n "${IQO_SIGN_TIMESTAMP:-}" ] && timestamp=(-ts "$IQO_SIGN_TIMESTAMP")
    if ! out=$(printf '%s' "$IQO_SIGN_PASSWORD" | osslsigncode sign -pkcs12 "$IQO_SIGN_PFX" -readpass - -h sha256 \
                 -n "QuorOlma braille driver for JAWS" "${timestamp[@]}" -in "$file" -out "$file.signed" 2>&1); then
      rm -f "$file.signed"
      echo "$out" >&2
      echo "Signing $file failed." >&2
      return 1
    fi
    mv -f "$file.signed" "$file"
  done
}

# Verifies each file's signature against the system's certificate authorities and the
# certificates of the PFX itself (a maker's own or a test's certificate needs no public one).
iqo_verify_signatures() {
  local work status=0 file out
  work=$(mktemp -d)
  [ -f /etc/ssl/certs/ca-certificates.crt ] && cat /etc/ssl/certs/ca-certificates.crt >"$work/ca.pem"
  # Public certificates only: the key stays in the PFX.
  if ! IQO_PASS=$IQO_SIGN_PASSWORD openssl pkcs12 -in "$IQO_SIGN_PFX" -nokeys -passin env:IQO_PASS >>"$work/ca.pem" 2>/dev/null &&
     ! IQO_PASS=$IQO_SIGN_PASSWORD openssl pkcs12 -legacy -in "$IQO_SIGN_PFX" -nokeys -passin env:IQO_PASS >>"$work/ca.pem" 2>/dev/null; then
    echo "The certificates of $IQO_SIGN_PFX could not be read (wrong password?)" >&2
    rm -rf "$work"
    return 1
  fi
  for file in "$@"; do
    if ! out=$(osslsigncode verify -in "$file" -CAfile "$work/ca.pem" 2>&1) || ! grep -q '^Signature verification: ok' <<<"$out"; then
      echo "$out" >&2
      echo "The signature of $file does not verify." >&2
      status=1
    fi
  done
  rm -rf "$work"
  return $status
}

# The PE files of a folder: what is signed of the program's folder.
iqo_pe_files() {
  find "$1" -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort
}

# Makes the Windows Installer package OUTPUT from the program's folder as the install rules
# staged it (the zip's folder), the driver package's folder and the custom action's DLL. Its
# version is the driver's (QuorOlma.jlb). Prints that version.
#   iqo_make_msi PROGRAM_FOLDER DRIVER_FOLDER ACTION_DLL OUTPUT
iqo_make_msi() {
  local program=$1 driver=$2 action=$3 output=$4 name
  for name in QuorOlma.jlb list.install; do
    if [ ! -f "$driver/$name" ]; then
      echo "The driver package's folder $driver holds no $name." >&2
      return 1
    fi
  done
  local version work
  version=$(python3 "$IQO_REPO/tools/msi-files.py" version "$driver/QuorOlma.jlb") || return 1
  work=$(mktemp -d)
  # wixl finds a file by a name relative to the folder of a source that names it.
  ln -s "$(realpath "$program")" "$work/program"
  ln -s "$(realpath "$driver")" "$work/driver"
  cp "$action" "$work/InstallQuorOlmaAction.dll"
  python3 "$IQO_REPO/tools/msi-files.py" fragment "$program" "$driver" >"$work/files.wxs" || { rm -rf "$work"; return 1; }
  rm -f "$output"
  if ! wixl -a x64 -D ProductVersion="$version" -D ActionDll=InstallQuorOlmaAction.dll -o "$output" \
         "$IQO_REPO/resources/msi/InstallQuorOlma.wxs" "$work/files.wxs" 2>"$work/wixl.err" || [ -s "$work/wixl.err" ]; then
    cat "$work/wixl.err" >&2
    echo "wixl failed (or warned) on the package's source." >&2
    rm -rf "$work" "$output"
    return 1
  fi
  rm -rf "$work"
  # What wixl cannot say. An installed package of the same version is replaced too (a rebuild,
  # or a driver that differs in the revision, which Windows Installer does not compare):
  # migrate features (1), minimum (256) and maximum (512) included.
  local code
  code=$(msiinfo export "$output" Property | tr -d '\r' | sed -n 's/^UpgradeCode\t//p')
  msibuild "$output" -q "DELETE FROM Upgrade WHERE ActionProperty = 'OLDER_VERSION_FOUND'" &&
  msibuild "$output" -q "INSERT INTO Upgrade (UpgradeCode, VersionMin, VersionMax, Attributes, ActionProperty) VALUES ('$code', '0.0.0', '$version', 769, 'OLDER_VERSION_FOUND')" &&
  # The public properties reach the part of the installation that runs as SYSTEM.
  msibuild "$output" -q "UPDATE Property SET Value = 'NEWER_VERSION_FOUND;OLDER_VERSION_FOUND;DISPLAY;JAWS;ALLUSERS_SETTINGS;NORESTART' WHERE Property = 'SecureCustomProperties'" ||
    { echo "The package's tables could not be completed." >&2; rm -f "$output"; return 1; }
  echo "$version"
}

# The whole package from a configured and built Windows build: CPack's ZIP (the install rules
# of cmake/WindowsPackage.cmake), its folder unpacked, and from that same folder the MSI when a
# driver package's folder is given; everything signed and verified when a certificate is given,
# the zip then made again from the signed files. Writes into DIST:
#   InstallQuorOlma-<version>-win64.zip and, with a driver package, InstallQuorOlma-<version>-win64.msi
# Sets IQO_ZIP, IQO_MSI (empty without a driver package), IQO_MSI_VERSION and IQO_SIGNED (0 or 1).
#   iqo_package WINDOWS_BUILD STAGING DIST [DRIVER_FOLDER]
iqo_package() {
  local build=$1 staging=$2 dist=$3 driver=${4:-}
  IQO_ZIP= IQO_MSI= IQO_MSI_VERSION= IQO_SIGNED=0
  rm -rf "$staging"
  # CPack installs into its own staging folder, reading each shipped file's imports as it goes.
  (cd "$build" && cpack -G ZIP -B "$staging") >"$staging.cpack.log" 2>&1 || { cat "$staging.cpack.log" >&2; echo "cpack failed" >&2; return 1; }
  rm -f "$staging.cpack.log"
  local archive name
  archive=$(ls "$staging"/InstallQuorOlma-*-win64.zip 2>/dev/null | head -n 1)
  [ -n "$archive" ] || { echo "cpack made no archive" >&2; return 1; }
  name=$(basename "$archive" .zip)
  mkdir -p "$staging/unpacked" "$dist"
  (cd "$staging/unpacked" && cmake -E tar xf "$archive") || { echo "the archive does not unpack" >&2; return 1; }
  local program="$staging/unpacked/$name"
  [ -f "$program/InstallQuorOlma.exe" ] || { echo "no InstallQuorOlma.exe in the archive's folder" >&2; return 1; }
  local action="$staging/InstallQuorOlmaAction.dll"
  cp "$build/src/msi/InstallQuorOlmaAction.dll" "$action" || { echo "the custom action's DLL is not built" >&2; return 1; }

  IQO_ZIP="$dist/$name.zip"
  rm -f "$IQO_ZIP"
  if iqo_signing_requested; then
    local files=()
    mapfile -t files < <(iqo_pe_files "$program")
    iqo_sign "${files[@]}" "$action" && iqo_verify_signatures "${files[@]}" "$action" || return 1
    # The zip again, from the signed files.
    python3 - "$staging/unpacked" "$name" "$IQO_ZIP" <<'PY' || return 1
import os, sys, zipfile
root, name, out = sys.argv[1:4]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for folder, dirs, files in os.walk(os.path.join(root, name)):
        dirs.sort()
        for file in sorted(files):
            path = os.path.join(folder, file)
            archive.write(path, os.path.relpath(path, root).replace(os.sep, "/"))
PY
    IQO_SIGNED=1
  else
    cp "$archive" "$IQO_ZIP"
  fi

  if [ -n "$driver" ]; then
    IQO_MSI="$dist/$name.msi"
    IQO_MSI_VERSION=$(iqo_make_msi "$program" "$driver" "$action" "$IQO_MSI") || return 1
    if [ "$IQO_SIGNED" = 1 ]; then
      iqo_sign "$IQO_MSI" && iqo_verify_signatures "$IQO_MSI" || return 1
    fi
  fi
}
