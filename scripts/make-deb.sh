#!/usr/bin/env bash
# Builds the Debian package of the program from the tree with dpkg-buildpackage and the
# packaging in debian/, then checks it with lintian: make deb [DEB_DIR=build-deb]. The tree is
# copied into DEB_DIR first (the files git tracks or would track, as they stand), so the build
# leaves the clone as it was; a tree that is not the changelog's release gets a changelog entry of
# its own version, VERSION plus the commit count and the commit.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-deb}
version=$(cat VERSION)
if git rev-parse --git-dir >/dev/null 2>&1; then
    version="$version+git$(git rev-list --count HEAD).$(git rev-parse --short=8 HEAD)"
fi

source="$out/orvane-$version"
rm -rf "$out"
mkdir -p "$source"
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$source"
if [[ "$version" != "$(dpkg-parsechangelog -l debian/changelog -S Version)" ]]; then
    {
        printf 'orvane (%s) unstable; urgency=medium\n\n' "$version"
        printf '  * Built from the tree at commit %s.\n\n' "$(git rev-parse --short=8 HEAD)"
        printf ' -- %s  %s\n\n' "$(dpkg-parsechangelog -l debian/changelog -S Maintainer)" "$(date -R)"
        cat debian/changelog
    } >"$source/debian/changelog"
fi

(cd "$source" && DEB_BUILD_OPTIONS="parallel=${JOBS:-$(nproc)}" dpkg-buildpackage -us -uc -b >../build.log 2>&1) || {
    tail -n 40 "$out/build.log"
    echo "dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
}
arch=$(dpkg --print-architecture)
package="$out/orvane_${version}_${arch}.deb"
# Every tag lintian gives, a warning or an error, fails the build; information is shown.
lintian --fail-on warning,error "$out/orvane_${version}_${arch}.changes"
echo "$package"
