#!/usr/bin/env bash
# The bootstrap's private deb-src list, derived from apt sources in both
# formats: what must be kept (keys, also embedded ones; trust options), what
# must be dropped (disabled entries, other releases, backports, duplicates).
#   apt_sources_test.sh PATH/TO/apt-sources.awk
set -u
awk_script=${1:?path to apt-sources.awk}

actual=$(awk -v codename=bookworm -f "$awk_script" <<'INPUT'
#qorva-file list
# a comment
deb [arch=amd64 signed-by=/keys/a.gpg check-valid-until=no] http://archive.example/debian/ bookworm main contrib  # trailing
deb-src http://archive.example/debian bookworm main contrib
deb http://archive.example/debian bookworm-backports main
deb http://archive.example/debian bullseye main
deb http://vendor.example/apt vendor-stable main
deb cdrom:[Debian 12]/ bookworm main
#qorva-file sources
Types: deb
URIs: http://archive.example/security
Suites: bookworm-security
# a comment inside a stanza
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL
 -----END PGP PUBLIC KEY BLOCK-----

Enabled: no
Types: deb
URIs: http://disabled.example/debian
Suites: bookworm
Components: main

types: deb deb-src
uris: http://one.example/debian http://two.example/debian
suites: bookworm bookworm-updates
components: main
INPUT
)

expected=$(cat <<'OUTPUT'
Types: deb-src
URIs: http://archive.example/debian/
Suites: bookworm
Components: main contrib
Signed-By: /keys/a.gpg
Check-Valid-Until: no

Types: deb-src
URIs: http://archive.example/security
Suites: bookworm-security
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb-src
URIs: http://one.example/debian
Suites: bookworm
Components: main

Types: deb-src
URIs: http://one.example/debian
Suites: bookworm-updates
Components: main

Types: deb-src
URIs: http://two.example/debian
Suites: bookworm
Components: main

Types: deb-src
URIs: http://two.example/debian
Suites: bookworm-updates
Components: main
OUTPUT
)

if [ "$actual" != "$expected" ]; then
  echo "unexpected deb-src list:"
  diff <(echo "$expected") <(echo "$actual")
  exit 1
fi
echo "deb-src list as expected"
