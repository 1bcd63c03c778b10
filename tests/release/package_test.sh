#!/usr/bin/env bash
# The release as scripts/package makes it, from clones of the checked-out
# commit (what is not committed is not in them). Exit code 1 when anything
# fails. Takes three package builds and a setup under Wine.
# - Reproducible: packaged in two folders of different names and depths, one
#   after the other, the two archives and the two setup programs are
#   byte-identical.
# - Signed: packaged again with a throw-away certificate, both programs, the
#   setup program and the uninstaller the setup writes under Wine carry its
#   signature, and SHA256SUMS holds the signed files' sums.
#   tests/release/package_test.sh [WORK_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/build/release_test}
rm -rf "$work"
clones=("$work/a/Vantrel" "$work/second/clone/of/vantrel")
status=0

archives=()
for clone in "${clones[@]}"; do
  git clone -q "$root" "$clone"
  archives+=("$("$clone/scripts/package" 2>"$clone.log" | tail -n 1)")
done
# The folders differ in name and depth: a path of either inside a program
# makes its bytes differ.
setups=("${archives[@]/%-win64.zip/-setup.exe}")
cmp "${archives[@]}" && cmp "${setups[@]}" ||
  { echo "the two packages differ"; status=1; }

# Signed with a throw-away certificate; the setup installed silently in a
# Wine prefix of its own, where it writes the uninstaller.
cert=$work/certificate
mkdir -p "$cert"
echo "throw-away" >"$cert/password"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vantrel test" \
  -keyout "$cert/key.pem" -out "$cert/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$cert/key.pem" -in "$cert/cert.pem" -out "$cert/test.pfx" \
  -passout "file:$cert/password"
clone=${clones[0]}
archive=$(VANTREL_SIGN_PFX=$cert/test.pfx VANTREL_SIGN_PASSWORD_FILE=$cert/password \
  "$clone/scripts/package" 2>"$clone.signed.log" | tail -n 1)
(cd "$clone/dist" && sha256sum --quiet -c SHA256SUMS) || status=1
unzip -q "$archive" 'Vantrel.*' -d "$work/signed"
export WINEPREFIX=$work/prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
xvfb-run -a wine "${archive/%-win64.zip/-setup.exe}" /S '/D=C:\Vantrel' >"$work/setup.log" 2>&1 ||
  { echo "the signed setup program failed under Wine"; status=1; }
wineserver -k 2>/dev/null || true
for file in "$work/signed"/Vantrel.* "${archive/%-win64.zip/-setup.exe}" \
    "$WINEPREFIX/drive_c/Vantrel/uninstall.exe"; do
  osslsigncode verify -in "$file" -CAfile "$cert/cert.pem" >"$work/verify.log" 2>&1 ||
    { echo "not signed with the test certificate: $file"; status=1; }
done
exit $status
