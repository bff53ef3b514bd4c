#!/bin/sh
# checksums.sh DIR: SHA256SUMS in DIR over every other file there, for `sha256sum -c`.
set -e
cd "$1"
rm -f SHA256SUMS
export LC_ALL=C
set -- *
sha256sum -- "$@" >SHA256SUMS.new
mv SHA256SUMS.new SHA256SUMS
