#!/usr/bin/env bash
# The package signed as a driver maker signs it: a throwaway code-signing certificate made by
# openssl for this run, handed over as tools/package-windows.sh takes it (IQO_SIGN_PFX and
# IQO_SIGN_PASSWORD), the package made as that script makes it (tools/package-lib.sh). Then
# osslsigncode verifies the program and every DLL in the zip, the program inside the MSI, and the
# MSI itself; the password appears in no output and no file. Without a certificate the same
# package is unsigned.
#   signing.sh BUILD_DIR
set -u
build=$1
repo=$(cd "$(dirname "$0")/../.." && pwd)
. "$repo/tools/package-lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/iqo-signing.XXXXXX")
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
trap 'if [ "$status" -eq 0 ] || [ -z "${IQO_KEEP_FAILED:-}" ]; then rm -rf "$work"; else echo "Kept: $work" >&2; fi' EXIT

# A driver package of two files is enough for the MSI.
mkdir -p "$work/driver"
cp "$build/tests/fixtures/pe/driver.dll" "$work/driver/QuorOlma.jlb"
printf '[COPY]\r\nQuorOlma.jlb\r\n' >"$work/driver/list.install"

# The certificate: self-signed, for code signing, its key in a PFX under a password.
password="pw-$RANDOM$RANDOM-not-for-anyone"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QuorOlma test signer/O=Korvalis test" \
  -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
  -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 || { fail "openssl made no certificate"; exit 1; }
IQO_PASS=$password openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.pfx" -passout env:IQO_PASS ||
  { fail "openssl made no PFX"; exit 1; }
rm -f "$work/key.pem"

export IQO_SIGN_PFX="$work/signer.pfx" IQO_SIGN_PASSWORD=$password
unset IQO_SIGN_TIMESTAMP
iqo_package "$build" "$work/staging" "$work/dist" "$work/driver" >"$work/package.out" 2>&1 || { cat "$work/package.out"; fail "the signed package could not be made"; exit 1; }
[ "$IQO_SIGNED" = 1 ] || fail "iqo_package says the package is not signed"
unset IQO_SIGN_PASSWORD

verify() { # file, what it is
  local out
  out=$(osslsigncode verify -in "$1" -CAfile "$work/cert.pem" 2>&1)
  if ! grep -q '^Signature verification: ok' <<<"$out" || ! grep -q 'QuorOlma test signer' <<<"$out"; then
    echo "$out" >&2
    fail "$2 is not signed by the test's certificate"
  fi
}
# The zip's files, as a user unpacks them.
mkdir -p "$work/zip" "$work/msi"
(cd "$work/zip" && cmake -E tar xf "$IQO_ZIP") || fail "the signed zip does not unpack"
top=$(ls -d "$work"/zip/InstallQuorOlma-*-win64)
verify "$top/InstallQuorOlma.exe" "the program in the zip"
count=0
while read -r dll; do verify "$dll" "$(basename "$dll") in the zip"; count=$((count + 1)); done < <(find "$top" -iname '*.dll')
[ "$count" -ge 5 ] || fail "only $count DLLs in the zip"
# The MSI, and the program and the custom action inside it.
verify "$IQO_MSI" "the MSI"
(cd "$work/msi" && msiextract "$IQO_MSI" >/dev/null) || fail "msiextract could not read the MSI"
program=$(find "$work/msi" -name InstallQuorOlma.exe | head -n 1)
[ -n "$program" ] && verify "$program" "the program in the MSI"
mkdir -p "$work/msidump" && msidump -s -d "$work/msidump" "$IQO_MSI" >/dev/null 2>&1
action=$(ls "$work/msidump"/_Streams/Binary.InstallQuorOlmaAction* 2>/dev/null | head -n 1)
if [ -n "$action" ]; then verify "$action" "the custom action in the MSI"; else fail "no custom action among the MSI's streams"; fi
# The driver maker's own driver is theirs to sign.
osslsigncode verify -in "$(find "$work/msi" -name QuorOlma.jlb | head -n 1)" -CAfile "$work/cert.pem" >/dev/null 2>&1 &&
  fail "the driver package's file was signed"

# The password went nowhere.
if grep -rqaF -- "$password" "$work/package.out" "$work/dist" "$work/staging" "$work/zip" "$work/msi" 2>/dev/null; then
  fail "the password appears in the output or a file"
fi

# Without a certificate: the same package, unsigned.
unset IQO_SIGN_PFX
iqo_package "$build" "$work/staging-unsigned" "$work/dist-unsigned" "$work/driver" >"$work/unsigned.out" 2>&1 ||
  { cat "$work/unsigned.out"; fail "the unsigned package could not be made"; }
[ "$IQO_SIGNED" = 0 ] || fail "iqo_package says the unsigned package is signed"
osslsigncode verify -in "$IQO_MSI" >/dev/null 2>&1 && fail "the MSI made without a certificate is signed"

[ "$status" -eq 0 ] && echo "Signed and verified: the program, $count DLLs, the custom action and the MSI."
exit "$status"
