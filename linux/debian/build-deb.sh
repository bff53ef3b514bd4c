#!/usr/bin/env bash
# Makes the Debian package of the module with dpkg-deb from a staged tree: the program
# stripped, Depends computed by dpkg-shlibdeps, every date the changelog's (so the same
# sources give the same package).
# Usage: build-deb.sh MODULE XML MANPAGE LICENSE VERSION MODULE_DIR CONFIG_DIR WORK DEB
set -euo pipefail
module=$1 xml=$2 manpage=$3 license=$4 version=$5 module_dir=$6 config_dir=$7 work=$8 deb=$9
here=$(dirname "$0")
changelog=$here/changelog

full_version=$(dpkg-parsechangelog -l "$changelog" -S Version)
if [ "${full_version%-*}" != "$version" ]; then
    echo "build-deb.sh: $changelog is at $full_version, the project at $version" >&2
    exit 1
fi
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$changelog" -S Timestamp)
export SOURCE_DATE_EPOCH
arch=$(dpkg --print-architecture)

umask 022
rm -rf "$work"
root=$work/root
doc=$root/usr/share/doc/orvanne
mkdir -p "$root/DEBIAN" "$root$module_dir" "$root$config_dir" "$root/usr/share/man/man6" \
    "$doc" "$root/usr/share/lintian/overrides"
strip --remove-section=.comment --remove-section=.note -o "$root$module_dir/orvanne" "$module"
install -m 644 "$xml" "$root$config_dir/orvanne.xml"
gzip -9n <"$manpage" >"$root/usr/share/man/man6/orvanne.6x.gz"
gzip -9n <"$changelog" >"$doc/changelog.Debian.gz"
{
    printf 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n'
    printf 'Upstream-Name: Orvanne\n\nFiles: *\n'
    # LICENSE reads "Copyright (c) YEAR HOLDER" on its third line, the terms from its fifth.
    sed -n '3s/^Copyright (c) /Copyright: /p' "$license"
    printf 'License: Expat\n\nLicense: Expat\n'
    sed -n '5,$p' "$license" | sed 's/^$/./; s/^/ /'
} >"$doc/copyright"
# Debian's own checker would flag the first package for not closing an archive bug.
echo "orvanne: initial-upload-closes-no-bugs" >"$root/usr/share/lintian/overrides/orvanne"

mkdir -p "$work/debian"
printf 'Source: orvanne\n\nPackage: orvanne\nArchitecture: any\n' >"$work/debian/control"
depends=$(cd "$work" && dpkg-shlibdeps -O "-eroot$module_dir/orvanne" | sed -n 's/^shlibs:Depends=//p')
size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
control=$(<"$here/control.in")
control=${control//@VERSION@/$full_version}
control=${control//@ARCH@/$arch}
control=${control//@SIZE@/$size}
control=${control//@DEPENDS@/$depends}
control=${control//@MAINTAINER@/$(dpkg-parsechangelog -l "$changelog" -S Maintainer)}
printf '%s\n' "$control" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum >DEBIAN/md5sums)
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
find "$root" -newermt "@$SOURCE_DATE_EPOCH" -print0 | xargs -0 touch -h -d "@$SOURCE_DATE_EPOCH"

mkdir -p "$(dirname "$deb")"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
