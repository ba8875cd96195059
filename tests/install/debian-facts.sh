#!/bin/sh
# debian-facts.sh DEBIAN_DIR VERSION MAKER MAIL HOMEPAGE YEARS: debhelper takes the maker, the
# homepage and the version only as literal text in debian/, so the packaging repeats the facts
# that cmake/Product.cmake and project() keep. Fails naming every line that no longer agrees.
set -u
dir=$1 version=$2 maker=$3 mail=$4 homepage=$5 years=$6
status=0
expect() { # FILE LINE: FILE has LINE as a whole line.
    grep -qxF -- "$2" "$dir/$1" || { echo "debian/$1 has no line \"$2\""; status=1; }
}
expect control "Maintainer: $maker <$mail>"
expect control "Homepage: $homepage"
expect copyright "Upstream-Contact: $maker <$mail>"
expect copyright "Source: $homepage"
expect copyright "Copyright: $years $maker"
# The newest entry of the changelog comes first: its version and its signature.
newest=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$dir/changelog")
[ "$newest" = "$version" ] || { echo "debian/changelog's newest version is $newest, not $version"; status=1; }
signature=$(grep -m 1 '^ -- ' "$dir/changelog" | sed 's/^ -- \(.*>\)  .*/\1/')
[ "$signature" = "$maker <$mail>" ] ||
    { echo "debian/changelog's newest entry is signed \"$signature\", not \"$maker <$mail>\""; status=1; }
exit $status
