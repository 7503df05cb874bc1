# The rules that make a package the same bytes whoever packs the same commit, wherever and
# whenever, sourced by scripts/release.sh and whatever else packs release files: every date the
# commit's (SOURCE_DATE_EPOCH), entries sorted by name, owned by root (tar) or nobody (zip),
# writable by their owner only.

# The commit's time, in seconds since 1970: from git, or in a source tarball from the second line
# of packaging/archive-version that `git archive` filled in.
commit_time() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" log -1 --format=%ct
  else
    sed -n '2{/^[0-9][0-9]*$/p}' "$root/packaging/archive-version" | grep . ||
      { echo "reproducible.sh: no commit time in packaging/archive-version" >&2; return 1; }
  fi
}

# reproducible_environment: exports SOURCE_DATE_EPOCH, TZ and LC_ALL and sets the umask.
reproducible_environment() {
  SOURCE_DATE_EPOCH=$(commit_time) || return 1
  export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
  umask 022
}

# normalise DIR: every file and folder under DIR dated SOURCE_DATE_EPOCH, writable by its owner
# only, readable by all.
normalise() {
  chmod -R u+rw,go-w,a+rX "$1" &&
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# pack_tar_gz DIR TOP OUT: DIR/TOP as a gzipped tar OUT.
pack_tar_gz() {
  local dir=$1 top=$2 out=$3
  normalise "$dir/$top" || return 1
  tar -C "$dir" --sort=name --format=gnu --owner=0 --group=0 --numeric-owner \
    --mtime="@$SOURCE_DATE_EPOCH" -cf - "$top" | gzip -9n >"$out.part" && mv -f "$out.part" "$out"
}

# pack_zip DIR TOP OUT: DIR/TOP as a zip OUT. Info-ZIP with -X keeps no owner and no extra time
# fields; its DOS dates are local time, which reproducible_environment fixed to UTC. Folders get no
# entries of their own. Files compressed already (the web site's .br and .gz, pictures) are stored.
pack_zip() {
  local dir=$1 top=$2 out=$3 full
  full=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
  normalise "$dir/$top" || return 1
  rm -f "$full.part"
  (cd "$dir" && find "$top" ! -type d | LC_ALL=C sort | zip -X -D -9 -n .br:.gz:.png -q -@ "$full.part") &&
    mv -f "$full.part" "$full"
}

# repack ARCHIVE: an archive another tool made (.tar.gz or .zip, one folder inside), packed again
# by these rules in its place.
repack() {
  local archive work top status=0
  archive=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") || return 1
  work=$(mktemp -d) || return 1
  case $archive in
    *.tar.gz) tar -C "$work" -xzf "$archive" ;;
    *.zip) (cd "$work" && cmake -E tar xf "$archive") ;;
    *) echo "reproducible.sh: cannot repack $archive" >&2; false ;;
  esac || status=1
  top=$(ls -A "$work")
  if [ $status -eq 0 ] && [ "$(wc -l <<<"$top")" -ne 1 ]; then
    echo "reproducible.sh: $archive does not hold one folder" >&2
    status=1
  fi
  if [ $status -eq 0 ]; then
    case $archive in
      *.tar.gz) pack_tar_gz "$work" "$top" "$archive" ;;
      *.zip) pack_zip "$work" "$top" "$archive" ;;
    esac || status=1
  fi
  rm -rf "$work"
  return $status
}
