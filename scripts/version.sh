#!/usr/bin/env bash
# Prints the release version in Debian's form, the one every package name carries:
#   on a tag v1.2 (or 1.2)           1.2
#   three commits past it            1.2+git20261210.3.abc1234
#   no tag at all                    0.0~git20261210.abc1234
#   uncommitted changes              any of these, then +dirty
# Without git (a source tarball) it reads what `git archive` wrote into packaging/archive-version,
# and when that was not filled in either, 0.0~unknown.
set -euo pipefail
cd "$(dirname "$0")/.."

# debian_version DESCRIPTION HASH DATE: DESCRIPTION is `git describe --tags --long`, or empty
# without a tag; DATE is the commit's, YYYYMMDD.
debian_version() {
  local description=$1 hash=$2 date=$3
  if [[ $description =~ ^v?([0-9][A-Za-z0-9.+~]*)-([0-9]+)-g[0-9a-f]+$ ]]; then
    if [ "${BASH_REMATCH[2]}" = 0 ]; then
      echo "${BASH_REMATCH[1]}"
    else
      echo "${BASH_REMATCH[1]}+git$date.${BASH_REMATCH[2]}.$hash"
    fi
  elif [ -z "$description" ] && [[ $hash =~ ^[0-9a-f]+$ && $date =~ ^[0-9]{8}$ ]]; then
    echo "0.0~git$date.$hash"
  else
    return 1
  fi
}

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # Only tags that are version numbers count.
  description=$(git describe --tags --long --match 'v[0-9]*' --match '[0-9]*' 2>/dev/null || true)
  hash=$(git rev-parse --short=7 HEAD)
  date=$(git log -1 --format=%cd --date=format:%Y%m%d)
  version=$(debian_version "$description" "$hash" "$date") ||
    { echo "version.sh: the tag in '$description' is not a version Debian takes" >&2; exit 1; }
  [ -z "$(git status --porcelain --untracked-files=no)" ] || version="$version+dirty"
  echo "$version"
else
  # git archive fills in: hash, date (YYYY-MM-DD), and the description when there is a tag.
  read -r hash date description <packaging/archive-version || true
  date=${date//-/}
  case ${description:-} in
    *-*-g*) ;;
    ?*) description="$description-0-g$hash" ;;
  esac
  debian_version "${description:-}" "${hash:-}" "${date:-}" ||
    debian_version "" "${hash:-}" "${date:-}" || echo "0.0~unknown"
fi
