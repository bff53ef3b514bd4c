#!/bin/sh
# stamp.sh SOURCE-DIR FILE...: dates the files as the source's last commit (or
# SOURCE_DATE_EPOCH), so that an archive of them has the same bytes in every build of it.
set -e
source_dir=$1
shift
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || echo 315532800)}
touch -d "@$epoch" "$@"
